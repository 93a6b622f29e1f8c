// Code page 932 decoding, the game's Shift-JIS strings and UTF conversions.
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

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

TEST(Cp932, EncodesAsWindowsDoesAndEveryCodeComesBack) {
    using mub::text::encode_cp932;
    // Characters with several codes: the JIS one; else IBM's, not NEC's copy.
    EXPECT_EQ(encode_cp932(U"\uFFE2"), bytes({0x81, 0xCA}));  // fullwidth not sign
    EXPECT_EQ(encode_cp932(U"\u2235"), bytes({0x81, 0xE6}));  // because
    EXPECT_EQ(encode_cp932(U"\u2160"), bytes({0x87, 0x54}));  // roman one: NEC row 13
    EXPECT_EQ(encode_cp932(U"\u2170"), bytes({0xFA, 0x40}));  // small roman one: IBM, not EE EF
    EXPECT_EQ(encode_cp932(U"A むｱ\u20AC"), bytes({'A', ' ', 0x82, 0xDE, 0xB1, '?'}));  // no euro sign
    for (int lead = 0x81; lead <= 0xFC; ++lead)
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::u32string c = decode_cp932(bytes({lead, trail}));
            if (c.size() != 1 || c == U"?") continue;
            EXPECT_EQ(decode_cp932(encode_cp932(c)), c) << std::hex << lead << " " << trail;
        }
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
