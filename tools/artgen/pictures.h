// Every bitmap of the game, one function each, and the icon.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "canvas.h"

namespace art {

struct Picture {
    std::string name;  // file name without .bmp, the resource name in lower case
    int bpp;
    std::function<Canvas()> draw;
    bool words = false;  // drawn again in English, into bitmaps/en/
};

// In the order the game loads them.
const std::vector<Picture>& all_pictures();
Canvas icon_picture();

// Pictures, grouped by the file that draws them.
Canvas pic_mub_pl();
Canvas pic_heart();
Canvas pic_mub_en();
Canvas pic_mub_en_b();
Canvas pic_unko();
Canvas pic_life();
Canvas pic_win_lose();

Canvas pic_mub2_pl();
Canvas pic_mub2_en();
// The empty hole of the whack game's sheet, 48 x 48; the field carries the
// same pixels at every hole.
Canvas empty_hole();
Canvas pic_time();
Canvas pic_hit();
Canvas pic_entyo();
Canvas pic_en_hit();

Canvas pic_title();
Canvas pic_mub_ti_1();
Canvas pic_mub_ti_2();
Canvas pic_mub_push();
Canvas pic_mub2_ti_1();
Canvas pic_mub2_ti_2();
Canvas pic_mub2_push();

Canvas pic_story_back();
Canvas pic_story(int n);

Canvas pic_mub_se_1();
Canvas pic_mub_se_2();
Canvas pic_mub2_se_1();
Canvas pic_mub2_se_2();

Canvas pic_mub_hantei();
Canvas pic_mub2_hantei();
Canvas pic_back();

// A transparent canvas with a figure drawn by fn, outlined in outline.
Canvas layer(int w, int h, const std::function<void(Canvas&)>& fn, Color outline = kClear);
// Splits a figure into four pieces around (cx, cy) along a jagged line and
// pushes them apart by spread pixels: a figure falling to bits.
Canvas shatter(const Canvas& src, double cx, double cy, int spread);
// Clears the columns outside [x0, x1] of a sprite.
void keep_columns(Canvas& c, int x0, int x1);

}  // namespace art
