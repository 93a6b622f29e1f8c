// Pictures loaded from the resources keep their decoded pixels only while
// they are in use: the least recently used ones that no DC holds are dropped
// once the decoded pictures pass a budget, and decoded again when next drawn.
// The program loads all its pictures at start-up and draws a few of them per
// screen, so this keeps one screen's pictures in memory instead of all 35,
// and none is decoded before it is drawn.
#pragma once

#include <cstddef>
#include <span>

#include "platform/core/state.h"

namespace mub::core::detail {

// Decoded bytes the dropped-and-reloadable pictures may hold together.
constexpr size_t kPictureBudget = size_t(4) << 20;

// Makes a bitmap of a picture's DIB (BITMAPINFOHEADER, palette and bits,
// which live as long as the program), its pixels decoded when first drawn;
// false if the DIB cannot be read.
bool adopt_picture(BitmapObject &bm, std::span<const uint8_t> dib);

// The pixels to draw from (or, with for_writing, into) a bitmap, decoded
// again if they were dropped; null if they cannot be. A picture drawn into
// keeps its pixels from then on, like any other bitmap.
Image *bitmap_pixels(BitmapObject &bm, bool for_writing);

// Takes a deleted bitmap's pixels out of the budget.
void forget_picture(BitmapObject &bm);

}  // namespace mub::core::detail
