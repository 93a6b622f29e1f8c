// The sequence check itself: a table that passes whatever it is given would
// hide every fault the tables are there to catch.
#include <gtest/gtest.h>

#include "tests/conformance/sequence.h"

namespace {

using namespace conftest;

constexpr UINT kMine = WM_USER + 5;

TEST(SequenceCheck, CatchesEachKindOfDifference) {
    const std::vector<Message> table{{WM_PAINT, posted},
                                     {WM_ERASEBKGND, sent | optional},
                                     {kMine, posted | wparam | lparam, 7, xy(3, 4)},
                                     {WM_TIMER, posted | wparam, 1}};
    const Seen paint{WM_PAINT, posted, 0, 0}, erase{WM_ERASEBKGND, sent, 99, 0},
        mine{kMine, posted, 7, xy(3, 4)}, tick{WM_TIMER, posted, 1, 0};
    const struct {
        const char *what;
        std::vector<Seen> seen;
        bool passes;
    } cases[] = {
        {"as expected", {paint, erase, mine, tick}, true},
        {"optional entry missing", {paint, mine, tick}, true},
        {"wrong wParam", {paint, {kMine, posted, 8, xy(3, 4)}, tick}, false},
        {"wrong lParam", {paint, {kMine, posted, 7, xy(4, 3)}, tick}, false},
        {"sent, not posted", {paint, {kMine, sent, 7, xy(3, 4)}, tick}, false},
        {"optional entry sent as posted", {paint, {WM_ERASEBKGND, posted, 0, 0}, mine, tick}, false},
        {"required entry missing", {paint, erase, tick}, false},
        {"last entry missing", {paint, erase, mine}, false},
        {"one message more", {paint, erase, mine, tick, tick}, false},
        {"nothing at all", {}, false},
        {"order swapped", {paint, erase, tick, mine}, false},
    };
    for (const auto &c : cases) EXPECT_EQ(bool(matches_sequence(table, c.seen)), c.passes) << c.what;
}

TEST(SequenceCheck, PlatformEntriesCountOnTheirPlatformOnly) {
    const std::vector<Message> table{
        {WM_ERASEBKGND, sent | windows_only}, {WM_PAINT, sent}, {WM_SIZE, sent | core_only}};
    const Seen erase{WM_ERASEBKGND, sent, 0, 0}, paint{WM_PAINT, sent, 0, 0}, size{WM_SIZE, sent, 0, 0};
#ifdef _WIN32
    EXPECT_TRUE(matches_sequence(table, {erase, paint}));
    EXPECT_FALSE(matches_sequence(table, {paint, size}));
#else
    EXPECT_TRUE(matches_sequence(table, {paint, size}));
    EXPECT_FALSE(matches_sequence(table, {erase, paint}));
#endif
    EXPECT_FALSE(matches_sequence(table, {paint}));
}

}  // namespace
