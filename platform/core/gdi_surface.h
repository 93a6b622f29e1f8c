// Where a DC draws: its pixels and the part of them it may touch.
#pragma once

#include <optional>
#include <vector>

#include "platform/core/state.h"

namespace mub::core::detail {

struct Surface {
    Image *image = nullptr;
    int bpp = 32;
    std::vector<Rect> clip;  // disjoint, inside the image
};

enum class Use { Read, Write };

// Nothing for a stale DC or one whose window is gone. A picture's pixels are
// decoded again if they were dropped; drawing into one keeps them for good.
std::optional<Surface> surface_of(HDC hdc, Use use);

// Frees a DC of any kind, giving back its selected bitmap.
void free_dc(HDC hdc);

HDC new_window_dc(HWND hwnd, DcKind kind);

}  // namespace mub::core::detail
