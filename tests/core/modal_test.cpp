// Message boxes and the selection dialog: answers from the host, keys and
// the mouse; the nested loop; closing the window while a box is open.
#include "core_fixture.h"
#include "res/resource.h"
#include "tests/support/program_res.h"

namespace coretest {
namespace {

using ModalTest = CoreTest;

// "よろしいですか？" and "ゲームを始めるよ！！" in code page 932.
const char kCaption[] = "\x82\xe6\x82\xeb\x82\xb5\x82\xa2\x82\xc5\x82\xb7\x82\xa9\x81\x48";
const char kText[] = "\x83\x51\x81\x5b\x83\x80\x82\xf0\x8e\x6e\x82\xdf\x82\xe9\x82\xe6\x81\x49\x81\x49";

// The part of the composed frame that differs from the framebuffer.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
Box box_on_screen() {
    const mub::Image &fb = mub::core::framebuffer();
    const mub::Image shown = mub::core::composed_frame();
    Box b;
    for (int y = 0; y < fb.height; ++y)
        for (int x = 0; x < fb.width; ++x)
            if (fb.row(y)[x] != shown.row(y)[x]) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x + 1);
                b.bottom = std::max(b.bottom, y + 1);
            }
    return b;
}

TEST_F(ModalTest, HostAnswersAndSeesCaptionAndChoices) {
    create_main();
    std::vector<int> offered;
    std::string caption_during;
    host.set_modal_decider([&](const std::string &c, const std::vector<int> &answers) {
        offered = answers;
        caption_during = mub::core::open_modal_caption();
        return c == "よろしいですか？" ? IDNO : 0;
    });
    EXPECT_EQ(MessageBoxA(hwnd, kText, kCaption, MB_YESNO), IDNO);
    EXPECT_EQ(offered, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(caption_during, "よろしいですか？");
    EXPECT_EQ(mub::core::open_modal_caption(), "");
    host.queue_answer(IDOK);
    EXPECT_EQ(MessageBoxA(hwnd, kText, kCaption, MB_OK), IDOK);
    EXPECT_EQ(host.modal_log().size(), 2u);
}

TEST_F(ModalTest, KeysMoveFocusAndPressButtons) {
    create_main();
    // Yes/No ignores Escape; Right then Enter presses No.
    host.push_key(VK_ESCAPE);
    host.push_key(VK_RIGHT);
    host.push_key(VK_RETURN);
    EXPECT_EQ(MessageBoxA(hwnd, kText, kCaption, MB_YESNO), IDNO);
    // Space presses the first (focused) button; Tab wraps around.
    host.push_key(VK_TAB);
    host.push_key(VK_TAB);
    host.push_key(VK_SPACE);
    EXPECT_EQ(MessageBoxA(hwnd, kText, kCaption, MB_YESNO), IDYES);
    // An OK box answers OK to Escape.
    host.push_key(VK_ESCAPE);
    EXPECT_EQ(MessageBoxA(hwnd, kText, kCaption, MB_OK), IDOK);
    EXPECT_EQ(host.pending_events(), 0u);
}

TEST_F(ModalTest, MouseClicksOnlyCountInsideOneButton) {
    create_main();
    Box b;
    host.set_modal_decider([&](const std::string &, const std::vector<int> &) {
        b = box_on_screen();
        return 0;
    });
    bool pushed = false;
    host.set_on_idle([&](bool) {
        if (b.right < 0 || pushed) return;
        pushed = true;
        const int mid = (b.left + b.right) / 2;
        const int row = b.bottom - 3 - 12 - 11;  // the row of buttons
        host.push_click(0, 2, 2);                     // outside the box
        host.push_click(1, mid + 20, row);            // the right button does nothing
        host.push_mouse_down(0, mid + 20, row);       // press No, slide off, let go
        host.push_mouse_up(0, mid + 20, b.top + 30);
        host.push_click(0, mid + 20, row);            // a real click on No
    });
    forget();
    EXPECT_EQ(MessageBoxA(hwnd, kText, kCaption, MB_YESNO), IDNO);
    ASSERT_GT(b.right, 0);
    EXPECT_GT(b.right - b.left, 200);
    // Centred on the client area.
    EXPECT_NEAR((b.left + b.right) / 2, 296, 1);
    EXPECT_NEAR((b.top + b.bottom) / 2, 271, 1);
    for (UINT m : seen_messages()) EXPECT_NE(m, UINT(WM_LBUTTONDOWN)) << "no input reaches the window";
}

// The lines of text in a box, as rows of black pixels between the caption
// bar and the row of buttons, parted by blank rows: top row and ink columns.
struct Line {
    int top, left, right;
};
std::vector<Line> text_lines(const Box &b) {
    const mub::Image shown = mub::core::composed_frame();
    std::vector<Line> lines;
    bool in_line = false;
    for (int y = b.top + 3 + 19; y < b.bottom - 3 - 12 - 23; ++y) {
        bool ink = false;
        for (int x = b.left + 3; x < b.right - 3; ++x)
            if (shown.row(y)[x] == 0x000000) {
                if (!ink && !in_line) lines.push_back({y, x, x});
                ink = true;
                lines.back().left = std::min(lines.back().left, x);
                lines.back().right = std::max(lines.back().right, x + 1);
            }
        in_line = ink;
    }
    return lines;
}

// Code page 932 for a run of n hiragana "あ" (0x82A0).
std::string a_times(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "\x82\xa0";
    return s;
}

TEST_F(ModalTest, BoxTextWrapsAtTheWidthTheBoxAllows) {
    // On the 592 x 543 client: the text wraps at 5/8 of its width, or at 3/4
    // or 7/8 when the box would otherwise be too tall for it; a caption that
    // makes the box wider lets the text use that width. Lines are the font's
    // 16 rows plus 4 of leading apart.
    const std::string long_caption = "\x91\x8a\x8e\x45\x8b\x40\x94\x5c(" + a_times(21) + ")\x82\xcd\x95\x74\x82\xaf\x82\xdc\x82\xb7\x82\xa9?";
    struct Case {
        const char *what;
        std::string text, caption;
        size_t lines;
        int min_width, max_width;
    } cases[] = {
        {"short text: as wide as it needs", a_times(10), kCaption, 1, 160, 240},
        {"wide caption: the text uses its width", a_times(33), long_caption, 1, 550, 592},
        {"long text: 5/8 of the client", a_times(60), kCaption, 3, 300, 370},
        {"too tall at 5/8: 3/4 of the client", a_times(500), kCaption, 20, 371, 444},
        {"a full stop never starts a line", a_times(21) + "\x81\x42", kCaption, 2, 300, 370},
    };
    create_main();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Box b;
        std::vector<Line> lines;
        host.set_modal_decider([&](const std::string &, const std::vector<int> &) {
            b = box_on_screen();
            lines = text_lines(b);
            return IDOK;
        });
        MessageBoxA(hwnd, c.text.c_str(), c.caption.c_str(), MB_OK);
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_GE(b.right - b.left, c.min_width);
        EXPECT_LE(b.right - b.left, c.max_width);
        EXPECT_GE(b.top, 0);
        EXPECT_LE(b.bottom, 543);
        for (size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].top - lines[i - 1].top, 20) << "line " << i;
        // Every line starts with a letter: the last one is more than a dot.
        EXPECT_GT(lines.back().right - lines.back().left, 16);
    }
}

TEST_F(ModalTest, BoxIsComposedOverAnIntactFramebuffer) {
    create_main();
    bool checked = false;
    host.set_modal_decider([&](const std::string &, const std::vector<int> &) {
        const mub::Image shown = mub::core::composed_frame();
        const mub::Image &fb = mub::core::framebuffer();
        int face = 0, caption = 0;
        for (uint32_t px : shown.pixels) {
            face += px == 0xC0C0C0;
            caption += px == 0x000080;
        }
        EXPECT_GT(face, 1000);
        EXPECT_GT(caption, 1000);
        for (uint32_t px : fb.pixels) EXPECT_EQ(px, 0u);
        checked = true;
        return IDOK;
    });
    MessageBoxA(hwnd, kText, kCaption, MB_OK);
    EXPECT_TRUE(checked);
}

TEST_F(ModalTest, NestedLoopPaintsAndTicksTheWindowButGivesItNoInput) {
    create_main();
    SetTimer(hwnd, 1, 32, NULL);
    RECT r{0, 0, 10, 10};
    InvalidateRect(hwnd, &r, FALSE);
    host.push_click(0, 5, 5);
    int timers = 0;
    host.set_on_idle([&](bool) {
        if (timers == 2 && host.pending_events() == 0) host.push_key(VK_RETURN);
    });
    handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT &) {
        timers += m == WM_TIMER;
        return false;
    };
    forget();
    EXPECT_EQ(MessageBoxA(hwnd, kText, kCaption, MB_YESNO), IDYES);
    EXPECT_EQ(seen_messages(), (std::vector<UINT>{WM_PAINT, WM_TIMER, WM_TIMER}));
}

TEST_F(ModalTest, ButtonsPressedOrReleasedWhileABoxIsOpenAreKnownAfterIt) {
    // A press or release that a box took still changes what the next mouse
    // message says is held (the shooting game fires on MK_ flags).
    struct Case {
        const char *name;
        bool left_down_before, left_down_during;
        WPARAM flags_after;
    };
    for (const Case &c : {Case{"released in the box", true, false, MK_RBUTTON},
                          Case{"pressed in the box", false, true, MK_LBUTTON | MK_RBUTTON}}) {
        SCOPED_TRACE(c.name);
        mub::core::reset();
        create_main();
        if (c.left_down_before) {
            host.push_mouse_down(0, 5, 5);
            EXPECT_EQ(next().message, UINT(WM_LBUTTONDOWN));
        }
        if (c.left_down_during)
            host.push_mouse_down(0, 5, 5);
        else
            host.push_mouse_up(0, 5, 5);
        host.push_key(VK_RETURN);
        EXPECT_EQ(MessageBoxA(hwnd, kText, kCaption, MB_OK), IDOK);
        host.push_mouse_down(1, 5, 5);
        const MSG m = next();
        EXPECT_EQ(m.message, UINT(WM_RBUTTONDOWN));
        EXPECT_EQ(m.wParam, c.flags_after);
    }
}

TEST_F(ModalTest, DialogReportsButtonsToItsProcedure) {
    create_main();
    static std::vector<std::pair<UINT, WPARAM>> calls;
    calls.clear();
    DLGPROC proc = [](HWND d, UINT m, WPARAM w, LPARAM) -> INT_PTR {
        calls.push_back({m, w});
        if (m == WM_INITDIALOG) return TRUE;
        if (m == WM_COMMAND && LOWORD(w) >= IDC_BUTTON1 && LOWORD(w) <= IDC_BUTTON3) {
            EndDialog(d, LOWORD(w) - IDC_BUTTON1 + 10);
            return TRUE;
        }
        return FALSE;
    };
    std::vector<int> offered;
    host.set_modal_decider([&](const std::string &c, const std::vector<int> &answers) {
        EXPECT_EQ(c, "ゲームを選択して下さい");
        offered = answers;
        return IDC_BUTTON3;
    });
    EXPECT_EQ(DialogBoxParamA(mubtest::program_module(), MAKEINTRESOURCEA(IDD_SELECT), hwnd, proc, 0), 12);
    EXPECT_EQ(offered, (std::vector<int>{IDC_BUTTON1, IDC_BUTTON2, IDC_BUTTON3}));
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0].first, UINT(WM_INITDIALOG));
    EXPECT_EQ(calls[1].first, UINT(WM_COMMAND));
    EXPECT_EQ(calls[1].second, WPARAM(IDC_BUTTON3)) << "BN_CLICKED in the high word";

    // Escape reaches the procedure as Cancel, Alt+F4 and clicks beside the
    // buttons do nothing; Tab and Enter press the second button.
    host.set_modal_decider(nullptr);
    calls.clear();
    host.push_key(VK_ESCAPE);
    mub::HostEvent alt_f4;
    alt_f4.type = mub::HostEvent::Type::KeyDown;
    alt_f4.vk = VK_F4;
    alt_f4.alt = true;
    host.push_event(alt_f4);
    host.push_click(0, 90, 130);
    host.push_key(VK_TAB);
    host.push_key(VK_RETURN);
    EXPECT_EQ(DialogBoxParamA(mubtest::program_module(), MAKEINTRESOURCEA(IDD_SELECT), hwnd, proc, 0), 11);
    ASSERT_GE(calls.size(), 3u);  // then WM_DESTROY
    EXPECT_EQ(calls[1], (std::pair<UINT, WPARAM>{WM_COMMAND, IDCANCEL}));
    EXPECT_EQ(calls[2], (std::pair<UINT, WPARAM>{WM_COMMAND, IDC_BUTTON2}));

    // Buttons sit where the template puts them, in dialog units of the 16-pixel
    // font, relative to the window's client area: a click on the third one.
    host.push_click(0, 83 + 2 * (23 + 133 / 2), 122 + 2 * (145 + 12));
    EXPECT_EQ(DialogBoxParamA(mubtest::program_module(), MAKEINTRESOURCEA(IDD_SELECT), hwnd, proc, 0), 12);
    EXPECT_EQ(mub::core::live_gdi_objects(), 0u);
}

TEST_F(ModalTest, CloseBoxEndsTheBoxThenTheProgram) {
    create_main();
    SetTimer(hwnd, 1, 32, NULL);
    std::vector<int> answers;
    bool ticked_after_destroy = false, destroyed = false;
    handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT &) {
        if (m == WM_DESTROY) {
            destroyed = true;
            PostQuitMessage(0);
        }
        if (m == WM_TIMER) {
            if (destroyed) ticked_after_destroy = true;
            // The game's pattern: stop the timer, ask, start it again.
            KillTimer(h, 1);
            host.push_close();
            answers.push_back(MessageBoxA(h, kText, kCaption, MB_YESNO));
            SetTimer(h, 1, 32, NULL);
            return true;
        }
        return false;
    };
    MSG m;
    int code = -1;
    while (GetMessageA(&m, NULL, 0, 0)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    code = int(m.wParam);
    EXPECT_EQ(answers, (std::vector<int>{IDNO}));
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(ticked_after_destroy);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(mub::core::main_window_destroyed());
}

TEST_F(ModalTest, DialogClosedByTheCloseBoxReturnsCancel) {
    create_main();
    DLGPROC proc = [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR { return m == WM_INITDIALOG; };
    host.push_close();
    EXPECT_EQ(DialogBoxParamA(mubtest::program_module(), MAKEINTRESOURCEA(IDD_SELECT), hwnd, proc, 0), IDCANCEL);
    MSG m;
    ASSERT_TRUE(GetMessageA(&m, NULL, 0, 0));
    EXPECT_EQ(m.message, UINT(WM_CLOSE));
}

}  // namespace
}  // namespace coretest
