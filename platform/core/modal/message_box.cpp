// MessageBoxA: text, caption and OK or Yes/No buttons, centred on the window.
#include <windows.h>

#include <algorithm>

#include "platform/core/modal/classic_look.h"
#include "platform/core/modal/modal_box.h"
#include "platform/core/state.h"
#include "platform/text/text.h"

namespace mub::core::detail {
namespace {

constexpr int kWrapWidth = 400;
constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

std::vector<std::u32string> wrap(const std::u32string &s, int max_width) {
    std::vector<std::u32string> lines(1);
    int width = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        if (c == U'\r') continue;
        if (c == U'\n') {
            lines.emplace_back();
            width = 0;
            continue;
        }
        const int w = mub::text::glyph_width(c);
        if (width + w > max_width && !lines.back().empty()) {
            lines.emplace_back();
            width = 0;
        }
        lines.back() += c;
        width += w;
    }
    return lines;
}

class MessageBox final : public ModalBox {
public:
    MessageBox(const std::u32string &text, const std::u32string &caption, UINT type) : type_(type & 0xF) {
        caption_ = caption;
        lines_ = wrap(text, kWrapWidth);
        if (type_ == MB_YESNO) {
            buttons_ = {{IDYES, U"はい(Y)", {}}, {IDNO, U"いいえ(N)", {}}};
        } else if (type_ == MB_OKCANCEL) {
            buttons_ = {{IDOK, U"OK", {}}, {IDCANCEL, U"キャンセル", {}}};
        } else {
            type_ = MB_OK;
            buttons_ = {{IDOK, U"OK", {}}};
        }
        if ((type & 0xF00) == MB_DEFBUTTON2 && buttons_.size() > 1) focus_ = 1;
        layout();
    }

    Rect frame_on(int client_w, int client_h) const override {
        const int x = std::max(0, (client_w - width_) / 2);
        const int y = std::max(0, (client_h - height_) / 2);
        return Rect{x, y, x + width_, y + height_};
    }

    void close_by_system() override {
        finish(type_ == MB_YESNO ? IDNO : type_ == MB_OKCANCEL ? IDCANCEL : IDOK);
    }

protected:
    void press(int id) override { finish(id); }
    // Escape means Cancel, and OK when OK is the only answer; a Yes/No box
    // has no such answer and stays open.
    void escape() override {
        if (type_ == MB_OK) finish(IDOK);
        if (type_ == MB_OKCANCEL) finish(IDCANCEL);
    }
    void mnemonic(char ch) override {
        if (type_ != MB_YESNO) return;
        if (ch == 'y' || ch == 'Y') finish(IDYES);
        if (ch == 'n' || ch == 'N') finish(IDNO);
    }
    bool has_close_box() const override { return true; }
    bool close_box_enabled() const override { return type_ != MB_YESNO; }

    void draw_content(Image &img, const Rect &client) const override {
        int y = client.top + kMargin;
        for (const auto &line : lines_) {
            look::text(img, client.left + kMargin, y, line, look::kText, client);
            y += mub::text::kLineHeight;
        }
    }

private:
    void layout() {
        int text_w = 0;
        for (const auto &line : lines_) text_w = std::max(text_w, mub::text::text_width(line));
        const int text_h = int(lines_.size()) * mub::text::kLineHeight;
        int button_w = kButtonWidth;
        for (const auto &b : buttons_) button_w = std::max(button_w, mub::text::text_width(b.label) + 16);
        const int n = int(buttons_.size());
        const int row_w = n * button_w + (n - 1) * kButtonGap;
        const int caption_w = mub::text::text_width(caption_) + 8 + 24;
        const int client_w = std::max({text_w + 2 * kMargin, row_w + 2 * kMargin, caption_w});
        const int client_h = kMargin + text_h + kMargin + kButtonHeight + kMargin;
        width_ = client_w + 2 * look::kFrame;
        height_ = client_h + 2 * look::kFrame + look::kCaptionRow;
        int x = (client_w - row_w) / 2;
        const int y = kMargin + text_h + kMargin;
        for (auto &b : buttons_) {
            b.rect = Rect{x, y, x + button_w, y + kButtonHeight};
            x += button_w + kButtonGap;
        }
    }

    UINT type_;
    std::vector<std::u32string> lines_;
    int width_ = 0, height_ = 0;
};

}  // namespace
}  // namespace mub::core::detail

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    using namespace mub::core::detail;
    if (owner && !find_window(owner)) return 0;
    MessageBox box(mub::text::decode_cp932(text ? text : ""),
                   mub::text::decode_cp932(caption ? caption : "Error"), type);
    return run_modal(box, owner);
}
