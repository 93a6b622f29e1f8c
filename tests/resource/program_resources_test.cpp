// The resources built into the program: the 35 bitmaps, the icon group, the
// game selection dialog and the texts, in a Japanese and an English set.
#include <algorithm>
#include <random>
#include <span>
#include <vector>

#include <gtest/gtest.h>

#include "platform/text/text.h"
#include "res/resource.h"
#include "tests/support/program_res.h"

using namespace mub::res;
using mubtest::program_res;

namespace {

struct Expected {
    const char *name;
    int width, height, bpp;
    bool words = true;  // has a Japanese and an English picture; else one for every language
};

// The pictures the program loads, in load order, with the sizes and depths
// the screens read them at.
constexpr Expected kBitmaps[] = {
    {"title", 507, 246, 8},      {"story_back", 601, 550, 4}, {"story_1", 432, 292, 4, false},
    {"story_2", 432, 301, 4, false},    {"story_3", 432, 301, 4, false},    {"story_4", 432, 300, 4, false},
    {"story_5", 432, 301, 4, false},    {"story_6", 432, 301, 4, false},    {"story_7", 432, 301, 4, false},
    {"mub_ti_1", 330, 135, 1},   {"mub_ti_2", 550, 421, 4},   {"mub_push", 208, 26, 4},
    {"mub_se_1", 680, 570, 4},   {"mub_se_2", 680, 553, 4},   {"mub_pl", 144, 96, 4, false},
    {"heart", 92, 52, 4, false},        {"mub_en", 192, 96, 4, false},      {"mub_en_b", 420, 229, 4},
    {"unko", 81, 51, 4, false},         {"life", 170, 60, 4},        {"win_lose", 230, 60, 4},
    {"mub_hantei", 605, 749, 4}, {"mub2_ti_1", 330, 135, 1},  {"mub2_ti_2", 550, 421, 4},
    {"mub2_push", 264, 26, 4},   {"back", 679, 554, 4, false},       {"mub2_se_1", 601, 550, 4},
    {"mub2_se_2", 680, 555, 4},  {"mub2_pl", 192, 96, 4, false},     {"mub2_en", 386, 96, 4},
    {"time", 391, 60, 4},        {"hit", 391, 60, 4},         {"entyo", 391, 60, 4},
    {"en_hit", 189, 60, 4},      {"mub2_hantei", 605, 749, 8},
};

Id number(uint16_t n) {
    Id id;
    id.is_int = true;
    id.number = n;
    return id;
}

}  // namespace

TEST(ProgramResources, HoldTheThirtyFiveBitmapsInTheirLanguages) {
    const ResFile &res = program_res();
    size_t entries = 0;
    for (const Expected &e : kBitmaps) {
        const auto langs = res.languages(kRtBitmap, Id::from_win32(e.name));
        const std::vector<LangId> want =
            e.words ? std::vector<LangId>{kLangJapanese, kLangEnglish} : std::vector<LangId>{kLangNeutral};
        EXPECT_EQ(langs, want) << e.name;
        entries += langs.size();
        for (LangId lang : langs) {
            auto b = load_bitmap(res, Id::from_win32(e.name), lang);
            ASSERT_TRUE(b) << e.name;
            EXPECT_EQ(b->image.width, e.width) << e.name;
            EXPECT_EQ(b->image.height, e.height) << e.name;
            EXPECT_EQ(b->bpp, e.bpp) << e.name;
        }
    }
    EXPECT_EQ(res.count(kRtBitmap), entries);  // no other bitmap
}

// Both editions' texts, complete: every id in both, Japanese that Shift-JIS
// can carry, English in plain ASCII (whatever the code page), the round's
// format with its two numbers.
TEST(ProgramResources, HoldEveryTextInBothEditions) {
    const ResFile &res = program_res();
    std::vector<uint16_t> ids;
    for (uint16_t id = IDS_WINDOW_TITLE; id <= IDS_ROUND_LOST_CAPTION; ++id) ids.push_back(id);
    for (uint16_t i = 0; i < 23; ++i) ids.push_back(uint16_t(IDS_STORY_TEXT + i));
    for (LangId lang : {kLangJapanese, kLangEnglish}) {
        EXPECT_EQ(res.languages(kRtString, number(1)), (std::vector<LangId>{kLangJapanese, kLangEnglish}));
        for (uint16_t id : ids) {
            auto text = load_string(res, id, lang);
            ASSERT_TRUE(text) << id;
            EXPECT_LT(text->size(), 100u) << id;  // the game's buffers hold 200 bytes, the round's 100
            EXPECT_EQ(mub::text::decode_cp932(mub::text::encode_cp932(*text)), *text) << id;
            if (lang == kLangEnglish)
                for (char32_t c : *text) EXPECT_TRUE(c >= U' ' && c < 0x7F) << id << ": U+" << std::hex << uint32_t(c);
        }
        for (uint16_t missing : {0, 9, 99, 123}) EXPECT_FALSE(load_string(res, missing, lang)) << missing;
        const std::u32string format = *load_string(res, IDS_ROUND_FORMAT, lang);
        EXPECT_EQ(std::count(format.begin(), format.end(), U'%'), 2);
        EXPECT_NE(format.find(U"%d"), format.rfind(U"%d"));
    }
    EXPECT_EQ(load_string(res, IDS_WINDOW_TITLE, kLangJapanese), U"むぶむぶゲーム");
    EXPECT_EQ(load_string(res, IDS_WINDOW_TITLE, kLangEnglish), U"Mubmub Games");
}

TEST(ProgramResources, HoldTheIconGroupAndNothingElse) {
    const ResFile &res = program_res();
    EXPECT_EQ(res.count(kRtGroupIcon), 1u);
    EXPECT_EQ(res.count(kRtIcon), 1u);
    EXPECT_EQ(res.count(kRtDialog), 2u);  // Japanese and English
    EXPECT_EQ(res.count(4), 0u);  // menus
    EXPECT_TRUE(res.find(kRtIcon, number(1)));
    auto icon = load_icon(res, Id::from_win32("mub2"));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->width, 32);
    EXPECT_EQ(icon->height, 32);
    EXPECT_FALSE(load_icon(res, Id::from_win32("mubmub")));
}

// The same template in both editions but for its words.
TEST(ProgramResources, HoldTheSelectionDialogInBothEditions) {
    struct Edition {
        LangId lang;
        std::u32string caption, font;
        std::u32string buttons[3];
    };
    const Edition editions[] = {
        {kLangJapanese, U"ゲームを選択して下さい", U"ＭＳ Ｐゴシック",
         {U"むぶむぶストーリー", U"むぶなシューティングゲーム", U"むぶ叩きゲーム"}},
        {kLangEnglish, U"Choose your game", U"MS Shell Dlg", {U"Mubmub Story", U"Mubu's Shooting Game", U"Whack-a-Mubu"}},
    };
    for (const Edition &ed : editions) {
        auto d = load_dialog(program_res(), number(IDD_SELECT), ed.lang);
        ASSERT_TRUE(d);
        constexpr uint32_t kPopup = 0x80000000, kCaption = 0x00C00000, kModalFrame = 0x80, kSetFont = 0x40,
                           kSysMenu = 0x00080000;
        EXPECT_EQ(d->style & (kPopup | kCaption | kModalFrame | kSetFont), kPopup | kCaption | kModalFrame | kSetFont);
        EXPECT_EQ(d->style & kSysMenu, 0u);
        EXPECT_EQ(d->x, 40);
        EXPECT_EQ(d->y, 50);
        EXPECT_EQ(d->cx, 178);
        EXPECT_EQ(d->cy, 193);
        EXPECT_EQ(d->caption, ed.caption);
        EXPECT_EQ(d->point_size, 12);
        EXPECT_EQ(d->font_name, ed.font);
        const int ids[] = {IDC_BUTTON1, IDC_BUTTON2, IDC_BUTTON3}, ys[] = {25, 85, 145};
        ASSERT_EQ(d->items.size(), 3u);
        constexpr uint32_t kChild = 0x40000000, kVisible = 0x10000000, kTabStop = 0x00010000, kTypeMask = 0xF;
        for (size_t i = 0; i < 3; ++i) {
            const DialogItem &it = d->items[i];
            EXPECT_EQ(it.id, ids[i]);
            EXPECT_EQ(it.class_atom, 0x80);
            EXPECT_EQ(it.text, ed.buttons[i]);
            EXPECT_EQ(it.x, 23);
            EXPECT_EQ(it.y, ys[i]);
            EXPECT_EQ(it.cx, 133);
            EXPECT_EQ(it.cy, 25);
            EXPECT_EQ(it.style & (kChild | kVisible | kTabStop), kChild | kVisible | kTabStop);
            EXPECT_EQ(it.style & kTypeMask, 0u);  // BS_PUSHBUTTON, not a default button
        }
    }
}

// The check a program makes before it starts, on its own resources damaged as
// downloads go wrong: each on the limit (still readable) and one past it.
TEST(ProgramResources, ReadableOnlyWhenWhole) {
    const std::span<const uint8_t> own = mub::res::program_resource_bytes();
    const std::vector<uint8_t> whole(own.begin(), own.end());
    const auto offset = [&](std::span<const uint8_t> part) { return size_t(part.data() - own.data()); };
    const size_t dialog = offset(*program_res().find(kRtDialog, number(IDD_SELECT)));
    const bool extended = whole[dialog + 2] == 0xFF && whole[dialog + 3] == 0xFF;
    const size_t item_count = dialog + (extended ? 16 : 8);
    const size_t title_bpp = offset(*program_res().find(kRtBitmap, Id::from_win32("title"))) + 14;

    const auto changed = [&](auto change) {
        std::vector<uint8_t> b = whole;
        change(b);
        return b;
    };
    const auto set16 = [](std::vector<uint8_t> &b, size_t at, uint16_t v) {
        b[at] = uint8_t(v);
        b[at + 1] = uint8_t(v >> 8);
    };
    std::mt19937 random(7);
    std::vector<uint8_t> noise(100000);
    for (uint8_t &x : noise) x = uint8_t(random());
    struct Case {
        const char *name;
        std::vector<uint8_t> bytes;
        bool readable;
    };
    const Case cases[] = {
        {"the program's own", whole, true},
        {"empty", {}, false},
        {"zeros", std::vector<uint8_t>(whole.size()), false},
        {"random bytes", noise, false},
        {"cut by one byte", {whole.begin(), whole.end() - 1}, false},
        {"one byte more", changed([](auto &b) { b.push_back(0); }), false},
        {"a first header one byte short of its fields", changed([](auto &b) { b[4] = 31; }), false},
        {"the dialog's three items", changed([&](auto &b) { set16(b, item_count, 3); }), true},
        {"the dialog with a fourth", changed([&](auto &b) { set16(b, item_count, 4); }), false},
        {"the dialog with 65535", changed([&](auto &b) { set16(b, item_count, 65535); }), false},
        {"a picture of 8 bits a pixel", changed([&](auto &b) { set16(b, title_bpp, 8); }), true},
        {"a picture of 7", changed([&](auto &b) { set16(b, title_bpp, 7); }), false},
    };
    for (const Case &c : cases) EXPECT_EQ(ResFile(c.bytes).readable(), c.readable) << c.name;
}
