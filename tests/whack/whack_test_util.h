// Helpers of the whack game's tests: the script that reaches the play
// screen, the state of a traced run by tick, and the pixels a sprite of the
// game's pictures should leave on screen.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/resource/resources.h"
#include "support/sim.h"

namespace whacktest {

// From a fresh start through the whack title, both instruction pages and the
// OK box. `base` is the tick on which the play field is drawn; play tick k
// (1 = the first) is tick base + k.
struct Game {
    std::string script;
    int base;
    int tick(int k) const { return base + k; }
    // An event delivered after play tick k (k = 0: before the first play tick).
    std::string at(int k, const std::string &event) const
    {
        return std::to_string(base + k) + " " + event + "\n";
    }
};

inline Game whack_game()
{
    const auto lead = mubtest::lead_to_whack();
    const int t = lead.ticks;
    Game g;
    g.script = lead.script;
    g.script += std::to_string(t) + " key Return\n";      // title -> transitional scene
    g.script += std::to_string(t + 2) + " key Return\n";  // first page -> second page
    g.script += std::to_string(t + 3) + " key Return\n";  // second page -> OK box
    g.script += std::to_string(t + 3) + " answer ok\n";
    g.base = t + 4;
    return g;
}

inline const nlohmann::json &at_tick(const mubtest::SimRun &run, int t)
{
    static const nlohmann::json missing;
    for (const auto &s : run.trace)
        if (s.value("tick", -1) == t)
            return s;
    ADD_FAILURE() << "no trace entry for tick " << t;
    return missing;
}

inline int var(const mubtest::SimRun &run, int t, const char *name)
{
    const auto &s = at_tick(run, t);
    if (!s.contains(name)) {
        ADD_FAILURE() << "tick " << t << ": no global " << name;
        return -99999;
    }
    return s[name].get<int>();
}

inline int var(const mubtest::SimRun &run, int t, const char *name, int index)
{
    const auto &s = at_tick(run, t);
    if (!s.contains(name)) {
        ADD_FAILURE() << "tick " << t << ": no global " << name;
        return -99999;
    }
    return s[name][size_t(index)].get<int>();
}

// The program's pictures, by resource name.
inline const mub::Image &picture(const char *name)
{
    static std::map<std::string, mub::Image> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        auto bmp = mub::res::load_bitmap(mub::res::Id::from_win32(name));
        it = cache.emplace(name, bmp ? bmp->image : mub::Image{}).first;
    }
    return it->second;
}

inline uint32_t px(const mub::Image &img, int x, int y)
{
    if (x < 0 || y < 0 || x >= img.width || y >= img.height)
        return 0;
    return img.row(y)[x] & 0xFFFFFF;
}

// Pixels of the w x h box at (x, y) of the shot that differ from what a
// masked copy of the sheet's cell (sx, sy), mask `m` rows below, over the
// picture `under` (taken at the same screen coordinates) gives.
inline int masked_mismatches(const mubtest::Screenshot &shot, const mub::Image &under, const mub::Image &sheet,
                             int x, int y, int sx, int sy, int w, int h, int m)
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

// The same for an opaque copy of the sheet's cell.
inline int copy_mismatches(const mubtest::Screenshot &shot, const mub::Image &sheet, int x, int y, int sx, int sy,
                           int w, int h)
{
    int bad = 0;
    for (int dy = 0; dy < h; dy++)
        for (int dx = 0; dx < w; dx++)
            bad += (shot.at(x + dx, y + dy) & 0xFFFFFF) != px(sheet, sx + dx, sy + dy);
    return bad;
}

// Sprites of the play field: 48 x 48 cells, mask 48 rows below, over "back".
inline int creature_mismatches(const mubtest::Screenshot &shot, int x, int y, int frame)
{
    return masked_mismatches(shot, picture("BACK"), picture("MUB2_PL"), x, y, frame, 0, 48, 48, 48);
}
inline int hole_mismatches(const mubtest::Screenshot &shot, int x, int y, int frame)
{
    return masked_mismatches(shot, picture("BACK"), picture("MUB2_EN"), x, y, frame, 0, 48, 48, 48);
}

// A 19 x 30 digit cell of a digit sheet ("time", "hit", "entyo") over `under`.
inline int digit_mismatches(const mubtest::Screenshot &shot, const mub::Image &under, const char *sheet, int x, int y,
                            int d)
{
    return masked_mismatches(shot, under, picture(sheet), x, y, 200 + 19 * d, 0, 19, 30, 30);
}

constexpr int kHoleX[5] = {35, 155, 275, 395, 515};
constexpr int kHoleY[5] = {330, 430, 330, 430, 330};
constexpr int kStandX[5] = {35, 155, 275, 395, 515};
constexpr int kStandY[5] = {282, 382, 282, 382, 282};

// The first values of the program's random generator, which no one seeds.
inline uint32_t nth_rand(int n)
{
    uint32_t state = 1, value = 0;
    for (int i = 0; i < n; i++) {
        state = state * 214013u + 2531011u;
        value = (state >> 16) & 0x7FFF;
    }
    return value;
}

}  // namespace whacktest
