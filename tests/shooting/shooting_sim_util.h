// Helpers for the shooting game's simulator tests: the script that reaches
// the play screen, reading a traced run by tick, and looking at screenshots.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "support/sim.h"
#include "support/trace.h"

namespace shootingtest {

// Ticks counted from a fresh start. The first title tick is the last tick of
// lead_to_shooting(); title tick n is therefore absolute tick kTitleTick0 + n.
constexpr int kTitleTick0 = 55;
// After this tick the cancel-out question has been answered and the next
// tick is the first play tick.
constexpr int kPlayStart = 60;

// Title, then the two instruction pages, then the question answered. The
// buttons alternate: a second press of the same button within the double-click
// time would arrive as a double click, which the screens ignore.
inline std::string to_play(const char *answer)
{
    auto lead = mubtest::lead_to_shooting();
    return lead.script + "56 lclick\n58 rclick\n59 lclick\n59 answer " + answer + "\n";
}

using mubtest::at_tick;
using mubtest::Box;
using mubtest::lit_pixels;
using mubtest::var;

inline bool same_pixels(const mubtest::Screenshot &a, const mubtest::Screenshot &b, Box box)
{
    for (int y = box.top; y < box.bottom; y++)
        for (int x = box.left; x < box.right; x++)
            if (a.at(x, y) != b.at(x, y))
                return false;
    return true;
}

// Pixels in the box that are neither white nor black: the coloured digits
// and the heart on the white result picture.
inline int coloured(const mubtest::Screenshot &shot, Box b)
{
    int n = 0;
    for (int y = b.top; y < b.bottom; y++)
        for (int x = b.left; x < b.right; x++) {
            uint32_t p = shot.at(x, y) & 0xFFFFFF;
            if (p != 0xFFFFFF && p != 0)
                n++;
        }
    return n;
}

inline mubtest::SimOptions opts(std::string script, bool trace = false, bool screenshot = false)
{
    mubtest::SimOptions o;
    o.script = std::move(script);
    o.trace = trace;
    o.screenshot = screenshot;
    return o;
}

inline mubtest::SimRun run_ok(int ticks, mubtest::SimOptions options)
{
    auto run = mubtest::run_sim(ticks, options);
    EXPECT_EQ(run.exit_status, 0) << run.stderr_text;
    return run;
}

}  // namespace shootingtest
