// MessageBoxA: text, caption and OK or Yes/No buttons, centred on the window.
#include <windows.h>

#include <algorithm>
#include <string_view>

#include "platform/core/core.h"
#include "platform/core/modal/classic_look.h"
#include "platform/core/modal/modal_box.h"
#include "platform/core/state.h"
#include "platform/text/text.h"

namespace mub::core::detail {
namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
// The work area a box must fit when there is no window: the game's client.
constexpr int kDefaultWorkWidth = 592;
constexpr int kDefaultWorkHeight = 543;

// Characters that never begin a line (closing brackets and punctuation); the
// character before them moves down with them, as Japanese line breaking does.
bool never_starts_a_line(char32_t c) {
    static constexpr std::u32string_view kClosing = U"、。，．・：；？！ー）」』】〕〉》ぁぃぅぇぉっゃゅょァィゥェォッャュョ,.:;?!)]}";
    return kClosing.find(c) != std::u32string_view::npos;
}

// Latin words stay whole: a line breaks after a space. Japanese breaks
// between any two characters.
bool is_word_letter(char32_t c) { return c > U' ' && c < 0x2000; }

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
            std::u32string &line = lines.back();
            std::u32string carried;
            if (c == U' ') {
                // A space at the break disappears.
                lines.emplace_back();
                width = 0;
                continue;
            }
            const size_t space = line.rfind(U' ');
            if (is_word_letter(c) && is_word_letter(line.back()) && space != std::u32string::npos && space > 0) {
                carried = line.substr(space + 1);
                line.erase(space);
            } else if (never_starts_a_line(c) && line.size() > 1) {
                carried = line.substr(line.size() - 1);
                line.pop_back();
            }
            while (line.size() > 1 && line.back() == U' ') line.pop_back();
            lines.push_back(carried);
            width = mub::text::text_width(carried);
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
        text_ = text;
        // The buttons speak the user's language, as the system's own do.
        const bool japanese = mub::res::primary_language(ui_language()) == mub::res::primary_language(mub::res::kLangJapanese);
        if (type_ == MB_YESNO) {
            buttons_ = {{IDYES, japanese ? U"はい(Y)" : U"Yes", {}}, {IDNO, japanese ? U"いいえ(N)" : U"No", {}}};
        } else if (type_ == MB_OKCANCEL) {
            buttons_ = {{IDOK, U"OK", {}}, {IDCANCEL, japanese ? U"キャンセル" : U"Cancel", {}}};
        } else {
            type_ = MB_OK;
            buttons_ = {{IDOK, U"OK", {}}};
        }
        if ((type & 0xF00) == MB_DEFBUTTON2 && buttons_.size() > 1) focus_ = 1;
        // The window it is centred on is its work area, measured once, as
        // Windows lays a box out once when it opens.
        const Window *w = main_window();
        const bool sized = w && w->frame.width > 0 && w->frame.height > 0;
        layout(sized ? w->frame.width : kDefaultWorkWidth, sized ? w->frame.height : kDefaultWorkHeight);
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
    void press(int id) override { choose(id); }
    // Escape means Cancel, and OK when OK is the only answer; a Yes/No box
    // has no such answer and stays open.
    void escape() override {
        if (type_ == MB_OK) choose(IDOK);
        if (type_ == MB_OKCANCEL) choose(IDCANCEL);
    }
    void mnemonic(char ch) override {
        if (type_ != MB_YESNO) return;
        if (ch == 'y' || ch == 'Y') choose(IDYES);
        if (ch == 'n' || ch == 'N') choose(IDNO);
    }
    void choose(int id) {
        answered(id);
        finish(id);
    }
    bool has_close_box() const override { return true; }
    bool close_box_enabled() const override { return type_ != MB_YESNO; }

    std::vector<BoxText> content_texts(const Rect &client) const override {
        std::vector<BoxText> out;
        int y = client.top + kMargin;
        for (const auto &line : lines_) {
            out.push_back({line, Rect{client.left + kMargin, y, client.right - kMargin, y + mub::text::kLineHeight}});
            y += mub::text::kLineHeight + look::kLeading;
        }
        return out;
    }

    void draw_content(Image &img, const Rect &client) const override {
        int y = client.top + kMargin;
        for (const auto &line : lines_) {
            look::text(img, client.left + kMargin, y, line, look::kText, client);
            y += mub::text::kLineHeight + look::kLeading;
        }
    }

private:
    // As Windows 95 sizes a message box: the text wraps at the narrowest of
    // 5/8, 3/4 and 7/8 of the work area's width that lets the box fit the
    // work area's height (7/8 when none does). A box that its caption or its
    // buttons already make wider lets the text use that width. The box never
    // grows wider than the work area; a longer caption is cut off.
    void layout(int work_w, int work_h) {
        int button_w = kButtonWidth;
        for (const auto &b : buttons_) button_w = std::max(button_w, mub::text::text_width(b.label) + 16);
        const int n = int(buttons_.size());
        const int row_w = n * button_w + (n - 1) * kButtonGap;
        const int caption_w = mub::text::text_width(caption_) + 8 + 24;
        const int widest_client = std::max(work_w - 2 * look::kFrame, 1);
        const int needed_client = std::min(std::max(row_w + 2 * kMargin, caption_w), widest_client);
        for (int eighths : {5, 6, 7}) {
            const int limit_client = std::min(work_w * eighths / 8 - 2 * look::kFrame, widest_client);
            lines_ = wrap(text_, std::max(limit_client, needed_client) - 2 * kMargin);
            if (box_height() <= work_h) break;
        }
        int text_w = 0;
        for (const auto &line : lines_) text_w = std::max(text_w, mub::text::text_width(line));
        const int client_w = std::min(std::max(text_w + 2 * kMargin, needed_client), widest_client);
        width_ = client_w + 2 * look::kFrame;
        height_ = box_height();
        int x = (client_w - row_w) / 2;
        const int y = kMargin + text_height() + kMargin;
        for (auto &b : buttons_) {
            b.rect = Rect{x, y, x + button_w, y + kButtonHeight};
            x += button_w + kButtonGap;
        }
    }

    // Lines are the font's height plus its leading apart.
    int text_height() const {
        const int n = int(lines_.size());
        return n * mub::text::kLineHeight + (n - 1) * look::kLeading;
    }
    int box_height() const {
        return 2 * look::kFrame + look::kCaptionRow + kMargin + text_height() + kMargin + kButtonHeight + kMargin;
    }

    std::u32string text_;
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
