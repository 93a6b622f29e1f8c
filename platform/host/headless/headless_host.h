// The host without a screen, for the simulator and the tests: a virtual clock
// that starts at 0 and only moves when the program waits, input pushed by
// the driver, and modal boxes answered from one queue or by a callback.
//
// When the program has nothing left to do before its next deadline, the host
// first asks the driver (on_idle), which may push input or end the run; only
// then does the clock jump to the deadline. A program that waits forever
// with nothing queued is starved, unless the driver froze the clock to let
// the run end.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/core/host.h"

namespace mub::headless {

// Raised when the program waits for input that nobody will ever give:
// no event queued, no timer running, nothing left to decide.
class Starved : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class HeadlessHost final : public Host {
public:
    // Decides the answer to a modal box when no answer is queued: return an
    // id from answers, or 0 to let input events answer it.
    using ModalDecider = std::function<int(const std::string &caption, const std::vector<int> &answers)>;
    // Told when the queued answer is not one the box can take (the driver's
    // mistake); returns the answer that closes the box instead.
    using WrongAnswerHandler =
        std::function<int(const std::string &caption, const std::vector<int> &answers, int queued)>;
    // Called when the program waits and nothing is queued; waits_forever:
    // no timer is running, so only input can wake it.
    using IdleHandler = std::function<void(bool waits_forever)>;

    // keep_frames: copy every presented frame for last_frame(). The simulator
    // reads the core's framebuffer when it needs one and leaves this off.
    explicit HeadlessHost(bool keep_frames = true) : keep_frames_(keep_frames) {}

    // --- the program's side
    uint64_t now_ms() override { return now_; }
    bool wait_event(HostEvent &ev, uint64_t deadline_ms) override;
    void present(const Image &frame) override;
    void set_title(const std::string &utf8_title) override { title_ = utf8_title; }
    void set_icon(const Image &icon) override { icon_ = icon; }
    void show_window(int client_width, int client_height) override;
    int modal_opened(const std::string &utf8_caption, const std::vector<int> &answers) override;

    // --- the driver's side
    // Queues an event that happens now (its time is set to the clock); a
    // resize is also the host's idea of the client size from now on.
    void push_event(HostEvent ev);
    void push_mouse_down(int button, int x, int y);
    void push_mouse_up(int button, int x, int y);
    void push_click(int button, int x, int y);  // press and release
    // A key pressed: its virtual key and the character it typed, if any.
    void push_key(int vk, char ch = 0, bool repeat = false);
    void push_key_up(int vk);
    void push_close();
    void push_resize(int client_width, int client_height);
    void push_expose(int x, int y, int width, int height);
    size_t pending_events() const { return events_.size(); }

    // Answers for the boxes to come, oldest first.
    void queue_answer(int answer) { answers_.push_back(answer); }
    void set_modal_decider(ModalDecider decider) { decider_ = std::move(decider); }
    void set_wrong_answer_handler(WrongAnswerHandler handler) { wrong_answer_ = std::move(handler); }
    void set_on_idle(IdleHandler on_idle) { on_idle_ = std::move(on_idle); }
    // Asked for more input whenever the program takes the last pushed event,
    // so a driver can hand over a long run of input a little at a time and
    // the program still sees it as one queue.
    void set_on_drained(std::function<void()> on_drained) { on_drained_ = std::move(on_drained); }

    // From now on the clock stands still and the driver is no longer asked:
    // the program can only drain what it already has, so a run that the
    // driver ended finishes without another tick.
    void freeze() { frozen_ = true; }
    void advance(uint64_t ms) { now_ += ms; }

    const Image &last_frame() const { return last_frame_; }
    size_t frames_presented() const { return frames_; }
    const std::string &title() const { return title_; }
    const Image &icon() const { return icon_; }
    bool shown() const { return shown_; }
    // The client size the window was shown at, or resized to since.
    int client_width() const { return client_w_; }
    int client_height() const { return client_h_; }
    // Captions of every box opened so far, in order.
    const std::vector<std::string> &modal_log() const { return modal_log_; }

private:
    bool take(HostEvent &ev);

    const bool keep_frames_;
    uint64_t now_ = 0;
    std::deque<HostEvent> events_;
    std::deque<int> answers_;
    ModalDecider decider_;
    WrongAnswerHandler wrong_answer_;
    IdleHandler on_idle_;
    std::function<void()> on_drained_;
    bool frozen_ = false;
    Image last_frame_;
    size_t frames_ = 0;
    std::string title_;
    Image icon_;
    bool shown_ = false;
    int client_w_ = 0, client_h_ = 0;
    std::vector<std::string> modal_log_;
};

}  // namespace mub::headless
