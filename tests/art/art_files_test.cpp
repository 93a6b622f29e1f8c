// The committed bitmaps and icon: their sizes and formats, and that the
// generator still makes exactly these files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>
#include <unistd.h>

#include "art/bmp_image.h"

using namespace arttest;
namespace fs = std::filesystem;

namespace {

struct Expected {
    const char* name;
    int w, h, bpp;
    bool words = true;  // also in English, in bitmaps/en/
};

// Every bitmap the program loads, in load order.
const Expected kBitmaps[] = {
    {"title", 507, 246, 8},       {"story_back", 601, 550, 4}, {"story_1", 432, 292, 4, false},    {"story_2", 432, 301, 4, false},
    {"story_3", 432, 301, 4, false},     {"story_4", 432, 300, 4, false},    {"story_5", 432, 301, 4, false},    {"story_6", 432, 301, 4, false},
    {"story_7", 432, 301, 4, false},     {"mub_ti_1", 330, 135, 1},   {"mub_ti_2", 550, 421, 4},   {"mub_push", 208, 26, 4},
    {"mub_se_1", 680, 570, 4},    {"mub_se_2", 680, 553, 4},   {"mub_pl", 144, 96, 4, false},      {"heart", 92, 52, 4, false},
    {"mub_en", 192, 96, 4, false},       {"mub_en_b", 420, 229, 4},   {"unko", 81, 51, 4, false},         {"life", 170, 60, 4},
    {"win_lose", 230, 60, 4},     {"mub_hantei", 605, 749, 4}, {"mub2_ti_1", 330, 135, 1},  {"mub2_ti_2", 550, 421, 4},
    {"mub2_push", 264, 26, 4},    {"back", 679, 554, 4, false},       {"mub2_se_1", 601, 550, 4},  {"mub2_se_2", 680, 555, 4},
    {"mub2_pl", 192, 96, 4, false},      {"mub2_en", 386, 96, 4},     {"time", 391, 60, 4},        {"hit", 391, 60, 4},
    {"entyo", 391, 60, 4},        {"en_hit", 189, 60, 4},      {"mub2_hantei", 605, 749, 8},
};

const uint32_t kClassic16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::string artgen_path() { return std::string(MUB_BINARY_DIR) + "/tools/artgen/artgen"; }

}  // namespace

// Every file of both editions: the pictures, then the English twins.
std::vector<std::string> bitmap_files() {
    std::vector<std::string> files;
    for (const Expected& e : kBitmaps) files.push_back(e.name);
    for (const Expected& e : kBitmaps)
        if (e.words) files.push_back(std::string("en/") + e.name);
    return files;
}

const Expected& expected(const std::string& file) {
    const std::string name = file.substr(file.find('/') + 1);
    for (const Expected& e : kBitmaps)
        if (name == e.name) return e;
    throw std::runtime_error("no such picture: " + file);
}

TEST(ArtFiles, EveryBitmapHasItsSizeDepthAndPalette) {
    ASSERT_EQ(std::size(kBitmaps), 35u);
    ASSERT_EQ(bitmap_files().size(), 35u + 22u);
    for (const std::string& file : bitmap_files()) {
        SCOPED_TRACE(file);
        const Expected& e = expected(file);
        BmpImage img = read_bmp(bitmap_path(file));
        ASSERT_TRUE(img.ok) << img.error;
        EXPECT_EQ(img.width, e.w);
        EXPECT_EQ(img.height, e.h);
        EXPECT_EQ(img.bpp, e.bpp);
        EXPECT_TRUE(img.bottom_up);
        EXPECT_EQ(img.compression, 0u);
        ASSERT_EQ(img.palette.size(), size_t(1) << e.bpp);
        if (e.bpp == 1) {
            EXPECT_EQ(img.palette[0], 0x000000u);
            EXPECT_EQ(img.palette[1], 0xFFFFFFu);
        }
        if (e.bpp == 4) {
            for (int i = 0; i < 16; ++i) EXPECT_EQ(img.palette[size_t(i)], kClassic16[i]) << "palette entry " << i;
        }
    }
    // Nothing else lies in the folders.
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(std::string(MUB_SOURCE_DIR) + "/res/bitmaps")) {
        if (entry.is_directory()) {
            EXPECT_EQ(entry.path().filename(), "en");
            continue;
        }
        EXPECT_EQ(entry.path().extension(), ".bmp") << entry.path();
        ++files;
    }
    EXPECT_EQ(files, bitmap_files().size());
}

TEST(ArtFiles, IconIsOne32x32SixteenColourImageWithMask) {
    std::vector<uint8_t> b = read_bytes(std::string(MUB_SOURCE_DIR) + "/res/mubmub.ico");
    ASSERT_GE(b.size(), 22u);
    EXPECT_EQ(le16(b, 0), 0);
    EXPECT_EQ(le16(b, 2), 1);  // icon
    ASSERT_EQ(le16(b, 4), 1);  // one image
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(b[8], 16);
    EXPECT_EQ(le16(b, 12), 4);
    uint32_t size = le32(b, 14), off = le32(b, 18);
    ASSERT_EQ(off + size, b.size());
    EXPECT_EQ(le32(b, off), 40u);
    EXPECT_EQ(int32_t(le32(b, off + 4)), 32);
    EXPECT_EQ(int32_t(le32(b, off + 8)), 64);  // image and AND mask
    EXPECT_EQ(le16(b, off + 14), 4);
    // Header, 16 colours, 32 rows of 16 bytes of colour, 32 rows of 4 bytes of mask.
    EXPECT_EQ(size, 40u + 64 + 32 * 16 + 32 * 4);
    // The face is opaque in the middle and the corners are transparent.
    size_t mask = off + 40 + 64 + 32 * 16;
    auto transparent = [&](int x, int y) { return (b[mask + size_t(31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1; };
    EXPECT_EQ(transparent(16, 16), 0);
    EXPECT_EQ(transparent(0, 0), 1);
    EXPECT_EQ(transparent(31, 31), 1);
}

TEST(ArtFiles, GeneratorMakesExactlyTheCommittedFiles) {
    std::string artgen = artgen_path();
    ASSERT_TRUE(fs::exists(artgen)) << "build the artgen target first: " << artgen;
    fs::path out = fs::temp_directory_path() / ("mub_artgen_" + std::to_string(::getpid()));
    fs::remove_all(out);
    std::string cmd = "\"" + artgen + "\" \"" + out.string() + "\"";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    std::vector<std::string> files = {"mubmub.ico"};
    for (const std::string& f : bitmap_files()) files.push_back("bitmaps/" + f + ".bmp");
    for (const std::string& f : files) {
        SCOPED_TRACE(f);
        std::vector<uint8_t> made = read_bytes((out / f).string());
        std::vector<uint8_t> committed = read_bytes(std::string(MUB_SOURCE_DIR) + "/res/" + f);
        ASSERT_FALSE(made.empty());
        EXPECT_TRUE(made == committed) << "regenerate with: artgen " << MUB_SOURCE_DIR << "/res";
    }
    fs::remove_all(out);
}

TEST(ArtFiles, GeneratorRejectsBadArguments) {
    std::string artgen = artgen_path();
    ASSERT_TRUE(fs::exists(artgen));
    int rc = std::system(("\"" + artgen + "\" --bogus >/dev/null 2>&1").c_str());
    EXPECT_NE(rc, 0);
    rc = std::system(("\"" + artgen + "\" >/dev/null 2>&1").c_str());
    EXPECT_NE(rc, 0);
}
