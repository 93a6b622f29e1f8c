// Helpers shared by the title and story tests: reading a run's trace by tick
// and looking at regions of a screenshot.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "support/sim.h"
#include "support/trace.h"

namespace titletest {

using mubtest::at_tick;
using mubtest::Box;
using mubtest::count_in;
using mubtest::first_tick;
using mubtest::is_black;
using mubtest::is_white;
using mubtest::script_line;
using mubtest::var;

// Pixels outside every given box that are not black.
inline int nonblack_outside(const mubtest::Screenshot &shot, std::initializer_list<Box> boxes)
{
    int n = 0;
    for (int y = 0; y < shot.height; y++)
        for (int x = 0; x < shot.width; x++) {
            bool inside = false;
            for (const Box &b : boxes)
                inside = inside || b.contains(x, y);
            if (!inside && !is_black(shot.at(x, y)))
                n++;
        }
    return n;
}

inline int nonblack_in(const mubtest::Screenshot &shot, Box b) { return mubtest::lit_pixels(shot, b); }

}  // namespace titletest
