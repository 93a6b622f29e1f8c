// Where the game's picture goes in a window or a page, and where a pointer
// on it lands: the one rule for every host. The game keeps its own client
// size; the host shows that picture as large as the area allows and maps
// the pointer back to client pixels. Plain arithmetic, kept apart from SDL
// and the browser so it can be tested (the page calls it in the WebAssembly).
#pragma once

#include <optional>
#include <string_view>

namespace mub::viewport {

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size &) const = default;
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect &) const = default;
};

struct Point {
    int x = 0, y = 0;
};

// How the picture is scaled to the area.
enum class Scaling {
    // As large as the area allows with the picture's shape kept ("sharp
    // bilinear": enlarged pixel for pixel by the next whole multiple, then
    // smoothly down to the size, so edges stay crisp and no game pixel is
    // wider than its neighbour by a whole screen pixel).
    Fit,
    // By whole numbers while it fits at least once, so every game pixel is a
    // square of screen pixels; shrunk with its shape kept below that, so
    // nothing is ever cut off.
    WholeMultiples,
};

// The setting's names, as a player types them ("fit", "integer"); nullopt
// for any other name.
std::optional<Scaling> scaling_named(std::string_view name);

struct Placement {
    Rect shown;  // in the area's units, centred
    // How to draw it there: enlarge the picture `enlarge` times pixel for
    // pixel, then scale that to `shown`, smoothly when `smooth` (else pixel
    // for pixel: the enlarged picture already has the shown size, or loses
    // no pixel on the way).
    int enlarge = 1;
    bool smooth = false;
};

// The largest whole scale at which picture fits inside area; 0 when it does
// not fit even once.
int whole_scale(Size picture, Size area);

// The picture's place in area. device_per_unit: device pixels per unit of
// the area (1 for a window measured in pixels; a page's devicePixelRatio
// for CSS pixels), which decides whether pixels are lost and how far to
// enlarge.
Placement place(Size picture, Size area, Scaling scaling, double device_per_unit = 1);

// The picture pixel under point (x, y) of the area, the picture being shown
// in `shown`. A press counts only on the picture (nothing on the bars around
// it); a move or a release anywhere lands on the nearest picture pixel, so a
// held button always ends.
std::optional<Point> to_picture(const Rect &shown, Size picture, double x, double y, bool press);

}  // namespace mub::viewport
