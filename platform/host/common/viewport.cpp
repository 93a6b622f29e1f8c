#include "platform/host/common/viewport.h"

#include <algorithm>
#include <cmath>

namespace mub::viewport {

int whole_scale(Size picture, Size area) {
    if (picture.width <= 0 || picture.height <= 0) return 0;
    return std::max(0, std::min(area.width / picture.width, area.height / picture.height));
}

Placement place(Size picture, Size area, double device_per_unit, Scaling) {
    Placement p;
    if (picture.width <= 0 || picture.height <= 0 || area.width <= 0 || area.height <= 0) return p;
    Rect &r = p.shown;
    if (const int scale = whole_scale(picture, area); scale >= 1) {
        r.width = picture.width * scale;
        r.height = picture.height * scale;
    } else if ((long long)area.width * picture.height <= (long long)area.height * picture.width) {
        r.width = area.width;
        r.height = std::max(1, int((long long)picture.height * area.width / picture.width));
    } else {
        r.height = area.height;
        r.width = std::max(1, int((long long)picture.width * area.height / picture.height));
    }
    r.x = (area.width - r.width) / 2;
    r.y = (area.height - r.height) / 2;
    p.smooth = r.width * device_per_unit < picture.width || r.height * device_per_unit < picture.height;
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
