// Reading a simulator run: its traced state by tick, and regions of its
// screenshot.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "support/sim.h"

namespace mubtest {

// The state after tick t of a traced run.
inline const nlohmann::json &at_tick(const SimRun &run, int t)
{
    static const nlohmann::json missing;
    for (const auto &s : run.trace)
        if (s.value("tick", -1) == t)
            return s;
    ADD_FAILURE() << "no trace entry for tick " << t;
    return missing;
}

// A global after tick t; index picks an element of an array.
inline int var(const SimRun &run, int t, const char *name, int index = -1)
{
    const auto &s = at_tick(run, t);
    if (!s.contains(name)) {
        ADD_FAILURE() << "tick " << t << ": no global " << name;
        return -99999;
    }
    return index < 0 ? s[name].get<int>() : s[name][size_t(index)].get<int>();
}

// First tick at or after `from` where `name` equals `value`, or -1.
inline int first_tick(const SimRun &run, const char *name, int value, int from = 0)
{
    for (const auto &s : run.trace)
        if (s.value("tick", -1) >= from && s.contains(name) && s[name] == value)
            return s["tick"].get<int>();
    return -1;
}

inline std::string script_line(int tick, const std::string &event)
{
    return std::to_string(tick) + " " + event + "\n";
}

struct Box {
    int left, top, right, bottom;  // right and bottom exclusive
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

inline bool is_black(uint32_t p) { return (p & 0xFFFFFF) == 0; }
inline bool is_white(uint32_t p) { return (p & 0xFFFFFF) == 0xFFFFFF; }

// Pixels in the box (clipped to the shot) for which pred holds.
template <class Pred>
int count_in(const Screenshot &shot, Box b, Pred pred)
{
    int n = 0;
    for (int y = std::max(0, b.top); y < std::min(shot.height, b.bottom); y++)
        for (int x = std::max(0, b.left); x < std::min(shot.width, b.right); x++)
            if (pred(shot.at(x, y)))
                n++;
    return n;
}

// Pixels in the box that are not black.
inline int lit_pixels(const Screenshot &shot, Box b)
{
    return count_in(shot, b, [](uint32_t p) { return !is_black(p); });
}

}  // namespace mubtest
