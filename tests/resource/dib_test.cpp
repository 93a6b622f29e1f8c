// Decoding bitmap resources, and refusing damaged ones.
#include <gtest/gtest.h>

#include "platform/resource/resources.h"
#include "resource/builders.h"

using mub::res::decode_dib;
using restest::dib;

namespace {

std::vector<uint32_t> pixels(const mub::res::Bitmap &b) { return b.image.pixels; }

}  // namespace

TEST(Dib, OneBitIsBlackAndWhiteWhateverThePalette) {
    // 10 x 2, bottom-up: file row 0 is the bottom row. Rows pad to 4 bytes.
    const auto data = dib(10, 2, 1, {0x00FF0000, 0x0000FF00}, {0b10100000, 0b01000000, 0, 0, 0xFF, 0xC0, 0, 0});
    auto b = decode_dib(data);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->bpp, 1);
    ASSERT_EQ(b->image.width, 10);
    ASSERT_EQ(b->image.height, 2);
    const uint32_t W = 0xFFFFFF, K = 0;
    EXPECT_EQ(pixels(*b), (std::vector<uint32_t>{W, W, W, W, W, W, W, W, W, W,  //
                                                 W, K, W, K, K, K, K, K, K, W}));
}

TEST(Dib, FourAndEightBitTakeTheirPalette) {
    // 3 x 2 at 4 bpp, top-down (negative height), palette of 3 colours.
    auto d4 = dib(3, -2, 4, {0x000000, 0x112233, 0xABCDEF}, {0x12, 0x00, 0, 0, 0x21, 0x10, 0, 0}, 3);
    auto b4 = decode_dib(d4);
    ASSERT_TRUE(b4);
    EXPECT_EQ(b4->bpp, 4);
    EXPECT_EQ(pixels(*b4), (std::vector<uint32_t>{0x112233, 0xABCDEF, 0, 0xABCDEF, 0x112233, 0x112233}));
    // An index past a short palette reads as black.
    auto d4b = dib(1, 1, 4, {0x445566}, {0xF0, 0, 0, 0}, 1);
    ASSERT_TRUE(decode_dib(d4b));
    EXPECT_EQ(pixels(*decode_dib(d4b)), (std::vector<uint32_t>{0}));

    std::vector<uint32_t> pal(256);
    for (uint32_t i = 0; i < 256; ++i) pal[i] = i * 0x010101;
    auto d8 = dib(5, 2, 8, pal, {1, 2, 3, 4, 5, 0, 0, 0, 200, 201, 202, 203, 204, 0, 0, 0});
    auto b8 = decode_dib(d8);
    ASSERT_TRUE(b8);
    EXPECT_EQ(b8->bpp, 8);
    EXPECT_EQ(b8->image.row(0)[0], 200u * 0x010101);  // bottom-up
    EXPECT_EQ(b8->image.row(1)[4], 5u * 0x010101);

    auto d24 = dib(1, 1, 24, {}, {0x01, 0x02, 0x03, 0});
    ASSERT_TRUE(decode_dib(d24));
    EXPECT_EQ(pixels(*decode_dib(d24)), (std::vector<uint32_t>{0x030201}));
}

TEST(Dib, RejectsMalformedDataWithoutReadingOutside) {
    const auto good = dib(10, 2, 1, {0, 0xFFFFFF}, std::vector<uint8_t>(8, 0xAA));
    ASSERT_TRUE(decode_dib(good));
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(decode_dib(std::span(good.data(), n))) << "cut at " << n;

    auto patched = [&](size_t at, uint32_t value) {
        auto d = good;
        for (int i = 0; i < 4; ++i) d[at + size_t(i)] = uint8_t(value >> (8 * i));
        return d;
    };
    EXPECT_FALSE(decode_dib(patched(0, 0x7FFFFFFF)));  // header larger than the data
    EXPECT_FALSE(decode_dib(patched(0, 12)));          // header too small
    EXPECT_FALSE(decode_dib(patched(4, 0x7FFFFFFF)));  // huge width
    EXPECT_FALSE(decode_dib(patched(4, 0)));           // no width
    EXPECT_FALSE(decode_dib(patched(4, uint32_t(-10))));
    EXPECT_FALSE(decode_dib(patched(8, 0x80000000)));  // height INT_MIN
    EXPECT_FALSE(decode_dib(patched(8, 3)));           // more rows than the data has
    EXPECT_FALSE(decode_dib(patched(32, 3)));          // more colours than 1 bpp allows
    EXPECT_FALSE(decode_dib(patched(32, 0xFFFFFFFF)));
    EXPECT_FALSE(decode_dib(patched(16, 1)));          // run-length compression
    auto bpp = good;
    bpp[14] = 2;
    EXPECT_FALSE(decode_dib(bpp));
    bpp[14] = 32;
    EXPECT_FALSE(decode_dib(bpp));
    EXPECT_FALSE(decode_dib({}));
}
