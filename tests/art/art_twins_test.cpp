// The English pictures against their Japanese twins: the same size, frames,
// masks and transparent areas, every pixel the same outside the areas where
// the picture has its words, and in each such area different words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "art/bmp_image.h"

using namespace arttest;

namespace {

struct Area {
    int x, y, w, h;
};

struct Twin {
    const char* name;
    std::vector<Area> words;  // where the lettering may go
    int mask_off = 0;         // a sprite sheet's mask band, this many rows below
    bool plate = false;       // the words sit on an opaque plate: the mask stays as it is
};

// The areas are the screens' own: gaps for the counters, digit cells,
// markers, the columns the game shows, the bands the wipe reveals.
const Twin kTwins[] = {
    {"title", {{20, 18, 470, 84}, {60, 106, 390, 32}, {0, 170, 505, 76}}},
    {"story_back", {{311, 484, 176, 26}}},  // the triangle at 488 and the box are the same
    {"mub_ti_1", {{0, 4, 300, 35}, {0, 49, 300, 35}, {0, 94, 300, 35}}},
    {"mub2_ti_1", {{0, 4, 300, 35}, {0, 49, 300, 35}, {0, 94, 300, 35}}},
    {"mub_ti_2", {{100, 80, 300, 56}, {80, 145, 350, 72}, {135, 235, 230, 72}}},
    {"mub2_ti_2", {{100, 80, 300, 56}, {80, 145, 350, 72}, {135, 235, 230, 72}}},
    {"mub_push", {{0, 0, 208, 26}}},
    {"mub2_push", {{0, 0, 242, 26}}},  // the client area shows columns 0..241
    {"mub_se_1", {{160, 22, 272, 38}, {12, 70, 568, 460}, {611, 70, 68, 460}}},  // the page, its other strip
    {"mub_se_2", {{160, 22, 272, 38}, {12, 70, 568, 460}}},
    {"mub2_se_1", {{160, 22, 272, 38}, {36, 80, 530, 28}, {140, 330, 440, 30}, {36, 395, 540, 50}, {290, 495, 290, 25}}},
    {"mub2_se_2", {{160, 22, 272, 38}, {12, 70, 568, 460}}},
    {"mub_hantei",
     {{188, 4, 216, 68}, {20, 72, 552, 28}, {100, 100, 100, 40}, {240, 100, 150, 40}, {100, 160, 210, 40},
      {386, 160, 200, 40}, {150, 220, 292, 56}, {60, 288, 460, 150}, {60, 438, 436, 40}}},
    {"mub2_hantei",
     {{188, 4, 216, 68}, {20, 72, 552, 28}, {90, 160, 220, 40}, {390, 160, 195, 40}, {60, 220, 472, 56},
      {44, 284, 500, 192}}},
    {"mub2_en", {{290, 0, 48, 24}, {338, 0, 48, 38}}, 48},
    {"mub_en_b", {{285, 0, 135, 48}, {285, 57, 135, 48}, {285, 114, 135, 48}}, 0, true},
    {"life", {{0, 0, 80, 30}}, 30},
    {"win_lose", {{0, 0, 55, 30}, {65, 0, 75, 30}}, 30},  // gaps at 55..64 and 140..149
    {"time", {{0, 0, 150, 30}}, 30},                      // the clock's colon at 157 stays
    {"hit", {{0, 0, 110, 30}}, 30},
    {"entyo", {{0, 0, 200, 30}}, 30},
    {"en_hit", {{0, 0, 175, 30}}, 30},
};

bool inside(const std::vector<Area>& areas, int x, int y) {
    for (const Area& a : areas)
        if (x >= a.x && x < a.x + a.w && y >= a.y && y < a.y + a.h) return true;
    return false;
}

}  // namespace

TEST(ArtTwins, EnglishPicturesChangeOnlyTheirWords) {
    EXPECT_EQ(std::size(kTwins), 22u);  // every picture with words
    for (const Twin& t : kTwins) {
        SCOPED_TRACE(t.name);
        const BmpImage ja = read_bmp(bitmap_path(t.name));
        const BmpImage en = read_bmp(bitmap_path(std::string("en/") + t.name));
        ASSERT_TRUE(ja.ok && en.ok);
        ASSERT_EQ(en.width, ja.width);
        ASSERT_EQ(en.height, ja.height);
        ASSERT_EQ(en.bpp, ja.bpp);
        ASSERT_EQ(en.palette, ja.palette);
        // The words' areas, and on a sheet the same areas of its mask band
        // unless the words sit on a plate.
        std::vector<Area> free = t.words;
        if (t.mask_off && !t.plate)
            for (const Area& a : t.words) free.push_back({a.x, a.y + t.mask_off, a.w, a.h});
        int outside = 0;
        for (int y = 0; y < ja.height; ++y)
            for (int x = 0; x < ja.width; ++x)
                if (!inside(free, x, y) && ja.at(x, y) != en.at(x, y) && outside++ < 3)
                    ADD_FAILURE() << "pixel (" << x << "," << y << ") differs outside the words' areas";
        EXPECT_EQ(outside, 0);
        for (const Area& a : t.words) {
            bool changed = false;
            for (int y = a.y; y < a.y + a.h && !changed; ++y)
                for (int x = a.x; x < a.x + a.w && !changed; ++x) changed = ja.at(x, y) != en.at(x, y);
            EXPECT_TRUE(changed) << "area at (" << a.x << "," << a.y << ") kept its Japanese";
        }
        // Where the English mask is transparent, the image is white, as the
        // masked copy needs.
        if (t.mask_off)
            for (const Area& a : t.words)
                for (int y = a.y; y < a.y + a.h; ++y)
                    for (int x = a.x; x < a.x + a.w; ++x) {
                        const uint32_t m = en.at(x, y + t.mask_off);
                        ASSERT_TRUE(m == 0x000000 || m == 0xFFFFFF) << x << "," << y + t.mask_off;
                        ASSERT_TRUE(m == 0xFFFFFF || en.at(x, y) == 0xFFFFFF) << x << "," << y;
                    }
    }
}
