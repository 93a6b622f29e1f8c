// Where the game's picture goes in a window or a page, and where a pointer
// on it lands: the one rule for every host. The game keeps its own client
// size; the host shows that picture as large as the area allows and maps
// the pointer back to client pixels. Plain arithmetic, kept apart from SDL
// and the browser so it can be tested (the page calls it in the WebAssembly).
#pragma once

#include <optional>

namespace mub::viewport {

struct Size {
    int width = 0, height = 0;
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct Point {
    int x = 0, y = 0;
};

// How the picture is scaled to the area. One mode so far.
enum class Scaling {
    // By whole numbers while it fits at least once, so every game pixel is a
    // square of screen pixels; shrunk with its shape kept below that, so
    // nothing is ever cut off.
    WholeMultiples,
};

struct Placement {
    Rect shown;           // in the area's units, centred
    bool smooth = false;  // scale smoothly: nearest-neighbour would drop whole rows and columns
};

// The largest whole scale at which picture fits inside area; 0 when it does
// not fit even once.
int whole_scale(Size picture, Size area);

// The picture's place in area. device_per_unit: device pixels per unit of
// the area (1 for a window measured in pixels; a page's devicePixelRatio
// for CSS pixels), which decides whether pixels are lost.
Placement place(Size picture, Size area, double device_per_unit = 1, Scaling scaling = Scaling::WholeMultiples);

// The picture pixel under point (x, y) of the area, the picture being shown
// in `shown`. A press counts only on the picture (nothing on the bars around
// it); a move or a release anywhere lands on the nearest picture pixel, so a
// held button always ends.
std::optional<Point> to_picture(const Rect &shown, Size picture, double x, double y, bool press);

}  // namespace mub::viewport
