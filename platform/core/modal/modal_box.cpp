#include "platform/core/modal/modal_box.h"

#include <algorithm>

#include "platform/core/message_loop.h"
#include "platform/core/modal/classic_look.h"
#include "platform/core/state.h"
#include "platform/text/text.h"

namespace mub::core::detail {

std::string ModalBox::caption_utf8() const { return mub::text::u32_to_utf8(caption_); }

std::vector<int> ModalBox::answers() const {
    std::vector<int> ids;
    for (const BoxButton &b : buttons_) ids.push_back(b.id);
    return ids;
}

Rect ModalBox::current_frame() const {
    const Window *w = main_window();
    return w ? frame_on(w->frame.width, w->frame.height) : frame_on(0, 0);
}

Rect ModalBox::client_of(const Rect &f) const {
    return Rect{f.left + look::kFrame, f.top + look::kFrame + look::kCaptionRow, f.right - look::kFrame,
                f.bottom - look::kFrame};
}

void ModalBox::draw(Image &img) const {
    const Rect frame = frame_on(img.width, img.height);
    look::window(img, frame, caption_);
    if (has_close_box()) look::close_button(img, look::close_box(frame), close_box_enabled(), pressed_ == kCloseIndex && pointer_inside_);
    const Rect client = client_of(frame);
    draw_content(img, client);
    for (int i = 0; i < int(buttons_.size()); ++i) {
        const bool focused = i == focus_;
        const bool pressed = i == pressed_ && pointer_inside_;
        look::push_button(img, translate(buttons_[size_t(i)].rect, client.left, client.top), buttons_[size_t(i)].label,
                          focused, pressed, focused);
    }
}

std::vector<BoxText> ModalBox::texts(int client_w, int client_h) const {
    const Rect frame = frame_on(client_w, client_h);
    std::vector<BoxText> out{{caption_, look::caption_room(frame)}};
    const Rect client = client_of(frame);
    for (const BoxButton &b : buttons_) {
        const Rect r = translate(b.rect, client.left, client.top);
        out.push_back({b.label, Rect{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2}});
    }
    for (BoxText &t : content_texts(client)) out.push_back(std::move(t));
    return out;
}

std::vector<OpenBoxButton> ModalBox::button_places(int client_w, int client_h) const {
    const Rect client = client_of(frame_on(client_w, client_h));
    std::vector<OpenBoxButton> out;
    for (const BoxButton &b : buttons_) {
        std::u32string label;
        for (char32_t c : b.label)
            if (c != U'&') label += c;
        const Rect r = translate(b.rect, client.left, client.top);
        out.push_back({mub::text::u32_to_utf8(label), (r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    return out;
}

int ModalBox::button_at(int x, int y) const {
    const Rect frame = current_frame();
    auto inside = [x, y](const Rect &r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
    if (has_close_box() && close_box_enabled() && inside(look::close_box(frame))) return kCloseIndex;
    const Rect client = client_of(frame);
    for (int i = 0; i < int(buttons_.size()); ++i)
        if (inside(translate(buttons_[size_t(i)].rect, client.left, client.top))) return i;
    return -1;
}

void ModalBox::move_focus(int step) {
    if (buttons_.empty()) return;
    const int n = int(buttons_.size());
    focus_ = ((focus_ + step) % n + n) % n;
}

void ModalBox::handle_input(const HostEvent &ev) {
    using T = HostEvent::Type;
    if (done_) return;
    mark_dirty();
    switch (ev.type) {
    case T::MouseDown:
        if (ev.button != 0) return;  // the right button does nothing on a box
        pressed_ = button_at(ev.x, ev.y);
        pointer_inside_ = pressed_ >= 0;
        if (pressed_ >= 0 && pressed_ != kCloseIndex) focus_ = pressed_;
        return;
    case T::MouseMove:
        if (pressed_ >= 0) pointer_inside_ = button_at(ev.x, ev.y) == pressed_;
        return;
    case T::MouseUp: {
        if (ev.button != 0 || pressed_ < 0) return;
        const int was = pressed_;
        const bool click = button_at(ev.x, ev.y) == was;
        pressed_ = -1;
        pointer_inside_ = false;
        if (!click) return;
        if (was == kCloseIndex)
            escape();
        else
            press(buttons_[size_t(was)].id);
        return;
    }
    case T::KeyDown:
        switch (ev.vk) {
        case VK_TAB:
        case VK_RIGHT:
        case VK_DOWN: move_focus(1); return;
        case VK_LEFT:
        case VK_UP: move_focus(-1); return;
        case VK_RETURN:
        case VK_SPACE:
            if (!buttons_.empty()) press(buttons_[size_t(focus_)].id);
            return;
        case VK_ESCAPE: escape(); return;
        case VK_F4:
            if (ev.alt && has_close_box() && close_box_enabled()) escape();
            return;
        default:
            if (!ev.alt && ev.ch) mnemonic(ev.ch);
            return;
        }
    default:
        return;
    }
}

void ModalBox::answer(int id) {
    for (int i = 0; i < int(buttons_.size()); ++i) {
        if (buttons_[size_t(i)].id == id) {
            focus_ = i;
            press(id);
            return;
        }
    }
}

void ModalBox::answered(int id) const {
    mub::core::Taken t;
    t.what = mub::core::Taken::What::Answer;
    t.answer = id;
    report_taken(t);
}

void ModalBox::finish(int result) {
    if (done_) return;
    done_ = true;
    result_ = result;
}

int run_modal(ModalBox &box, HWND owner) {
    State &s = state();
    s.modals.push_back(&box);
    mark_dirty();
    if (Host *h = host(); h && !box.done()) {
        const int a = h->modal_opened(box.caption_utf8(), box.answers());
        if (a == kAnswerCloseBox)
            close_during_modal();
        else if (a)
            box.answer(a);
    }
    while (!box.done()) {
        if ((owner && !find_window(owner)) || s.end_of_run) {
            box.close_by_system();
            break;
        }
        MSG m;
        const Fetch r = fetch_message(m, false);
        if (r == Fetch::Quit) {
            box.close_by_system();  // the quit request stays for the loop outside
            break;
        }
        if (r == Fetch::Message) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    std::erase(s.modals, &box);
    mark_dirty();
    if (Host *h = host()) h->modal_closed();
    return box.result();
}

}  // namespace mub::core::detail
