// A recording of a run: what the core took (StartOptions::on_taken) as
// script lines, each stamped with the tick after which it was taken, after a
// header that names the edition and the settings that were on, and ending
// with a line that names the last tick. mubmub-sim replays it to the same
// state; a replay in a window (replay_host.h) shows it.
//
// What a recording holds: presses as they arrived (plain or double, so no
// clock decides again) and releases; key presses with what they typed; the
// close box; each answer a box was given. Presses and releases that a box
// took show only as the buttons they leave held ("held"), given before the
// box's answer. Input taken between a tick and the paint that tick left
// pending is marked before-paint. Key releases and pointer moves change
// nothing in the game and are left out.
//
// Lines go to the sink once a tick and at the end, so a sink that keeps what
// it is given loses at most the tick under way when the program is killed.
//
// Every program records the same way (the page too, compiled to WebAssembly):
//   core::StartOptions start;           // the edition and settings set first
//   RecordingText text;                 // or a sink of the program's own
//   Recorder recorder(start, text);     // writes the header
//   start.on_taken = [&](const core::Taken &t) { recorder.take(t); };
//   core::run_program(resources, host, WinMain, start);
//   recorder.finish(core::ticks_handled());
// text.text() is the recording: whole after every tick, then with its end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/start.h"
#include "sim/script.h"

namespace mub::sim {

class RecordingSink {
public:
    virtual ~RecordingSink() = default;
    // `lines`: complete lines that follow those given before; `end`: the end
    // line as of now, replacing the one given before.
    virtual void write(std::string_view lines, std::string_view end) = 0;
};

// A sink that keeps the whole recording as text (the page's).
class RecordingText final : public RecordingSink {
public:
    void write(std::string_view lines, std::string_view end) override {
        body_ += lines;
        end_ = end;
    }
    std::string text() const { return body_ + end_; }

private:
    std::string body_, end_;
};

class Recorder {
public:
    // Writes the header at once: the edition and settings of `options`.
    Recorder(const mub::core::StartOptions &options, RecordingSink &sink);
    Recorder(const Recorder &) = delete;
    Recorder &operator=(const Recorder &) = delete;

    // For StartOptions::on_taken.
    void take(const mub::core::Taken &taken);
    // Hands what was taken since the last tick to the sink now, for a
    // recording read between ticks (the page's): a replay of it reaches the
    // program's state as it is at this moment.
    void sync() { flush(); }
    // The program ended after `ticks` ticks (mub::core::ticks_handled()).
    void finish(uint64_t ticks);

private:
    void line(ScriptEvent ev);
    void flush();

    RecordingSink &sink_;
    std::string pending_;
    int64_t ticks_ = 0;
    uint8_t held_ = 0;          // the buttons held, as the core has them
    uint8_t held_written_ = 0;  // as the lines so far leave them
};

}  // namespace mub::sim
