// The .res reader: lookup by type and name, and damaged files.
#include <gtest/gtest.h>

#include "platform/resource/resources.h"
#include "resource/builders.h"

using namespace mub::res;
using restest::Bytes;

namespace {

Id named(const char *s) { return Id::from_win32(s); }
Id number(uint16_t n) {
    Id id;
    id.is_int = true;
    id.number = n;
    return id;
}

Bytes sample() {
    Bytes res = restest::empty_res();
    restest::add_resource(res, kRtBitmap, 0, u"MUB_PL", {1, 2, 3});
    restest::add_resource(res, kRtBitmap, 0, u"HIT", {4, 5, 6, 7, 8});
    restest::add_resource(res, kRtDialog, 101, u"", {9});
    restest::add_resource(res, kRtGroupIcon, 0, u"MUB2", {});
    return res;
}

}  // namespace

TEST(ResFile, FindsEntriesByTypeAndNameIgnoringCase) {
    const Bytes res = sample();
    const ResFile f(res.v);
    EXPECT_EQ(f.count(kRtBitmap), 2u);
    EXPECT_EQ(f.count(kRtDialog), 1u);
    EXPECT_EQ(f.count(kRtIcon), 0u);
    auto pl = f.find(kRtBitmap, named("mub_pl"));
    ASSERT_TRUE(pl);
    EXPECT_EQ(std::vector<uint8_t>(pl->begin(), pl->end()), (std::vector<uint8_t>{1, 2, 3}));
    auto hit = f.find(kRtBitmap, named("Hit"));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->size(), 5u);
    EXPECT_TRUE(f.find(kRtGroupIcon, named("mub2")));
    EXPECT_FALSE(f.find(kRtGroupIcon, named("mubmub")));
    EXPECT_FALSE(f.find(kRtDialog, named("MUB_PL")));  // right name, wrong type
    EXPECT_FALSE(f.find(kRtBitmap, named("MUB_P")));
    EXPECT_TRUE(f.find(kRtDialog, number(101)));
    EXPECT_TRUE(f.find(kRtDialog, named("#101")));
    EXPECT_FALSE(f.find(kRtDialog, named("101")));  // a name, not the number
    EXPECT_FALSE(f.find(kRtDialog, number(102)));
}

TEST(ResFile, Win32IdentifiersAreNumbersOrNames) {
    const Id a = Id::from_win32(reinterpret_cast<const char *>(uintptr_t(101)));
    EXPECT_TRUE(a.is_int);
    EXPECT_EQ(a.number, 101);
    const Id b = Id::from_win32("title");
    EXPECT_FALSE(b.is_int);
    EXPECT_EQ(b.name, "title");
    EXPECT_FALSE(Id::from_win32("#1x").is_int);
    EXPECT_FALSE(Id::from_win32("#70000").is_int);
}

TEST(ResFile, DamagedFilesKeepWhatIsIntactAndNeverReadPastTheEnd) {
    const Bytes res = sample();
    // Every truncation: only whole entries are kept.
    for (size_t n = 0; n <= res.v.size(); ++n) {
        const std::vector<uint8_t> cut(res.v.begin(), res.v.begin() + long(n));
        const ResFile f(cut);
        EXPECT_LE(f.count(kRtBitmap), 2u);
        if (auto d = f.find(kRtBitmap, named("HIT"))) {
            EXPECT_EQ(d->size(), 5u);
        }
    }
    // A data size running past the end stops the reading there.
    Bytes bad = restest::empty_res();
    restest::add_resource(bad, kRtBitmap, 0, u"A", {1});
    Bytes tail;
    restest::add_resource(tail, kRtBitmap, 0, u"B", {2});
    tail.v[0] = 0xF0, tail.v[3] = 0x7F;  // data size 0x7F0000F0
    bad.append(tail.v);
    const ResFile f(bad.v);
    EXPECT_EQ(f.count(kRtBitmap), 1u);
    EXPECT_TRUE(f.find(kRtBitmap, named("a")));
    // A header size too small for its fields, and a name without an end.
    Bytes tiny;
    tiny.u32(0).u32(8);
    EXPECT_EQ(ResFile(tiny.v).count(kRtBitmap), 0u);
    Bytes open_name;
    open_name.u32(0).u32(32).ordinal(kRtBitmap);
    for (int i = 0; i < 10; ++i) open_name.u16('X');
    EXPECT_EQ(ResFile(open_name.v).count(kRtBitmap), 0u);
}
