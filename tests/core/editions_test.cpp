// The two editions in the core: which one a program's settings choose, the
// string table through LoadStringA, the resources and box buttons of the UI
// language, and every box of the game showing its words in full.
#include <string>
#include <vector>

#include "core_fixture.h"
#include "platform/core/language.h"
#include "platform/core/modal/modal_box.h"
#include "platform/core/state.h"
#include "platform/text/text.h"
#include "res/resource.h"
#include "tests/support/program_res.h"

namespace coretest {
namespace {

constexpr LANGID kJa = mub::res::kLangJapanese, kEn = mub::res::kLangEnglish;

// The UI language is the process's setting; each test puts it back.
class EditionsTest : public CoreTest {
protected:
    void TearDown() override {
        mub::core::set_ui_language(kJa);
        CoreTest::TearDown();
    }
};

std::string load(UINT id, int size = 200) {
    std::vector<char> buf(size_t(std::max(size, 1)), 'X');
    const int n = LoadStringA(mubtest::program_module(), id, buf.data(), size);
    EXPECT_EQ(size_t(n), size > 0 ? std::string(buf.data()).size() : 0u);
    return size > 0 ? std::string(buf.data()) : std::string();
}

}  // namespace

TEST(Editions, TheLocaleChoosesJapaneseWhereItIsJapaneseOrUnknownElseEnglish) {
    struct Case {
        const char *language, *lc_all, *lc_messages, *lang;
        LANGID want;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, nullptr, kJa},             // nothing set
        {nullptr, nullptr, nullptr, "C", kJa},                 //
        {nullptr, nullptr, nullptr, "POSIX", kJa},             //
        {nullptr, nullptr, nullptr, "C.UTF-8", kJa},           //
        {nullptr, nullptr, nullptr, "ja_JP.UTF-8", kJa},       //
        {nullptr, nullptr, nullptr, "ja", kJa},                //
        {nullptr, nullptr, nullptr, "en_US.UTF-8", kEn},       //
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", kEn},       // any other language
        {nullptr, nullptr, nullptr, "jv_ID", kEn},             // not "ja"
        {nullptr, nullptr, "ja_JP.UTF-8", "en_US.UTF-8", kJa}, // LC_MESSAGES before LANG
        {nullptr, "de_DE", "ja_JP.UTF-8", "ja_JP.UTF-8", kEn}, // LC_ALL before both
        {"ja", "en_US", "en_US", "en_US", kJa},                // LANGUAGE first
        {"fr:ja", nullptr, nullptr, "ja_JP", kEn},             // its first entry counts
        {":ja_JP", nullptr, nullptr, "en_US", kJa},            // an empty entry is skipped
        {"", "", "", "en_GB.UTF-8", kEn},                      // empty values are not set
        {":", nullptr, nullptr, "C", kJa},                     //
    };
    for (const Case &c : cases)
        EXPECT_EQ(mub::core::language_from_locale(c.language, c.lc_all, c.lc_messages, c.lang), c.want)
            << (c.language ? c.language : "-") << " " << (c.lc_all ? c.lc_all : "-") << " "
            << (c.lc_messages ? c.lc_messages : "-") << " " << (c.lang ? c.lang : "-");
    EXPECT_EQ(mub::core::language_from_name("ja"), kJa);
    EXPECT_EQ(mub::core::language_from_name("en"), kEn);
    for (const char *bad : {"", "JA", "jp", "en_US", "de"}) EXPECT_FALSE(mub::core::language_from_name(bad)) << bad;
}

TEST_F(EditionsTest, LoadStringGivesTheUiLanguagesTextInShiftJisAndNeverHalfACharacter) {
    // むぶむぶゲーム: seven characters, fourteen bytes.
    const std::string title = "\x82\xde\x82\xd4\x82\xde\x82\xd4\x83\x51\x81\x5b\x83\x80";
    EXPECT_EQ(GetUserDefaultUILanguage(), kJa);
    EXPECT_EQ(load(IDS_WINDOW_TITLE), title);
    EXPECT_EQ(load(IDS_WINDOW_TITLE, 15), title);               // room for all and the zero
    EXPECT_EQ(load(IDS_WINDOW_TITLE, 14), title.substr(0, 12)); // one byte short: the last character goes
    EXPECT_EQ(load(IDS_WINDOW_TITLE, 13), title.substr(0, 12));
    EXPECT_EQ(load(IDS_WINDOW_TITLE, 1), "");
    EXPECT_EQ(load(IDS_WINDOW_TITLE, 0), "");
    EXPECT_EQ(load(IDS_STORY_TEXT + 23), "");  // no such string
    EXPECT_EQ(LoadStringA(nullptr, IDS_WINDOW_TITLE, nullptr, 10), 0);

    mub::core::set_ui_language(kEn);
    EXPECT_EQ(GetUserDefaultUILanguage(), kEn);
    EXPECT_EQ(load(IDS_WINDOW_TITLE), "Mubmub Games");
    EXPECT_EQ(load(IDS_WINDOW_TITLE, 12), "Mubmub Game");
    mub::core::set_ui_language(0x0809);  // English (UK): the English set, by its primary language
    EXPECT_EQ(load(IDS_WINDOW_TITLE), "Mubmub Games");
    mub::core::set_ui_language(0x0407);  // German: none of its own, the first set
    EXPECT_EQ(load(IDS_WINDOW_TITLE), title);
}

// The pictures with words come in the UI language; the others are shared.
TEST_F(EditionsTest, BitmapsAndTheDialogComeInTheUiLanguage) {
    auto pixels = [](const char *name) {
        HBITMAP b = LoadBitmapA(mubtest::program_module(), name);
        EXPECT_NE(b, nullptr) << name;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, b);
        std::vector<COLORREF> out;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) out.push_back(GetPixel(dc, 300 + x, 480 + y));
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(b);
        return out;
    };
    const auto ja_prompt = pixels("STORY_BACK"), ja_back = pixels("BACK");
    mub::core::set_ui_language(kEn);
    EXPECT_NE(pixels("STORY_BACK"), ja_prompt);  // マウスをクリック / Click the mouse
    EXPECT_EQ(pixels("BACK"), ja_back);          // one field for both

    create_main();
    std::string caption;
    host.set_modal_decider([&](const std::string &c, const std::vector<int> &) {
        caption = c;
        return IDC_BUTTON2;
    });
    static int pressed;
    pressed = 0;
    auto proc = [](HWND d, UINT m, WPARAM w, LPARAM) -> INT_PTR {
        if (m != WM_COMMAND) return FALSE;
        pressed = LOWORD(w);
        EndDialog(d, 0);
        return TRUE;
    };
    DialogBoxParamA(mubtest::program_module(), MAKEINTRESOURCEA(IDD_SELECT), hwnd, proc, 0);
    EXPECT_EQ(caption, "Choose your game");
    EXPECT_EQ(pressed, IDC_BUTTON2);
}

// Every box the game opens, in both editions: the caption, each line and
// each button label inside its room, the box inside the window, the text
// broken only between words (English) or characters (Japanese), and the
// buttons in the UI language.
TEST_F(EditionsTest, EveryBoxOfTheGameShowsItsWordsInFull) {
    create_main();
    struct Opened {
        std::vector<mub::core::detail::BoxText> texts;
        mub::Rect frame;
    } opened;
    host.set_modal_decider([&](const std::string &, const std::vector<int> &answers) {
        const auto *box = mub::core::detail::state().modals.back();
        opened = {box->texts(592, 543), box->frame_on(592, 543)};
        return answers.front();
    });
    auto check = [&](const char *what, const std::vector<std::u32string> &labels, const std::u32string &text) {
        SCOPED_TRACE(what);
        EXPECT_GE(opened.frame.left, 0);
        EXPECT_GE(opened.frame.top, 0);
        EXPECT_LE(opened.frame.right, 592);
        EXPECT_LE(opened.frame.bottom, 543);
        for (const auto &t : opened.texts)
            EXPECT_LE(mub::text::text_width(t.text), t.room.width()) << mub::text::u32_to_utf8(t.text);
        ASSERT_GE(opened.texts.size(), 1 + labels.size());
        for (size_t i = 0; i < labels.size(); ++i) EXPECT_EQ(opened.texts[1 + i].text, labels[i]);
        if (text.empty()) return;
        std::u32string joined;
        const bool latin = text[0] < 0x80;
        for (size_t i = 1 + labels.size(); i < opened.texts.size(); ++i)
            joined += (joined.empty() || !latin ? U"" : U" ") + opened.texts[i].text;
        EXPECT_EQ(joined, text);
    };
    struct Edition {
        LANGID lang;
        std::vector<std::u32string> yes_no;
        std::vector<std::u32string> dialog;
    };
    const Edition editions[] = {
        {kJa, {U"はい(Y)", U"いいえ(N)"}, {U"むぶむぶストーリー", U"むぶなシューティングゲーム", U"むぶ叩きゲーム"}},
        {kEn, {U"Yes", U"No"}, {U"Mubmub Story", U"Mubu's Shooting Game", U"Whack-a-Mubu"}},
    };
    for (const Edition &ed : editions) {
        mub::core::set_ui_language(ed.lang);
        auto text = [](UINT id) { return load(id); };
        auto u32 = [](const std::string &sjis) { return mub::text::decode_cp932(sjis); };
        MessageBoxA(hwnd, text(IDS_SOUSAI_TEXT).c_str(), text(IDS_SOUSAI_CAPTION).c_str(), MB_YESNO);
        check("offset question", ed.yes_no, u32(text(IDS_SOUSAI_TEXT)));
        MessageBoxA(hwnd, text(IDS_START_TEXT).c_str(), text(IDS_START_CAPTION).c_str(), MB_OK);
        check("start", {U"OK"}, u32(text(IDS_START_TEXT)));
        char round[100];
        wsprintfA(round, text(IDS_ROUND_FORMAT).c_str(), 5, 5);
        for (UINT caption : {IDS_ROUND_WON_CAPTION, IDS_ROUND_LOST_CAPTION}) {
            MessageBoxA(hwnd, round, text(caption).c_str(), MB_OK);
            check("round", {U"OK"}, u32(round));
        }
        static auto proc = [](HWND d, UINT m, WPARAM, LPARAM) -> INT_PTR {
            if (m == WM_COMMAND) EndDialog(d, 0);
            return m == WM_COMMAND;
        };
        DialogBoxParamA(mubtest::program_module(), MAKEINTRESOURCEA(IDD_SELECT), hwnd, proc, 0);
        check("dialog", ed.dialog, U"");
    }
    // A long English text wraps between words; a Japanese one anywhere.
    mub::core::set_ui_language(kEn);
    const std::u32string words = U"one two three four five six seven eight nine ten eleven twelve thirteen fourteen "
                                 U"fifteen sixteen seventeen eighteen nineteen twenty twentyone twentytwo twentythree";
    MessageBoxA(hwnd, mub::text::encode_cp932(words).c_str(), "x", MB_OK);
    check("long", {U"OK"}, words);
    EXPECT_GT(opened.texts.size(), 3u);
}

}  // namespace coretest
