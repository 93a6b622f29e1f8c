// Round, stroked digits 0 to 9 drawn at any cell size.
#pragma once
#include "canvas.h"

namespace art {

// A sprite (kClear background) of digit d filling a w x h box: strokes of
// width stroke in colour fill, with a one-pixel outline if outline != kClear.
Canvas digit_sprite(int d, int w, int h, double stroke, Color fill, Color outline);

}  // namespace art
