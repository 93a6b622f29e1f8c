// DialogBoxParamA and EndDialog: a dialog from a template, its push buttons
// reporting to the dialog procedure.
#include <windows.h>

#include <algorithm>

#include "platform/core/core.h"
#include "platform/core/modal/classic_look.h"
#include "platform/core/modal/modal_box.h"
#include "platform/core/state.h"
#include "platform/resource/resources.h"
#include "platform/text/text.h"

namespace mub::core::detail {
namespace {

constexpr uint16_t kButtonClass = 0x80;
constexpr uint16_t kStaticClass = 0x82;
constexpr WORD kButtonClicked = 0;  // BN_CLICKED

// Dialog units of the dialog font: a 16-pixel font whose average character
// is 8 pixels wide; x units are a quarter of it, y units an eighth.
struct BaseUnits {
    int x, y;
    int px_x(int du) const { return du * x / 4; }
    int px_y(int du) const { return du * y / 8; }
};

BaseUnits dialog_base_units() {
    const std::u32string sample = U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return BaseUnits{(mub::text::text_width(sample) / 26 + 1) / 2, mub::text::kLineHeight};
}

class DialogBox final : public ModalBox {
public:
    DialogBox(const mub::res::DialogTemplate &t, HWND hdlg) : hdlg_(hdlg) {
        const BaseUnits u = dialog_base_units();
        caption_ = t.caption;
        x_ = u.px_x(t.x);
        y_ = u.px_y(t.y);
        client_w_ = u.px_x(t.cx);
        client_h_ = u.px_y(t.cy);
        for (const auto &item : t.items) {
            const Rect r{u.px_x(item.x), u.px_y(item.y), u.px_x(item.x + item.cx), u.px_y(item.y + item.cy)};
            if (item.class_atom == kButtonClass && (item.style & 0xF) <= BS_DEFPUSHBUTTON)
                buttons_.push_back(BoxButton{item.id, item.text, r});
            else if (item.class_atom == kStaticClass)
                statics_.push_back(BoxButton{item.id, item.text, r});
        }
    }

    Rect frame_on(int, int) const override {
        return Rect{x_, y_, x_ + client_w_ + 2 * look::kFrame, y_ + client_h_ + 2 * look::kFrame + look::kCaptionRow};
    }

    void close_by_system() override { finish(IDCANCEL); }

protected:
    void press(int id) override {
        answered(id);
        SendMessageA(hdlg_, WM_COMMAND, WPARAM(uint32_t(uint16_t(id)) | (uint32_t(kButtonClicked) << 16)), 0);
    }
    // The dialog manager reports Escape as the Cancel command; the dialog
    // procedure decides.
    void escape() override { SendMessageA(hdlg_, WM_COMMAND, IDCANCEL, 0); }

    std::vector<BoxText> content_texts(const Rect &client) const override {
        std::vector<BoxText> out;
        for (const auto &s : statics_) out.push_back({s.label, translate(s.rect, client.left, client.top)});
        return out;
    }

    void draw_content(Image &img, const Rect &client) const override {
        for (const auto &s : statics_) {
            const Rect r = translate(s.rect, client.left, client.top);
            look::text(img, r.left, r.top, s.label, look::kText, intersect(r, client));
        }
    }

private:
    HWND hdlg_;
    int x_ = 0, y_ = 0, client_w_ = 0, client_h_ = 0;
    std::vector<BoxButton> statics_;
};

}  // namespace
}  // namespace mub::core::detail

extern "C" {

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
    using namespace mub::core::detail;
    const mub::res::ResFile *res = module_resources(instance);
    if (!res || !name || !proc || (owner && !find_window(owner))) return -1;
    auto tpl = mub::res::load_dialog(*res, mub::res::Id::from_win32(name), mub::core::ui_language());
    if (!tpl) return -1;

    const HWND hdlg = reinterpret_cast<HWND>(new_handle());
    auto w = std::make_unique<Window>();
    w->handle = hdlg;
    w->dlgproc = proc;
    Window *win = w.get();
    state().windows[reinterpret_cast<uintptr_t>(hdlg)] = std::move(w);

    DialogBox box(*tpl, hdlg);
    win->dialog = &box;
    SendMessageA(hdlg, WM_INITDIALOG, 0, param);
    const int result = run_modal(box, owner);

    if (Window *still = find_window(hdlg)) {
        still->dialog = nullptr;
        SendMessageA(hdlg, WM_DESTROY, 0, 0);
        state().windows.erase(reinterpret_cast<uintptr_t>(hdlg));
    }
    return result;
}

BOOL WINAPI EndDialog(HWND hdlg, INT_PTR result) {
    using namespace mub::core::detail;
    Window *w = find_window(hdlg);
    if (!w || !w->dialog) return FALSE;
    w->dialog->finish(int(result));
    return TRUE;
}

}  // extern "C"
