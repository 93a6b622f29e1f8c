// The Windows build itself: the executable's resources, and Shift-JIS text
// reaching the wide functions as Japanese whatever the system's code page.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <windows.h>

#include "platform/win32native/cp932.h"
#include "platform/win32native/wide_shim.h"

namespace {

using mub::win32native::cp932_to_utf16;

TEST(Cp932Conformance, ShiftJisBecomesTheRightCharacters) {
    EXPECT_EQ(cp932_to_utf16("\x82\xde\x82\xd4"), L"\u3080\u3076");                  // むぶ
    EXPECT_EQ(cp932_to_utf16("\x83\x51\x81\x5b\x83\x80"), L"\u30b2\u30fc\u30e0");  // ゲーム
    EXPECT_EQ(cp932_to_utf16("\x92\x40"), L"\u53e9");                               // 叩
    EXPECT_EQ(cp932_to_utf16("\xb6\xc6"), L"\uff76\uff86");                          // half-width ｶﾆ
    EXPECT_EQ(cp932_to_utf16("A1!"), L"A1!");
    // A length cuts the text; a lead byte with nothing after it is no character.
    EXPECT_EQ(cp932_to_utf16("\x82\xde\x82\xd4", 2), L"\u3080");
    EXPECT_EQ(cp932_to_utf16("", -1), L"");
    EXPECT_EQ(cp932_to_utf16(nullptr, 3), L"");
    EXPECT_NE(cp932_to_utf16("A\x82", 2), L"A\u3080");
}

// Whatever the ANSI code page, the window keeps its Japanese title: it is a
// Unicode window, so whoever asks for its text (the caption drawing too) gets
// the UTF-16 title and not one passed through the ANSI code page.
TEST(WideShimConformance, WindowTitleStaysJapanese) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = mub_DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "mub_conf_title";
    ASSERT_NE(mub_RegisterClassA(&wc), 0);
    HWND hwnd = mub_CreateWindowExA(0, "mub_conf_title", "\x82\xde\x82\xd4\x82\xde\x82\xd4\x83\x51\x81\x5b\x83\x80",
                                    WS_OVERLAPPEDWINDOW, 50, 0, 600, 570, NULL, NULL, wc.hInstance, NULL);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsWindowUnicode(hwnd));
    wchar_t title[64] = {};
    SendMessageW(hwnd, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(title));
    EXPECT_STREQ(title, L"\u3080\u3076\u3080\u3076\u30b2\u30fc\u30e0");  // むぶむぶゲーム
    DestroyWindow(hwnd);
}

// The executable next to this test program.
std::string program_path() {
    char self[MAX_PATH];
    const DWORD n = GetModuleFileNameA(NULL, self, MAX_PATH);
    std::string dir(self, n);
    dir.erase(dir.find_last_of("\\/") + 1);
    return dir + "mubmub.exe";
}

BOOL CALLBACK collect_name(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
    auto *names = reinterpret_cast<std::vector<std::string> *>(out);
    // (not "#" + std::to_string(...): GCC 12 warns falsely about that with -O2, -Wrestrict)
    names->push_back(IS_INTRESOURCE(name) ? std::string("#").append(std::to_string(reinterpret_cast<uintptr_t>(name)))
                                          : std::string(name));
    return TRUE;
}

std::vector<std::string> names_of(HMODULE module, LPCSTR type) {
    std::vector<std::string> names;
    EnumResourceNamesA(module, type, collect_name, reinterpret_cast<LONG_PTR>(&names));
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ProgramResources, ExactlyTheBitmapsTheIconGroupAndTheDialog) {
    HMODULE program = LoadLibraryExA(program_path().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr) << program_path();

    std::vector<std::string> expected{
        "TITLE",     "STORY_BACK", "STORY_1",  "STORY_2",   "STORY_3",    "STORY_4",   "STORY_5",
        "STORY_6",   "STORY_7",    "MUB_TI_1", "MUB_TI_2",  "MUB_PUSH",   "MUB_SE_1",  "MUB_SE_2",
        "MUB_PL",    "HEART",      "MUB_EN",   "MUB_EN_B",  "UNKO",       "LIFE",      "WIN_LOSE",
        "MUB_HANTEI", "MUB2_TI_1", "MUB2_TI_2", "MUB2_PUSH", "BACK",      "MUB2_SE_1", "MUB2_SE_2",
        "MUB2_PL",   "MUB2_EN",    "TIME",     "HIT",       "ENTYO",      "EN_HIT",    "MUB2_HANTEI"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names_of(program, RT_BITMAP), expected);
    EXPECT_EQ(names_of(program, RT_GROUP_ICON), std::vector<std::string>{"MUB2"});
    EXPECT_EQ(names_of(program, RT_DIALOG), std::vector<std::string>{"#101"});
    // The texts' string table: ids 1 to 8 (block 1) and 100 to 122 (blocks 7, 8).
    EXPECT_EQ(names_of(program, RT_STRING), (std::vector<std::string>{"#1", "#7", "#8"}));
    EXPECT_TRUE(names_of(program, RT_MENU).empty());
    EXPECT_TRUE(names_of(program, RT_ACCELERATOR).empty());
    FreeLibrary(program);
}

// Loaded the way the program loads them, the pictures have the sizes the
// screens read.
TEST(ProgramResources, BitmapsLoadWithTheirSizes) {
    HMODULE program = LoadLibraryExA(program_path().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    struct Size {
        const char *name;
        int width, height;
    };
    for (const Size &s : {Size{"title", 507, 246}, Size{"story_back", 601, 550}, Size{"mub_ti_1", 330, 135},
                          Size{"mub_pl", 144, 96}, Size{"back", 679, 554}, Size{"mub2_hantei", 605, 749}}) {
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(program, s.name, IMAGE_BITMAP, 0, 0, 0));
        ASSERT_NE(bitmap, nullptr) << s.name;
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, s.width) << s.name;
        EXPECT_EQ(info.bmHeight, s.height) << s.name;
        DeleteObject(bitmap);
    }
    FreeLibrary(program);
}

}  // namespace

#endif
