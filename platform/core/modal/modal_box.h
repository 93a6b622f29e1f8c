// A modal box drawn by the core over the main window: its buttons, keyboard
// focus and mouse tracking, and the nested message loop that runs it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/core/core.h"
#include "platform/core/host.h"
#include "platform/core/region.h"

namespace mub::core::detail {

struct BoxButton {
    int id = 0;
    std::u32string label;
    Rect rect;  // relative to the box's client area
};

// A text a box shows and the room it has there (client-area coordinates):
// the caption its bar up to the close box, a label its button's face, a
// line of a message box the client area within its margins.
struct BoxText {
    std::u32string text;
    Rect room;
};

class ModalBox {
public:
    virtual ~ModalBox() = default;

    std::string caption_utf8() const;
    std::vector<int> answers() const;
    bool done() const { return done_; }
    int result() const { return result_; }

    // Where the box stands on a client area of this size (outer frame).
    virtual Rect frame_on(int client_w, int client_h) const = 0;
    void draw(Image &img) const;
    // Every text the box draws on a client area of this size, with its room:
    // a text wider than its room is cut off.
    std::vector<BoxText> texts(int client_w, int client_h) const;

    // Each button's label and centre on a client area of this size.
    std::vector<OpenBoxButton> button_places(int client_w, int client_h) const;

    void handle_input(const HostEvent &ev);
    // The host answered: a click of that button.
    void answer(int id);
    // The window's close box: end with the answer that closing means.
    virtual void close_by_system() = 0;

    void finish(int result);

protected:
    virtual void press(int id) = 0;
    virtual void escape() = 0;
    virtual void mnemonic(char ch) { (void)ch; }
    virtual void draw_content(Image &img, const Rect &client) const { (void)img, (void)client; }
    virtual std::vector<BoxText> content_texts(const Rect &client) const {
        (void)client;
        return {};
    }
    virtual bool has_close_box() const { return false; }
    virtual bool close_box_enabled() const { return false; }

    // Tells whoever records the run which answer the user gave.
    void answered(int id) const;

    std::u32string caption_;
    std::vector<BoxButton> buttons_;
    int focus_ = 0;

private:
    Rect current_frame() const;
    Rect client_of(const Rect &frame) const;
    int button_at(int x, int y) const;  // -1 none, kCloseIndex the close box
    void move_focus(int step);

    static constexpr int kCloseIndex = 1000000;
    int pressed_ = -1;
    bool pointer_inside_ = false;
    bool done_ = false;
    int result_ = 0;
};

// Runs the nested message loop until the box is done. The main window keeps
// getting paint and timer messages; input goes to the box. Ends early (with
// the box's close answer) when the owner goes away, the program quits or the
// run is ended.
int run_modal(ModalBox &box, HWND owner);

}  // namespace mub::core::detail
