// A replay shown on a real host (the desktop window, later the page): the
// host shows the game and keeps its clock, so the recording plays at the
// speed it was made at; the recording gives the input at the ticks it names
// and answers the boxes. The player's own input is left unread, except
// Escape and the window's close box, which end the replay.
//
// Wire it as the program's host, and its after_dispatch as
// StartOptions::after_dispatch (it hands over the input taken between a
// tick and its paint there):
//   Script script = parse_script(text);      // ScriptError names a bad line
//   core::StartOptions start;
//   apply_header(script, start);             // the recording's edition and settings
//   ReplayHost replay(host, std::move(script), ReplayHost::AtEnd::HandOver);
//   start.after_dispatch = [&](const MSG &m) { replay.after_dispatch(m); };
//   core::run_program(resources, replay, WinMain, start);
// At the recording's end, with the program still running, the game either
// stands still on its last picture until Escape or the close box (Hold), or
// goes on with the player's own input (HandOver); at_end() tells when.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include <windows.h>

#include "platform/core/host.h"
#include "sim/script.h"
#include "sim/script_player.h"

namespace mub::sim {

class ReplayHost final : public Host {
public:
    enum class AtEnd { Hold, HandOver };
    ReplayHost(Host &shown, Script script, AtEnd at_end = AtEnd::Hold);

    void after_dispatch(const MSG &msg);
    // Escape or the close box ended the replay.
    bool stopped() const { return stopped_; }
    // The recording has been played to its end.
    bool at_end() const { return at_end_; }
    // Called once, when the recording has been played to its end (a page
    // says so at once, though a box may hold the next tick back).
    std::function<void()> on_end;

    uint64_t now_ms() override;
    bool wait_event(HostEvent &ev, uint64_t deadline_ms) override;
    void present(const Image &frame) override { shown_.present(frame); }
    void set_title(const std::string &utf8_title) override { shown_.set_title(utf8_title); }
    void set_icon(const Image &icon) override { shown_.set_icon(icon); }
    void show_window(int client_width, int client_height) override;
    int modal_opened(const std::string &utf8_caption, const std::vector<int> &answers) override;
    void modal_closed() override { shown_.modal_closed(); }

private:
    // The player's own input: true when it ends the replay.
    bool from_player(const HostEvent &ev);
    bool playing() const { return !stopped_ && !at_end_; }

    Host &shown_;
    ScriptPlayer player_;
    const int64_t end_;
    const AtEnd at_end_mode_;
    int64_t ticks_ = 0;
    std::deque<HostEvent> queue_;
    std::vector<HostEvent> scratch_;
    std::deque<int> answers_;
    int client_w_ = 0, client_h_ = 0;
    bool at_end_ = false;
    bool stopped_ = false;
    uint64_t held_clock_ = 0;  // the time the game stands still at
};

}  // namespace mub::sim
