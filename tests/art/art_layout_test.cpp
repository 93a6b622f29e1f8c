// The layouts the screens rely on: sprite masks, transparent margins at the
// source rectangles the game reads, digit cells, label gaps, white areas.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "art/bmp_image.h"

using namespace arttest;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;

BmpImage load(const char* name) {
    BmpImage img = read_bmp(bitmap_path(name));
    EXPECT_TRUE(img.ok) << name << ": " << img.error;
    return img;
}

// Every pixel of the image rectangle is white where its mask pixel (mask_off
// rows lower) is black, and every mask pixel is black or white.
::testing::AssertionResult masked_cleanly(const BmpImage& img, int x0, int y0, int w, int h, int mask_off) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            uint32_t m = img.at(x, y + mask_off), p = img.at(x, y);
            if (m != kBlack && m != kWhite)
                return ::testing::AssertionFailure() << "mask pixel (" << x << "," << y + mask_off << ") is neither black nor white";
            if (m == kBlack && p != kWhite)
                return ::testing::AssertionFailure() << "transparent pixel (" << x << "," << y << ") is not white";
        }
    return ::testing::AssertionSuccess();
}

// Number of opaque pixels (mask white) in an image rectangle.
int opaque_count(const BmpImage& img, int x0, int y0, int w, int h, int mask_off) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += img.at(x, y + mask_off) == kWhite;
    return n;
}

::testing::AssertionResult all_of(const BmpImage& img, int x0, int y0, int w, int h, uint32_t colour) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (img.at(x, y) != colour)
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex << img.at(x, y);
    return ::testing::AssertionSuccess();
}

// A line of text as the generator letters it at scale 1: one row of bits per
// pixel row, from the glyph file the generator reads.
std::vector<std::vector<bool>> lettered(const std::u32string& text) {
    std::map<char32_t, std::string> hex;
    std::ifstream f(std::string(MUB_SOURCE_DIR) + "/tools/artgen/glyphs.hex");
    for (std::string line; std::getline(f, line);) {
        const size_t colon = line.find(':');
        if (colon != std::string::npos) hex[char32_t(std::stoul(line.substr(0, colon), nullptr, 16))] = line.substr(colon + 1);
    }
    std::vector<std::vector<bool>> rows(16);
    for (char32_t c : text) {
        const std::string& h = hex.at(c);
        const int w = h.size() == 64 ? 16 : 8;
        for (int r = 0; r < 16; ++r) {
            const unsigned long bits = std::stoul(h.substr(size_t(r * w / 4), size_t(w / 4)), nullptr, 16);
            for (int k = w - 1; k >= 0; --k) rows[size_t(r)].push_back((bits >> k) & 1);
        }
    }
    return rows;
}

}  // namespace

TEST(ArtLayout, SpriteSheetsAreWhiteWhereverTheirMaskIsBlack) {
    struct Band {
        const char* name;
        int y, h, mask_off;
    } bands[] = {
        {"mub_pl", 0, 48, 48},   {"heart", 0, 26, 26}, {"mub_en", 0, 48, 48},  {"mub_en_b", 0, 48, 173},
        {"mub_en_b", 57, 48, 116}, {"mub_en_b", 114, 48, 59}, {"unko", 0, 25, 26}, {"life", 0, 30, 30},
        {"win_lose", 0, 30, 30}, {"mub2_pl", 0, 48, 48}, {"mub2_en", 0, 48, 48}, {"time", 0, 30, 30},
        {"hit", 0, 30, 30},      {"entyo", 0, 30, 30}, {"en_hit", 0, 30, 30},
    };
    for (const Band& b : bands) {
        BmpImage img = load(b.name);
        ASSERT_TRUE(img.ok);
        EXPECT_TRUE(masked_cleanly(img, 0, b.y, img.width, b.h, b.mask_off)) << b.name << " band at y " << b.y;
    }
    for (const char* name : {"mub_hantei", "mub2_hantei"}) {
        BmpImage img = load(name);
        ASSERT_TRUE(img.ok);
        EXPECT_TRUE(masked_cleanly(img, 0, 550, 300, 50, 50)) << name << " red digits";
        EXPECT_TRUE(masked_cleanly(img, 0, 650, 245, 49, 50)) << name << " yellow digits";
        // Row 699 has no mask row below it, so it must draw nothing.
        EXPECT_TRUE(all_of(img, 0, 699, 245, 1, kWhite)) << name;
    }
}

TEST(ArtLayout, PlayerFacesReadCleanlyFromEveryOffsetTheGameUses) {
    BmpImage img = load("mub_pl");
    ASSERT_TRUE(img.ok);
    for (int x = 0; x < 3; ++x) EXPECT_GT(opaque_count(img, 48 * x, 0, 48, 48, 48), 500) << "frame " << x;
    // Read from x 47 (facing right) and x 94 (hurt on defeat): the columns
    // borrowed from the neighbouring frame are transparent.
    EXPECT_EQ(opaque_count(img, 47, 0, 1, 48, 48), 0);
    EXPECT_EQ(opaque_count(img, 94, 0, 2, 48, 48), 0);
    // The player is erased 44 columns wide: as drawn from x 0 and x 47 the
    // faces keep to those 44 columns.
    EXPECT_EQ(opaque_count(img, 44, 0, 4, 48, 48), 0);
    EXPECT_EQ(opaque_count(img, 47 + 44, 0, 4, 48, 48), 0);
    // The three faces differ.
    int diff01 = 0, diff12 = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) diff01 += img.at(x, y) != img.at(x + 48, y), diff12 += img.at(x + 48, y) != img.at(x + 96, y);
    EXPECT_GT(diff01, 20);
    EXPECT_GT(diff12, 100);
}

TEST(ArtLayout, HeartsDrawNothingOutsideTheirCells) {
    BmpImage img = load("heart");
    ASSERT_TRUE(img.ok);
    EXPECT_GT(opaque_count(img, 0, 0, 26, 26, 26), 150);
    EXPECT_GT(opaque_count(img, 27, 0, 26, 26, 26), 60);
    // The result screens copy 26 x 26 from x 1 and x 27 opaquely: column 26
    // and column 0 are white, as are the edges the copies include.
    EXPECT_TRUE(all_of(img, 26, 0, 1, 26, kWhite));
    EXPECT_TRUE(all_of(img, 0, 0, 1, 26, kWhite));
    // Shots are drawn 27 rows high, so the first mask row doubles as the
    // 27th image row: it must be black (nothing but black is drawn there).
    EXPECT_EQ(opaque_count(img, 0, 26, 53, 1, 0), 0);
    EXPECT_TRUE(all_of(img, 0, 0, 53, 1, kWhite));
}

TEST(ArtLayout, CrabsAndBossFramesStayInsideTheirRectangles) {
    BmpImage crab = load("mub_en");
    ASSERT_TRUE(crab.ok);
    for (int f = 0; f < 4; ++f) {
        EXPECT_GT(opaque_count(crab, 48 * f, 0, 48, 48, 48), 300) << "frame " << f;
        EXPECT_EQ(opaque_count(crab, 48 * f, 0, 1, 48, 48), 0) << "left edge of frame " << f;
    }
    BmpImage boss = load("mub_en_b");
    ASSERT_TRUE(boss.ok);
    const int xs[] = {3, 73, 140, 210, 285, 355};
    for (int row = 0; row < 3; ++row)
        for (int x : xs) {
            int w = x == 355 ? 65 : 70;
            EXPECT_GT(opaque_count(boss, x, 57 * row, w, 48, 173 - 57 * row), 400) << "row " << row << " x " << x;
        }
    // Neighbouring frames touch (73 + 70 > 140): the shared columns are clear.
    EXPECT_EQ(opaque_count(boss, 0, 0, 3, 48, 173), 0);
    EXPECT_EQ(opaque_count(boss, 70, 0, 3, 48, 173), 0);
    EXPECT_EQ(opaque_count(boss, 140, 0, 3, 48, 173), 0);
    // Gap rows between the colour rows draw nothing.
    for (int y : {48, 105, 162}) EXPECT_TRUE(all_of(boss, 0, y, 420, 9, kWhite)) << "gap at " << y;
    // One silhouette for the three colours: each row is opaque exactly where
    // the shared mask is, and the colours differ from row to row.
    int differs = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 420; ++x) {
            bool opaque = boss.at(x, 173 + y) == kWhite;
            for (int row = 0; row < 3; ++row)
                if (!opaque) {
                    ASSERT_EQ(boss.at(x, 57 * row + y), kWhite) << x << "," << y;
                }
            differs += boss.at(x, y) != boss.at(x, 114 + y);
        }
    EXPECT_GT(differs, 1000);
}

TEST(ArtLayout, PilesKeepToTheRowsThatAreErased) {
    BmpImage img = load("unko");
    ASSERT_TRUE(img.ok);
    for (int x : {0, 26, 53}) EXPECT_GT(opaque_count(img, x, 0, 26, 24, 26), 80) << "pile at " << x;
    // A falling pile is erased 24 rows high, and row 25 has no mask row.
    EXPECT_TRUE(all_of(img, 0, 24, 81, 2, kWhite));
}

TEST(ArtLayout, WhackSheetsLeaveTheGapsBetweenFramesClear) {
    BmpImage en = load("mub2_en");
    ASSERT_TRUE(en.ok);
    for (int x : {0, 48, 96, 144, 192, 240, 290, 338}) EXPECT_GT(opaque_count(en, x, 0, 48, 48, 48), 300) << x;
    EXPECT_EQ(opaque_count(en, 288, 0, 2, 48, 48), 0);
    // The empty hole and the enemy frames share the hole's place, so frames
    // drawn over one another in a hole never leave a stray pixel outside it.
    BmpImage pl = load("mub2_pl");
    ASSERT_TRUE(pl.ok);
    for (int f = 0; f < 4; ++f) EXPECT_GT(opaque_count(pl, 48 * f, 0, 48, 48, 48), 300) << "frame " << f;
}

TEST(ArtLayout, WhackFieldCarriesEveryHoleAsTheEmptyHoleFrameDrawsIt) {
    // Restoring the field where an enemy was must leave its hole: under every
    // opaque pixel of the empty-hole frame the field has that pixel's colour.
    BmpImage back = load("back"), en = load("mub2_en");
    ASSERT_TRUE(back.ok && en.ok);
    const int hole_x[] = {35, 155, 275, 395, 515}, hole_y[] = {330, 430, 330, 430, 330};
    for (int k = 0; k < 5; ++k) {
        int differ = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                if (en.at(x, y + 48) == kWhite) differ += back.at(hole_x[k] + x, hole_y[k] + y) != en.at(x, y);
        EXPECT_EQ(differ, 0) << "hole " << k;
    }
    EXPECT_GT(opaque_count(en, 0, 0, 48, 48, 48), 300);
}

// Each hole's key, black on a white cap right of the hole, inside the window
// and clear of every place a sprite is drawn: the holes' frames and the
// creature's above them.
TEST(ArtLayout, WhackFieldShowsEachHolesKeyBesideItWhereNoSpriteGoes) {
    BmpImage back = load("back");
    ASSERT_TRUE(back.ok);
    const int hole_x[] = {35, 155, 275, 395, 515}, hole_y[] = {330, 430, 330, 430, 330};
    const char32_t keys[] = U"zxcvb";
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        const int cap_x = hole_x[k] + 52, cap_y = hole_y[k] + 27, cap_w = 17, cap_h = 20;
        EXPECT_LE(cap_x + cap_w, 592);
        for (int j = 0; j < 5; ++j)
            for (int top : {hole_y[j], hole_y[j] - 48})
                EXPECT_TRUE(cap_x >= hole_x[j] + 48 || cap_x + cap_w <= hole_x[j] || cap_y >= top + 48 || cap_y + cap_h <= top)
                    << "under the sprite of hole " << j << " at y " << top;
        const auto glyph = lettered(std::u32string(1, keys[k]));
        int mismatched = 0;
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 8; ++c)
                mismatched += (back.at(cap_x + 4 + c, cap_y + 2 + r) == kBlack) != glyph[size_t(r)][size_t(c)];
        EXPECT_EQ(mismatched, 0);
        EXPECT_EQ(back.at(cap_x + 2, cap_y + 2), kWhite);
    }
}

TEST(ArtLayout, FieldCaptionsAreRingedInBlack) {
    // Every letter pixel of a caption lies two pixels deep inside opaque
    // black (or more letter): no letter pixel meets the sand.
    struct Caption {
        int frame_x, rows;
        uint32_t fill;
    } captions[] = {{290, 20, 0xFF0000}, {338, 36, 0xFFFF00}};
    BmpImage en = load("mub2_en");
    ASSERT_TRUE(en.ok);
    for (const Caption& c : captions) {
        int letters = 0, bare = 0;
        for (int y = 0; y < c.rows; ++y)
            for (int x = c.frame_x; x < c.frame_x + 48; ++x) {
                if (en.at(x, y) != c.fill) continue;
                ++letters;
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx) {
                        if (std::abs(dx) + std::abs(dy) > 2) continue;
                        const int nx = x + dx, ny = y + dy;
                        const bool inside = nx >= c.frame_x && nx < c.frame_x + 48 && ny >= 0 && ny < 48;
                        const uint32_t p = inside ? en.at(nx, ny) : kWhite;
                        bare += !inside || en.at(nx, ny + 48) != kWhite || (p != c.fill && p != kBlack);
                    }
            }
        EXPECT_GT(letters, 60) << "caption at " << c.frame_x;
        EXPECT_EQ(bare, 0) << "caption at " << c.frame_x;
    }
}

TEST(ArtLayout, WhackRulesPageSaysTheCounterattackHurtsTheCrab) {
    // The player is the crab; the enemies' counterattack hurts it. The line
    // is lettered in white on the black page at (40, 200).
    BmpImage page = load("mub2_se_2");
    ASSERT_TRUE(page.ok);
    const auto rows = lettered(U"「反撃!」 「うんこ返し!!」で カニ（自分）が やられる。");
    int wrong = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < int(rows[0].size()); ++x)
            wrong += (page.at(40 + x, 200 + y) == kWhite) != rows[size_t(y)][size_t(x)];
    EXPECT_EQ(wrong, 0);
}

TEST(ArtLayout, LabelsLeaveRoomForTheCountersDrawnBesideThem) {
    BmpImage wl = load("win_lose");
    ASSERT_TRUE(wl.ok);
    EXPECT_GT(opaque_count(wl, 0, 0, 55, 30, 30), 100);
    EXPECT_EQ(opaque_count(wl, 55, 0, 10, 30, 30), 0);   // the win digit
    EXPECT_EQ(opaque_count(wl, 140, 0, 10, 30, 30), 0);  // the lose digit
    EXPECT_EQ(opaque_count(wl, 150, 0, 10, 30, 30), 0);
    for (int n = 0; n <= 6; ++n) EXPECT_GT(opaque_count(wl, 160 + 10 * n, 0, 10, 30, 30), 20) << n;

    BmpImage life = load("life");
    ASSERT_TRUE(life.ok);
    EXPECT_GT(opaque_count(life, 0, 0, 80, 30, 30), 150);
    for (int k = 0; k < 6; ++k) EXPECT_GT(opaque_count(life, 80 + 15 * k, 0, 15, 30, 30), 30) << "half candle " << k;

    // The clock's label is drawn 200 wide over the minutes (x 115..152 of
    // the label) and the seconds (x 165..199).
    BmpImage time = load("time");
    ASSERT_TRUE(time.ok);
    EXPECT_EQ(opaque_count(time, 115, 0, 38, 30, 30), 0);
    EXPECT_EQ(opaque_count(time, 165, 0, 35, 30, 30), 0);
    EXPECT_GT(opaque_count(time, 153, 0, 12, 30, 30), 0);  // the colon between them
    for (const char* name : {"time", "hit", "entyo"}) {
        BmpImage img = load(name);
        ASSERT_TRUE(img.ok);
        EXPECT_GT(opaque_count(img, 0, 0, 110, 30, 30), 150) << name;
        for (int d = 0; d <= 9; ++d) EXPECT_GT(opaque_count(img, 200 + 19 * d, 0, 19, 30, 30), 40) << name << " " << d;
    }
    BmpImage hit = load("hit");
    EXPECT_EQ(opaque_count(hit, 110, 0, 90, 30, 30), 0);
    BmpImage en_hit = load("en_hit");
    ASSERT_TRUE(en_hit.ok);
    EXPECT_GT(opaque_count(en_hit, 0, 0, 175, 30, 30), 200);
    EXPECT_EQ(opaque_count(en_hit, 175, 0, 14, 30, 30), 0);
}

TEST(ArtLayout, ResultScreensAreWhiteWhereTheGameDrawsOverThem) {
    struct Screen {
        const char* name;
        int marker_x, marker_top;
    } screens[] = {{"mub_hantei", 25, 290}, {"mub2_hantei", 10, 287}};
    for (const Screen& s : screens) {
        BmpImage img = load(s.name);
        ASSERT_TRUE(img.ok);
        // The heart is copied opaquely, white around it, at any of six lines.
        EXPECT_TRUE(all_of(img, s.marker_x, s.marker_top, 26, 32 * 5 + 26, kWhite)) << s.name;
        // The score's gap.
        EXPECT_TRUE(all_of(img, 310, 160, 75, 50, kWhite)) << s.name;
        // Nothing essential beyond the client area.
        EXPECT_TRUE(all_of(img, 0, 543, 600, 7, kWhite)) << s.name;
        EXPECT_TRUE(all_of(img, 592, 0, 8, 550, kWhite)) << s.name;
        // Red digits: each in its 30-pixel cell, the 1 in the left half only.
        for (int d = 0; d <= 9; ++d) {
            EXPECT_GT(opaque_count(img, 30 * d, 550, 30, 50, 50), 80) << s.name << " digit " << d;
            EXPECT_EQ(opaque_count(img, 30 * d, 550, 1, 50, 50), 0) << s.name << " digit " << d;
            EXPECT_EQ(opaque_count(img, 30 * d + 29, 550, 1, 50, 50), 0) << s.name << " digit " << d;
        }
        EXPECT_EQ(opaque_count(img, 45, 550, 15, 50, 50), 0) << s.name << " the 1 reaches into the right half";
        for (int n = 0; n <= 6; ++n) EXPECT_GT(opaque_count(img, 35 * n, 650, 35, 49, 50), 80) << s.name << " digit " << n;
    }
    // The shooting result draws the counters over white at (200, 100), (390, 100).
    BmpImage shoot = load("mub_hantei");
    EXPECT_TRUE(all_of(shoot, 200, 100, 35, 50, kWhite));
    EXPECT_TRUE(all_of(shoot, 390, 100, 35, 50, kWhite));
}

TEST(ArtLayout, InstructionPagesFitTheClientArea) {
    for (const char* name : {"mub_se_1", "mub_se_2", "mub2_se_1", "mub2_se_2"}) {
        BmpImage img = load(name);
        ASSERT_TRUE(img.ok);
        int w = std::min(img.width, 599), h = std::min(img.height, 570);
        EXPECT_TRUE(all_of(img, 592, 0, w - 592, h, kBlack)) << name;
        EXPECT_TRUE(all_of(img, 0, 543, w, h - 543, kBlack)) << name;
    }
}

TEST(ArtLayout, FirstControlsPageCarriesItsAlternativeStripFromColumn599) {
    BmpImage img = load("mub_se_1");
    ASSERT_TRUE(img.ok);
    // The game shows columns 599..678 in place of the page's columns 0..79.
    int differ = 0, same_frame = 0;
    for (int y = 0; y < 570; ++y)
        for (int x = 0; x < 80; ++x) {
            bool d = img.at(x, y) != img.at(599 + x, y);
            differ += d;
            if (y < 100 || y > 480) same_frame += !d;
        }
    EXPECT_GT(differ, 200) << "the strip shows the other button lit";
    EXPECT_EQ(same_frame, 80 * (100 + 89)) << "the strip lines up with the page around the mice";
}

TEST(ArtLayout, StoryBackgroundLeavesTheCaptionsABlackBox) {
    BmpImage img = load("story_back");
    ASSERT_TRUE(img.ok);
    EXPECT_EQ(img.at(5, 5), 0x808080u);
    EXPECT_EQ(img.at(595, 545), 0x808080u);
    // Four caption lines of up to 15 double-byte characters from (90, 360).
    EXPECT_TRUE(all_of(img, 88, 358, 420, 124, kBlack));
    int yellow = 0;
    for (int y = 487; y < 508; ++y)
        for (int x = 311; x < 509; ++x) yellow += img.at(x, y) == 0xFFFF00;
    EXPECT_GT(yellow, 200);
}

TEST(ArtLayout, RisingLinesAndTitlePicturesKeepToWhatIsShown) {
    for (const char* name : {"mub_ti_1", "mub2_ti_1"}) {
        BmpImage img = load(name);
        ASSERT_TRUE(img.ok);
        for (int j = 0; j < 3; ++j) {
            // Each line is shown 300 wide from rows 45j-5 to 45j+39: the last
            // five rows of a band are shown above the next line.
            EXPECT_TRUE(all_of(img, 0, 45 * j + 40, 330, 5, kBlack)) << name << " line " << j;
            int white = 0;
            for (int y = 45 * j; y < 45 * j + 40; ++y)
                for (int x = 0; x < 300; ++x) white += img.at(x, y) == kWhite;
            EXPECT_GT(white, 200) << name << " line " << j;
        }
        EXPECT_TRUE(all_of(img, 300, 0, 30, 135, kBlack)) << name;
    }
    for (const char* name : {"mub_ti_2", "mub2_ti_2"}) {
        BmpImage img = load(name);
        ASSERT_TRUE(img.ok);
        EXPECT_TRUE(all_of(img, 500, 0, 50, 421, kBlack)) << name << ": only 500 columns are shown";
    }
    for (const char* name : {"mub_push", "mub2_push"}) {
        BmpImage img = load(name);
        ASSERT_TRUE(img.ok);
        int lit = 0;
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < std::min(img.width, 250); ++x) lit += img.at(x, y) != kBlack;
        EXPECT_GT(lit, 300) << name;
    }
    // The game copies 250 columns to x 350, so only 242 reach the client area.
    BmpImage push2 = load("mub2_push");
    EXPECT_TRUE(all_of(push2, 242, 0, 22, 26, kBlack)) << "only columns 0..241 are seen";
}
