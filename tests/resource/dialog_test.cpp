// Dialog templates in both layouts, and damaged ones.
#include <gtest/gtest.h>

#include "platform/resource/resources.h"
#include "resource/builders.h"

using mub::res::parse_dialog;
using restest::Bytes;

TEST(Dialog, ReadsTheExtendedLayout) {
    Bytes t;
    t.u16(1).u16(0xFFFF).u32(0).u32(0).u32(0x80C80040u).u16(2);
    t.u16(uint16_t(-5)).u16(7).u16(100).u16(60);
    t.u16(0).u16(0).sz(u"選ぶ").u16(9).u16(400).u8(0).u8(1).sz(u"Font");
    t.align4().u32(0).u32(0).u32(0x50010000).u16(1).u16(2).u16(30).u16(14).u32(1000).ordinal(0x80).sz(u"Go").u16(0);
    t.align4().u32(0).u32(0).u32(0x50000000).u16(3).u16(4).u16(5).u16(6).u32(70000).sz(u"Static").ordinal(7);
    t.u16(2).u8(0xAA).u8(0xBB);
    auto d = parse_dialog(t.v);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->style, 0x80C80040u);
    EXPECT_EQ(d->x, -5);
    EXPECT_EQ(d->cy, 60);
    EXPECT_EQ(d->caption, U"選ぶ");
    EXPECT_EQ(d->point_size, 9);
    EXPECT_EQ(d->font_name, U"Font");
    ASSERT_EQ(d->items.size(), 2u);
    EXPECT_EQ(d->items[0].id, 1000);
    EXPECT_EQ(d->items[0].class_atom, 0x80);
    EXPECT_EQ(d->items[0].text, U"Go");
    EXPECT_EQ(d->items[1].id, 70000);
    EXPECT_EQ(d->items[1].class_atom, 0x82);  // named class "Static"
    EXPECT_EQ(d->items[1].text, U"");         // an ordinal title (an icon) has no text
    for (size_t n = 0; n + 1 < t.v.size(); ++n)
        EXPECT_FALSE(parse_dialog(std::span(t.v.data(), n))) << "cut at " << n;
}

TEST(Dialog, ClassicLayoutWithoutFontAndDamagedCounts) {
    Bytes t;
    t.u32(0x80C00000u).u32(0).u16(1).u16(1).u16(2).u16(3).u16(4).u16(0).u16(0).sz(u"T");
    t.align4().u32(0x50000000).u32(0).u16(1).u16(2).u16(3).u16(4).u16(5).ordinal(0x80).sz(u"B").u16(0);
    auto d = parse_dialog(t.v);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->point_size, 0);
    EXPECT_EQ(d->font_name, U"");
    ASSERT_EQ(d->items.size(), 1u);
    EXPECT_EQ(d->items[0].id, 5);
    // More items claimed than present.
    t.v[8] = 50;
    EXPECT_FALSE(parse_dialog(t.v));
    EXPECT_FALSE(parse_dialog({}));
}
