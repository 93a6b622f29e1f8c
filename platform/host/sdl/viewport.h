// Where the game's picture goes inside the desktop window. The game keeps its
// own client size; the window shows that picture as large as it fits: by
// whole numbers while it fits at least once, so every game pixel stays a
// crisp square, and shrunk to fit below that, so nothing is ever cut off.
// Plain arithmetic, kept apart from SDL so it can be tested.
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
// `area`; 0 when it does not fit even once.
inline int whole_scale(Size picture, Size area) {
    if (picture.width <= 0 || picture.height <= 0) return 0;
    return std::max(0, std::min(area.width / picture.width, area.height / picture.height));
}

// The scale a new window opens at: the largest one whose window covers at
// most 80% of the usable screen in each direction, and never below 1.
inline int opening_scale(Size client, Size screen) {
    return std::max(1, whole_scale(client, Size{screen.width * 4 / 5, screen.height * 4 / 5}));
}

// The picture's place in the output, centred: scaled by the largest whole
// number that fits, or, when even scale 1 does not fit, shrunk with its shape
// kept until it touches the output's nearer edges.
inline Rect letterbox(Size picture, Size output) {
    if (picture.width <= 0 || picture.height <= 0 || output.width <= 0 || output.height <= 0) return Rect{};
    Rect r;
    if (const int scale = whole_scale(picture, output); scale >= 1) {
        r.width = picture.width * scale;
        r.height = picture.height * scale;
    } else if ((long long)output.width * picture.height <= (long long)output.height * picture.width) {
        r.width = output.width;
        r.height = std::max(1, int((long long)picture.height * output.width / picture.width));
    } else {
        r.height = output.height;
        r.width = std::max(1, int((long long)picture.width * output.height / picture.height));
    }
    r.x = (output.width - r.width) / 2;
    r.y = (output.height - r.height) / 2;
    return r;
}

// Whether the picture shown in `shown` is smaller than the picture itself,
// where nearest-neighbour would drop whole rows and columns.
inline bool shrunk(const Rect &shown, Size picture) {
    return shown.width < picture.width || shown.height < picture.height;
}

// Maps a point of the output to a pixel of the picture shown in `shown`
// (from letterbox). Returns false for a point on the bars around it.
inline bool output_to_picture(const Rect &shown, Size picture, int ox, int oy, int &px, int &py) {
    if (shown.width <= 0 || shown.height <= 0 || picture.width <= 0 || picture.height <= 0) return false;
    if (ox < shown.x || oy < shown.y || ox >= shown.x + shown.width || oy >= shown.y + shown.height) return false;
    px = int((long long)(ox - shown.x) * picture.width / shown.width);
    py = int((long long)(oy - shown.y) * picture.height / shown.height);
    return true;
}

}  // namespace mub::sdl
