// Icons out of a .res image: the group's first image with its mask applied.
#include <gtest/gtest.h>

#include "platform/resource/resources.h"
#include "resource/builders.h"

using namespace mub::res;
using restest::Bytes;

namespace {

// A 32 x 32, 4-bpp icon: colour 1 everywhere, the AND mask set on the top row.
std::vector<uint8_t> icon_dib(int height_field) {
    Bytes b;
    b.u32(40).u32(32).u32(uint32_t(height_field)).u16(1).u16(4).u32(0).u32(0).u32(0).u32(0).u32(16).u32(0);
    for (int i = 0; i < 16; ++i) b.u32(i == 1 ? 0x00FF8040 : 0);
    for (int i = 0; i < 16 * 32; ++i) b.u8(0x11);
    for (int row = 0; row < 32; ++row) b.u32(row == 31 ? 0xFFFFFFFF : 0);  // bottom-up: last row is the top
    return b.v;
}

std::vector<uint8_t> group(uint16_t icon_id) {
    Bytes g;
    g.u16(0).u16(1).u16(1).u8(32).u8(32).u8(16).u8(0).u16(1).u16(4).u32(0).u16(icon_id);
    return g.v;
}

}  // namespace

TEST(Icon, FirstImageOfTheGroupWithAlphaFromItsMask) {
    Bytes res = restest::empty_res();
    restest::add_resource(res, kRtIcon, 1, u"", icon_dib(64));
    restest::add_resource(res, kRtGroupIcon, 0, u"MUB2", group(1));
    const ResFile f(res.v);
    auto img = load_icon(f, Id::from_win32("Mub2"));
    ASSERT_TRUE(img);
    ASSERT_EQ(img->width, 32);
    ASSERT_EQ(img->height, 32);
    EXPECT_EQ(img->row(0)[0], 0u);
    EXPECT_EQ(img->row(0)[31], 0u);
    EXPECT_EQ(img->row(1)[0], kIconOpaque | 0xFF8040u);
    EXPECT_EQ(img->row(31)[31], kIconOpaque | 0xFF8040u);
}

TEST(Icon, MissingOrDamagedPartsGiveNoIcon) {
    Bytes missing_image = restest::empty_res();
    restest::add_resource(missing_image, kRtGroupIcon, 0, u"MUB2", group(2));
    restest::add_resource(missing_image, kRtIcon, 1, u"", icon_dib(64));
    EXPECT_FALSE(load_icon(ResFile(missing_image.v), Id::from_win32("MUB2")));

    Bytes odd_height = restest::empty_res();  // a height that is not picture plus mask
    restest::add_resource(odd_height, kRtGroupIcon, 0, u"MUB2", group(1));
    restest::add_resource(odd_height, kRtIcon, 1, u"", icon_dib(65));
    EXPECT_FALSE(load_icon(ResFile(odd_height.v), Id::from_win32("MUB2")));

    auto cut = icon_dib(64);
    cut.resize(cut.size() - 1);  // the mask's last byte missing
    Bytes short_mask = restest::empty_res();
    restest::add_resource(short_mask, kRtGroupIcon, 0, u"MUB2", group(1));
    restest::add_resource(short_mask, kRtIcon, 1, u"", cut);
    EXPECT_FALSE(load_icon(ResFile(short_mask.v), Id::from_win32("MUB2")));

    auto g = group(1);
    g.resize(10);
    Bytes short_group = restest::empty_res();
    restest::add_resource(short_group, kRtGroupIcon, 0, u"MUB2", g);
    restest::add_resource(short_group, kRtIcon, 1, u"", icon_dib(64));
    EXPECT_FALSE(load_icon(ResFile(short_group.v), Id::from_win32("MUB2")));
}
