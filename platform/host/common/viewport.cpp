#include "platform/host/common/viewport.h"

#include <algorithm>
#include <cmath>

namespace mub::viewport {

namespace {

// The largest rectangle of the picture's shape inside area, centred.
Rect fitted(Size picture, Size area) {
    Rect r;
    if ((long long)area.width * picture.height <= (long long)area.height * picture.width) {
        r.width = area.width;
        r.height = std::max(1, int((long long)picture.height * area.width / picture.width));
    } else {
        r.height = area.height;
        r.width = std::max(1, int((long long)picture.width * area.height / picture.height));
    }
    return r;
}

}  // namespace

std::optional<Scaling> scaling_named(std::string_view name) {
    if (name == "fit") return Scaling::Fit;
    if (name == "integer") return Scaling::WholeMultiples;
    return std::nullopt;
}

int whole_scale(Size picture, Size area) {
    if (picture.width <= 0 || picture.height <= 0) return 0;
    return std::max(0, std::min(area.width / picture.width, area.height / picture.height));
}

Placement place(Size picture, Size area, Scaling scaling, double device_per_unit) {
    Placement p;
    if (picture.width <= 0 || picture.height <= 0 || area.width <= 0 || area.height <= 0) return p;
    Rect &r = p.shown;
    const int scale = whole_scale(picture, area);
    if (scaling == Scaling::WholeMultiples && scale >= 1)
        r = Rect{0, 0, picture.width * scale, picture.height * scale};
    else
        r = fitted(picture, area);
    r.x = (area.width - r.width) / 2;
    r.y = (area.height - r.height) / 2;

    const double device_w = r.width * device_per_unit, device_h = r.height * device_per_unit;
    if (scaling == Scaling::WholeMultiples) {
        // Pixel for pixel unless that would drop whole rows or columns.
        p.smooth = device_w < picture.width || device_h < picture.height;
        return p;
    }
    // The next whole multiple at or above the shown size, then smoothly
    // down to it; exactly a multiple needs no smoothing.
    const double ratio = std::max(device_w / picture.width, device_h / picture.height);
    p.enlarge = std::max(1, int(std::ceil(ratio - 1e-9)));
    const auto whole = [&](double device, int side) { return std::abs(device - double(side) * p.enlarge) < 0.01; };
    p.smooth = !(whole(device_w, picture.width) && whole(device_h, picture.height));
    return p;
}

std::optional<Point> to_picture(const Rect &shown, Size picture, double x, double y, bool press) {
    if (shown.width <= 0 || shown.height <= 0 || picture.width <= 0 || picture.height <= 0) return std::nullopt;
    if (!(std::isfinite(x) && std::isfinite(y))) return std::nullopt;
    const double px = std::floor((x - shown.x) * picture.width / shown.width);
    const double py = std::floor((y - shown.y) * picture.height / shown.height);
    const bool inside = px >= 0 && py >= 0 && px < picture.width && py < picture.height;
    if (press && !inside) return std::nullopt;
    return Point{int(std::clamp(px, 0.0, double(picture.width - 1))), int(std::clamp(py, 0.0, double(picture.height - 1)))};
}

}  // namespace mub::viewport
