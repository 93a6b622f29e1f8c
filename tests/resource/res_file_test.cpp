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

TEST(ResFile, PrefersTheLanguageThenItsPrimaryThenNeutralThenTheFirst) {
    Bytes res = restest::empty_res();
    restest::add_resource(res, kRtBitmap, 0, u"TITLE", {1}, 0x0411);  // Japanese
    restest::add_resource(res, kRtBitmap, 0, u"TITLE", {2}, 0x0409);  // English (US)
    restest::add_resource(res, kRtBitmap, 0, u"BACK", {3}, 0x0000);   // neutral
    restest::add_resource(res, kRtBitmap, 0, u"BACK", {4}, 0x0409);
    restest::add_resource(res, kRtBitmap, 0, u"HIT", {5}, 0x0411);
    const ResFile f(res.v);
    struct Case {
        const char *name;
        LangId asked;
        uint8_t got;
    };
    const Case cases[] = {
        {"title", 0x0411, 1}, {"title", 0x0409, 2}, {"title", 0x0809, 2},  // English (UK): same primary
        {"title", 0x0407, 1},                                              // German: the first
        {"title", 0x0000, 1}, {"back", 0x0409, 4},   {"back", 0x0411, 3},  // no Japanese: neutral
        {"back", 0x0407, 3},  {"hit", 0x0409, 5},
    };
    for (const Case &c : cases) {
        auto d = f.find(kRtBitmap, named(c.name), c.asked);
        ASSERT_TRUE(d) << c.name << " " << c.asked;
        EXPECT_EQ((*d)[0], c.got) << c.name << " " << std::hex << c.asked;
    }
    EXPECT_EQ(f.languages(kRtBitmap, named("back")), (std::vector<LangId>{0x0000, 0x0409}));
    EXPECT_FALSE(f.find(kRtBitmap, named("life"), 0x0411));
}

TEST(ResFile, ReadsStringTablesByBlockAndIndex) {
    // Block 1 holds ids 0..15: id 1 "ab", id 3 "\u3080" (a cut-off surrogate
    // pair at the end of id 4); block 7 holds 96..111, id 100 "x".
    Bytes b1;
    b1.u16(0).u16(2).u16('a').u16('b').u16(0).u16(1).u16(0x3080).u16(1).u16(0xD83D);
    for (int k = 5; k < 16; ++k) b1.u16(0);
    Bytes b7;
    for (int k = 96; k < 100; ++k) b7.u16(0);
    b7.u16(1).u16('x');
    Bytes res = restest::empty_res();
    restest::add_resource(res, kRtString, 1, u"", b1.v, 0x0411);
    restest::add_resource(res, kRtString, 7, u"", b7.v, 0x0411);
    restest::add_resource(res, kRtString, 1, u"", restest::Bytes().u16(0).u16(2).u16('E').u16('N').v, 0x0409);
    const ResFile f(res.v);
    EXPECT_EQ(load_string(f, 1, 0x0411), U"ab");
    EXPECT_EQ(load_string(f, 3, 0x0411), U"\u3080");
    EXPECT_EQ(load_string(f, 4, 0x0411), std::u32string(1, char32_t(0xD83D)));  // as it stands; no read past it
    EXPECT_EQ(load_string(f, 100, 0x0411), U"x");
    EXPECT_EQ(load_string(f, 1, 0x0409), U"EN");
    EXPECT_FALSE(load_string(f, 2, 0x0411));    // empty
    EXPECT_FALSE(load_string(f, 2, 0x0409));    // past the end of a short block
    EXPECT_FALSE(load_string(f, 101, 0x0411));  // past the end of block 7
    EXPECT_FALSE(load_string(f, 16, 0x0411));   // block 2 does not exist
}
