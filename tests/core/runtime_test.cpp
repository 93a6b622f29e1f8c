// rand() and wsprintfA as the game's C runtime gives them.
#include <cstdlib>
#include <string>

#include "core_fixture.h"

namespace coretest {
namespace {

using RuntimeTest = CoreTest;

// The sequence itself is checked against Windows in tests/conformance; a
// reset core is a fresh program and starts it again.
TEST_F(RuntimeTest, ResetRestartsTheGenerator) {
    for (int i = 0; i < 3; ++i) rand();
    mub::core::reset();
    EXPECT_EQ(rand(), 41);
    EXPECT_EQ(rand(), 18467);
    for (int i = 0; i < 10000; ++i) {
        const int v = rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}

TEST_F(RuntimeTest, WsprintfFormatsLikeUser32) {
    char buf[1100];
    EXPECT_EQ(wsprintfA(buf, "%d", 0), 1);
    EXPECT_STREQ(buf, "0");
    wsprintfA(buf, "%d/%d", -5, 2147483647);
    EXPECT_STREQ(buf, "-5/2147483647");
    wsprintfA(buf, "%d", int(-2147483647 - 1));
    EXPECT_STREQ(buf, "-2147483648");
    wsprintfA(buf, "[%3d][%-3d][%03d][%s][%c][%x][%X][%%]", 7, 7, -7, "ab", 'Z', 255, 255);
    EXPECT_STREQ(buf, "[  7][7  ][-07][ab][Z][ff][FF][%]");

    // Output stops at 1024 bytes, terminator included.
    const std::string big(2000, 'x');
    EXPECT_EQ(wsprintfA(buf, "%s", big.c_str()), 1023);
    EXPECT_EQ(std::string(buf).size(), 1023u);
}

}  // namespace
}  // namespace coretest
