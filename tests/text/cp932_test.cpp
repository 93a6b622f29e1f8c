// Code page 932 decoding, the game's Shift-JIS strings and UTF conversions.
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "mub_strings.h"
#include "platform/text/text.h"

using mub::text::decode_cp932;

namespace {

std::string bytes(std::initializer_list<int> b) {
    std::string s;
    for (int c : b) s += char(c);
    return s;
}

}  // namespace

TEST(Cp932, DecodesGameCharacters) {
    EXPECT_EQ(decode_cp932(bytes({0x82, 0xDE, 0x82, 0xD4})), U"むぶ");
    EXPECT_EQ(decode_cp932("%d / ?()"), U"%d / ?()");
    EXPECT_EQ(decode_cp932(bytes({0x81, 0x49, 0x81, 0x77, 0x81, 0x78, 0x81, 0x46, 0x81, 0x69, 0x81, 0x6A})),
              U"！『』：（）");
    EXPECT_EQ(decode_cp932(bytes({0x83, 0x51, 0x81, 0x5B, 0x83, 0x80})), U"ゲーム");
    EXPECT_EQ(decode_cp932(bytes({0x92, 0x40})), U"叩");
    // Half-width katakana are single bytes.
    EXPECT_EQ(decode_cp932(bytes({0xB1, 0xDD, 0xA1, 0xDF})), U"\uFF71\uFF9D\uFF61\uFF9F");
}

TEST(Cp932, FollowsWindowsRatherThanJisMapping) {
    EXPECT_EQ(decode_cp932("\\~"), U"\\~");                         // not yen sign and overline
    EXPECT_EQ(decode_cp932(bytes({0x81, 0x60})), U"\uFF5E");          // full-width tilde, not wave dash
    EXPECT_EQ(decode_cp932(bytes({0x87, 0x40})), U"\u2460");          // NEC special: circled 1
    EXPECT_EQ(decode_cp932(bytes({0xFA, 0x40})), U"\u2170");          // IBM extension: small roman 1
}

TEST(Cp932, BadInputBecomesQuestionMarksWithoutReadingPastTheEnd) {
    // The lead byte is the last byte of the view; the buffer holds a valid
    // trail byte after it that must not be read.
    const std::string buffer = bytes({'A', 0x82, 0xDE});
    EXPECT_EQ(decode_cp932(std::string_view(buffer).substr(0, 2)), U"A?");
    EXPECT_EQ(decode_cp932(bytes({0x82})), U"?");
    // A lead byte followed by a byte that cannot trail stands alone.
    EXPECT_EQ(decode_cp932(bytes({0x82, 0x20, 0x41})), U"? A");
    EXPECT_EQ(decode_cp932(bytes({0x82, 0x7F})), U"?\x7F");
    // Unassigned codes: single bytes 80, A0, FD-FF and an empty row.
    EXPECT_EQ(decode_cp932(bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF})), U"?????");
    EXPECT_EQ(decode_cp932(bytes({0x85, 0x40, 0x41})), U"?A");
    EXPECT_EQ(decode_cp932(""), U"");
}

TEST(Cp932, EveryGameStringDecodesToItsLineInStringsTxt) {
    std::map<std::string, std::string> lines;
    std::ifstream in(MUB_SOURCE_DIR "/res/strings.txt");
    ASSERT_TRUE(in);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const size_t space = line.find(' ');
        lines[line.substr(0, space)] = line.substr(space + 1);
    }
    const std::map<std::string, std::string> macros = {
#define MUB_ENTRY(name) {#name, STR_##name},
        MUB_STRINGS_LIST(MUB_ENTRY)
#undef MUB_ENTRY
    };
    ASSERT_EQ(macros.size(), lines.size());
    for (const auto &[name, sjis] : macros) {
        ASSERT_TRUE(lines.count(name)) << name;
        EXPECT_EQ(mub::text::cp932_to_utf8(sjis), lines[name]) << name;
        EXPECT_EQ(decode_cp932(sjis).find(U'?') != std::u32string::npos, lines[name].find('?') != std::string::npos)
            << name;
    }
    EXPECT_EQ(std::string(STR_WINDOW_TITLE), bytes({0x82, 0xDE, 0x82, 0xD4, 0x82, 0xDE, 0x82, 0xD4, 0x83, 0x51, 0x81,
                                                   0x5B, 0x83, 0x80}));
    EXPECT_EQ(std::string(STR_ROUND_FORMAT).find("%d"), 13u);
}

TEST(Utf, RoundTripsAndReplacesMalformedSequences) {
    const std::u32string s = U"Aé叩ｱ\U0001F600";
    EXPECT_EQ(mub::text::utf8_to_u32(mub::text::u32_to_utf8(s)), s);
    EXPECT_EQ(mub::text::u32_to_utf8(U"むぶ"), "むぶ");
    EXPECT_EQ(mub::text::utf8_to_u32("a\xE3\x82"), U"a\uFFFD");        // cut off
    EXPECT_EQ(mub::text::utf8_to_u32("\xC0\xAF"), U"\uFFFD");           // over-long
    EXPECT_EQ(mub::text::utf8_to_u32("\xED\xA0\x80x"), U"\uFFFDx");     // surrogate
    EXPECT_EQ(mub::text::utf8_to_u32("\xFF\x80z"), U"\uFFFD\uFFFDz");
    EXPECT_EQ(mub::text::u32_to_utf8(std::u32string(1, char32_t(0x110000))), "\xEF\xBF\xBD");
}
