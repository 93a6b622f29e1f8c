// Sprite sheets: an image band whose transparent pixels are white and a mask
// band, a fixed number of rows lower, that is white where the sprite is
// opaque and black elsewhere (the game ORs the mask, then ANDs the image).
#pragma once
#include "canvas.h"

namespace art {

// A w x h sheet: rows [0, mask_top) image band (white), the rest mask (black).
Canvas new_sheet(int w, int h, int mask_top);
// Puts a sprite (kClear = transparent) at (x, y) of the image band and its
// silhouette mask_off rows lower.
void put_sprite(Canvas& sheet, const Canvas& sprite, int x, int y, int mask_off);
// Puts only the silhouette of a sprite at (x, y).
void put_mask(Canvas& sheet, const Canvas& sprite, int x, int y);

}  // namespace art
