// Where the game's picture goes inside the desktop window: whole-number
// scales only, so every game pixel stays a crisp square, centred with black
// bars around it. Plain arithmetic, kept apart from SDL so it can be tested.
#pragma once

#include <algorithm>

namespace mub::sdl {

struct Size {
    int width = 0, height = 0;
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The largest whole scale at which a picture of size `picture` fits inside
// `area`, never below 1 (a too small area shows the picture cut off).
inline int fit_scale(Size picture, Size area) {
    if (picture.width <= 0 || picture.height <= 0) return 1;
    return std::max(1, std::min(area.width / picture.width, area.height / picture.height));
}

// The scale a new window opens at: the largest one whose window covers at
// most 80% of the usable screen in each direction.
inline int opening_scale(Size client, Size screen) {
    return fit_scale(client, Size{screen.width * 4 / 5, screen.height * 4 / 5});
}

// The picture scaled by the largest whole factor that fits the output,
// centred; if even scale 1 does not fit, it is pinned to the top-left corner.
inline Rect letterbox(Size picture, Size output) {
    const int scale = fit_scale(picture, output);
    Rect r{0, 0, picture.width * scale, picture.height * scale};
    r.x = std::max(0, (output.width - r.width) / 2);
    r.y = std::max(0, (output.height - r.height) / 2);
    return r;
}

// Maps a point of the output to a pixel of the picture shown in `shown`
// (from letterbox). Returns false for a point on the black bars.
inline bool output_to_picture(const Rect &shown, Size picture, int ox, int oy, int &px, int &py) {
    if (shown.width <= 0 || shown.height <= 0 || picture.width <= 0 || picture.height <= 0) return false;
    if (ox < shown.x || oy < shown.y || ox >= shown.x + shown.width || oy >= shown.y + shown.height) return false;
    px = int((long long)(ox - shown.x) * picture.width / shown.width);
    py = int((long long)(oy - shown.y) * picture.height / shown.height);
    return true;
}

// The client size, in game pixels, of a window of `window` output pixels at
// a fixed scale: what a resize by the user means to the game.
inline Size client_for_window(Size window, int scale) {
    scale = std::max(1, scale);
    return Size{std::max(1, window.width / scale), std::max(1, window.height / scale)};
}

}  // namespace mub::sdl
