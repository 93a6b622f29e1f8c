#include "sim/recorder.h"

#include <algorithm>

#include "platform/core/core.h"

namespace mub::sim {

namespace {

constexpr const char *kPreamble =
    "# A recording of mubmub: what the program took, tick by tick.\n"
    "# Replay it with  mubmub-sim --script FILE --state state.json  or watch it with  mubmub --replay FILE\n";

int16_t held_coordinate(int v) { return int16_t(std::clamp(v, -kMaxHeldCoordinate, kMaxHeldCoordinate)); }

}  // namespace

Recorder::Recorder(const mub::core::StartOptions &options, RecordingSink &sink) : sink_(sink) {
    std::vector<std::string> settings;
    for (const auto &s : mub::core::game_settings())
        if (options.*(s.on)) settings.push_back(s.name);
    pending_ = kPreamble + format_header(options.language.value_or(mub::core::ui_language()), settings);
    flush();
}

void Recorder::take(const mub::core::Taken &t) {
    using What = mub::core::Taken::What;
    using T = HostEvent::Type;
    using K = ScriptEvent::Kind;
    ScriptEvent ev;
    ev.tick = int32_t(t.ticks);
    ev.before_paint = t.before_paint;
    switch (t.what) {
    case What::Tick:
        ticks_ = int64_t(t.ticks);
        flush();
        return;
    case What::Answer:
        ev.kind = K::Answer;
        ev.arg.answer = t.answer;
        line(ev);
        return;
    case What::Input: break;
    }
    const HostEvent &e = t.event;
    switch (e.type) {
    case T::MouseDown:
    case T::MouseUp: {
        if (e.button != 0 && e.button != 1) return;
        const bool down = e.type == T::MouseDown;
        const uint8_t bit = e.button == 0 ? ScriptEvent::kLeft : ScriptEvent::kRight;
        if (t.to_box) {
            held_ = down ? held_ | bit : held_ & ~bit;
            return;
        }
        if (e.button == 0)
            ev.kind = down ? K::LDown : K::LUp;
        else
            ev.kind = down ? K::RDown : K::RUp;
        if (down) ev.press = t.double_click ? ScriptEvent::Press::Double : ScriptEvent::Press::Plain;
        line(ev);
        held_ = held_written_ = down ? held_ | bit : held_ & ~bit;
        return;
    }
    case T::Held: held_ = uint8_t(e.button & 3); return;
    case T::KeyDown:
        if (t.to_box) return;  // a box's keys end in its answer
        ev.kind = K::Key;
        ev.arg.key = {uint8_t(e.vk), e.ch, e.alt};
        break;
    case T::Close: ev.kind = K::Close; break;
    case T::Resize:
        ev.kind = K::Resize;
        ev.arg.size = {int16_t(e.width), int16_t(e.height)};
        break;
    case T::Expose:
        ev.kind = K::Expose;
        ev.has_rect = true;
        ev.arg.rect = {held_coordinate(e.x), held_coordinate(e.y), held_coordinate(e.x + e.width),
                       held_coordinate(e.y + e.height)};
        break;
    default: return;  // key releases and pointer moves
    }
    line(ev);
}

void Recorder::line(ScriptEvent ev) {
    // What a box's presses left held, before anything the program sees next.
    if (held_ != held_written_) {
        ScriptEvent held = ev;
        held.kind = ScriptEvent::Kind::Held;
        held.arg.held = held_;
        pending_ += format_event(held);
        held_written_ = held_;
    }
    pending_ += format_event(ev);
}

void Recorder::flush() {
    sink_.write(pending_, format_end(ticks_));
    pending_.clear();
}

void Recorder::finish(uint64_t ticks) {
    ticks_ = int64_t(ticks);
    flush();
}

}  // namespace mub::sim
