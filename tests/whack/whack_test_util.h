// Helpers of the whack game's tests: the script that reaches the play
// screen, a traced run's globals by tick, and the pixels a masked copy of
// one of the game's pictures should leave on screen.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/program_res.h"
#include "support/sim.h"

namespace whacktest {

// Title, both instruction pages and the OK box by Enter. The play field is
// drawn on tick `base`; play tick k is tick base + k.
struct Game {
    std::string script;
    int base = 0;
    int tick(int k) const { return base + k; }
    std::string at(int k, const std::string &event) const { return std::to_string(base + k) + " " + event + "\n"; }
};

inline Game whack_game()
{
    const auto lead = mubtest::lead_to_whack();
    const int t = lead.ticks;
    const auto line = [](int tick, const char *ev) { return std::to_string(tick) + " " + ev + "\n"; };
    return {lead.script + line(t, "key Return") + line(t + 2, "key Return") + line(t + 3, "key Return") +
                line(t + 3, "answer ok"),
            t + 4};
}

inline int var(const mubtest::SimRun &run, int t, const char *name, int index = -1)
{
    for (const auto &s : run.trace)
        if (s.value("tick", -1) == t && s.contains(name))
            return index < 0 ? s[name].get<int>() : s[name][size_t(index)].get<int>();
    ADD_FAILURE() << "tick " << t << ": no " << name;
    return -99999;
}

inline const mub::Image &picture(const char *name)
{
    static std::map<std::string, mub::Image> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        auto bmp = mub::res::load_bitmap(mubtest::program_res(), mub::res::Id::from_win32(name));
        it = cache.emplace(name, bmp ? bmp->image : mub::Image{}).first;
    }
    return it->second;
}

inline uint32_t px(const mub::Image &img, int x, int y)
{
    return x < 0 || y < 0 || x >= img.width || y >= img.height ? 0 : img.row(y)[x] & 0xFFFFFF;
}

// Pixels of the w x h box at (x, y) that differ from a masked copy of the
// sheet's cell (sx, sy), mask m rows below, over `under` at the same place.
// With m = 0 this is an opaque copy of the cell.
inline int mismatches(const mubtest::Screenshot &shot, const mub::Image &under, const mub::Image &sheet, int x,
                      int y, int sx, int sy, int w, int h, int m)
{
    int bad = 0;
    for (int dy = 0; dy < h; dy++)
        for (int dx = 0; dx < w; dx++) {
            const uint32_t want =
                (px(under, x + dx, y + dy) | px(sheet, sx + dx, sy + dy + m)) & px(sheet, sx + dx, sy + dy);
            bad += (shot.at(x + dx, y + dy) & 0xFFFFFF) != want;
        }
    return bad;
}

// 48 x 48 sprites of the play field and 19 x 30 digits, over the field.
inline int sprite_mismatches(const mubtest::Screenshot &shot, const char *sheet, int x, int y, int frame)
{
    return mismatches(shot, picture("BACK"), picture(sheet), x, y, frame, 0, 48, 48, 48);
}
inline int digit_mismatches(const mubtest::Screenshot &shot, const mub::Image &under, const char *sheet, int x, int y,
                            int d)
{
    return mismatches(shot, under, picture(sheet), x, y, 200 + 19 * d, 0, 19, 30, 30);
}

constexpr int kHoleX[5] = {35, 155, 275, 395, 515};
constexpr int kHoleY[5] = {330, 430, 330, 430, 330};

// The n-th value of the program's random generator, which no one seeds.
inline int nth_rand(int n)
{
    uint32_t state = 1;
    for (int i = 0; i < n; i++) state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF);
}

}  // namespace whacktest
