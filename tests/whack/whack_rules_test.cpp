// The whack game's rules called in this process on a window of our own:
// the strike, the clock's extensions and notice, the enemies' hidden time
// and holes, and the result screen for chosen scores. Every global a test
// touches is put back afterwards.
#include <gtest/gtest.h>

#include <vector>

#include "mubmub.h"
#include "platform/core/core.h"
#include "whack_test_util.h"

using namespace whacktest;

namespace {

class WhackInProcess : public ::testing::Test {
protected:
    HWND window = nullptr;
    HDC dc = nullptr;

    void SetUp() override
    {
        mub::core::reset();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "whack_rules";
        wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
        RegisterClassA(&wc);
        window = CreateWindowExA(0, "whack_rules", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 570, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        dc = GetDC(window);
        ASSERT_NE(dc, nullptr);

        save(&main_key, 1), save(&hit, 1), save(&r_hit, 1), save(&en_hit, 1), save(&entyo, 1);
        save(&m, 1), save(&s, 1), save(&back, 1), save(&back_t, 1), save(&back_flg, 1);
        save(&time_ptype, 1), save(&mub2_pl_no, 1), save(&mub2_pl_before_x, 1), save(&mub2_pl_before_y, 1);
        save(&mub2_task_no, 1), save(&pl_time, 1), save(mub2_en_no, 2), save(mub2_entask_no, 2);
        save(en_time, 2), save(hit_flg, 2), save(&mub2_score, 1), save(&moji, 1), save(&bit_flg, 1);
        saved_rect = cl_rect;
        for (auto [slot, name] : bitmaps()) {
            saved_bitmaps.push_back(*slot);
            *slot = LoadBitmapA(nullptr, name);
            ASSERT_NE(*slot, nullptr) << name;
        }

        main_key = mub2_GAME_SCREEN;
        hit = 0, r_hit = 25, en_hit = 0, entyo = 0, m = 6, s = 59;
        back = back_t = back_flg = time_ptype = 0;
        mub2_pl_no = 2, mub2_pl_before_x = 275, mub2_pl_before_y = 282, mub2_task_no = 0, pl_time = 0;
        for (int i = 0; i < 2; i++) mub2_en_no[i] = 0, mub2_entask_no[i] = 3, en_time[i] = 0, hit_flg[i] = 0;
        mub2_score = 0, moji = 0, bit_flg = 0;
    }

    void TearDown() override
    {
        for (auto &[where, values] : saved)
            for (size_t i = 0; i < values.size(); i++) where[i] = values[i];
        cl_rect = saved_rect;
        size_t i = 0;
        for (auto [slot, name] : bitmaps()) {
            if (*slot)
                DeleteObject(*slot);
            if (i < saved_bitmaps.size())
                *slot = saved_bitmaps[i++];
        }
        if (dc)
            ReleaseDC(window, dc);
        if (window)
            DestroyWindow(window);
        mub::core::reset();
    }

    // The client area as drawn so far, as a screenshot.
    mubtest::Screenshot screen() const
    {
        mubtest::Screenshot shot;
        RECT rc;
        GetClientRect(window, &rc);
        shot.width = rc.right, shot.height = rc.bottom;
        shot.pixels.resize(size_t(shot.width) * size_t(shot.height));
        for (int y = 0; y < shot.height; y++)
            for (int x = 0; x < shot.width; x++) {
                const COLORREF c = GetPixel(dc, x, y);
                shot.pixels[size_t(y) * size_t(shot.width) + size_t(x)] =
                    (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        return shot;
    }

    // Two enemies up in one hole, both unstruck, the creature ready there.
    void two_in_hole(int hole)
    {
        entyo = 1;
        mub2_en_no[0] = mub2_en_no[1] = hole;
        mub2_entask_no[0] = 0, mub2_entask_no[1] = 5;
        en_time[0] = 3, en_time[1] = 7;
        mub2_pl_no = hole;
    }

private:
    std::vector<std::pair<int *, std::vector<int>>> saved;
    std::vector<HBITMAP> saved_bitmaps;
    RECT saved_rect{};

    void save(int *where, int count) { saved.emplace_back(where, std::vector<int>(where, where + count)); }
    static std::vector<std::pair<HBITMAP *, const char *>> bitmaps()
    {
        return {{&mub2_hbmp_back, "BACK"}, {&mub2_hbmp[0], "MUB2_PL"},    {&mub2_hbmp[1], "MUB2_EN"},
                {&mub2_hbmp[2], "TIME"},   {&mub2_hbmp[3], "HIT"},        {&mub2_hbmp[4], "ENTYO"},
                {&mub2_hbmp[5], "EN_HIT"}, {&mub2_hbmp_ha, "MUB2_HANTEI"}, {&mub_hbmp[1], "HEART"}};
    }
};

}  // namespace

using WhackStrikeRules = WhackInProcess;

TEST_F(WhackStrikeRules, OneBlowStrikesBothEnemiesInAHole)
{
    two_in_hole(3);
    r_hit = 1;
    mub2_hit_check();
    EXPECT_EQ(hit, 2);
    EXPECT_EQ(r_hit, -1);
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(mub2_entask_no[i], 4) << i;
        EXPECT_EQ(en_time[i], 0) << i;
        EXPECT_EQ(hit_flg[i], 1) << i;
    }
    EXPECT_EQ(mub2_task_no, 1);
    EXPECT_EQ(pl_time, 0);

    // the extension that follows sets the table's value: the extra hit is lost
    m = 2, s = 30;
    mub2_time_ctrl(dc);
    EXPECT_EQ(entyo, 2);
    EXPECT_EQ(r_hit, 20);
    EXPECT_EQ(m, 6);

    // both are flagged now: the next blow at that hole is a miss
    mub2_hit_check();
    EXPECT_EQ(hit, 2);
    EXPECT_EQ(r_hit, 20);
    EXPECT_EQ(mub2_task_no, 2);
}

TEST_F(WhackStrikeRules, OnlyActiveUnflaggedEnemiesAtTheHoleCount)
{
    // before the first extension slot 1 does not play, even at the creature's hole
    mub2_en_no[0] = 0, mub2_en_no[1] = 2, mub2_entask_no[1] = 2;
    mub2_hit_check();
    EXPECT_EQ(hit, 0);
    EXPECT_EQ(mub2_entask_no[1], 2);
    EXPECT_EQ(mub2_task_no, 2);

    // with two in play, striking one while the other is elsewhere is a hit
    entyo = 1;
    mub2_en_no[0] = 4, mub2_entask_no[0] = 1;
    mub2_hit_check();
    EXPECT_EQ(hit, 1);
    EXPECT_EQ(r_hit, 24);
    EXPECT_EQ(mub2_entask_no[0], 1);
    EXPECT_EQ(mub2_entask_no[1], 4);
    EXPECT_EQ(mub2_task_no, 1);

    // a hiding enemy is struck as well: only the hole and the flag matter
    two_in_hole(1);
    mub2_entask_no[0] = 3, mub2_entask_no[1] = 3;
    hit_flg[0] = 1, hit_flg[1] = 0;
    mub2_hit_check();
    EXPECT_EQ(hit, 2);
    EXPECT_EQ(mub2_entask_no[0], 3);
    EXPECT_EQ(mub2_entask_no[1], 4);
}

using WhackClockRules = WhackInProcess;

TEST_F(WhackClockRules, ExtensionTableAndItsEnd)
{
    struct Row {
        int entyo_before, r_hit_after, minutes;
    } rows[] = {{0, 15, 3}, {1, 20, 4}, {2, 25, 2}, {3, 25, 2}, {4, 0, 1}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.entyo_before);
        entyo = row.entyo_before, r_hit = 0, m = 0, s = 30;
        mub2_time_ctrl(dc);
        EXPECT_EQ(entyo, row.entyo_before + 1);
        EXPECT_EQ(r_hit, row.r_hit_after);  // the fifth leaves r_hit as it was
        EXPECT_EQ(m, row.minutes);          // granted at 0 minutes, play goes on
        EXPECT_EQ(main_key, mub2_GAME_SCREEN);
    }
    // after the fifth, nothing more is granted however low r_hit goes
    entyo = 5, r_hit = -7, m = 1, s = 30;
    mub2_time_ctrl(dc);
    EXPECT_EQ(entyo, 5);
    EXPECT_EQ(r_hit, -7);
    EXPECT_EQ(m, 1);
    // not enough hits yet
    entyo = 2, r_hit = 1;
    mub2_time_ctrl(dc);
    EXPECT_EQ(entyo, 2);
}

TEST_F(WhackClockRules, TimeUpEndsTheGameAndRewindsTheClock)
{
    m = 1, s = 1;
    mub2_time_ctrl(dc);
    EXPECT_EQ(m, 0);
    EXPECT_EQ(s, 59);
    EXPECT_EQ(main_key, mub2_GAME_SCREEN);
    s = 1;
    mub2_time_ctrl(dc);
    EXPECT_EQ(main_key, mub2_GAME_END);
    EXPECT_EQ(m, 6);
    EXPECT_EQ(s, 59);
    // 00:00 is what the last tick shows
    const auto shot = screen();
    const auto &field = picture("BACK");
    for (int x : {275, 294, 325, 344}) EXPECT_EQ(digit_mismatches(shot, field, "TIME", x, 140, 0), 0) << x;
}

TEST_F(WhackClockRules, NoticeShowsTheHitsLeftAndBlinks)
{
    const auto &field = picture("BACK");
    const auto &notice = picture("ENTYO");
    r_hit = 7, s = 20;  // 19 after the tick: shown
    mub2_time_ctrl(dc);
    auto shot = screen();
    EXPECT_EQ(masked_mismatches(shot, field, notice, 100, 240, 0, 0, 200, 30, 30), 0);
    EXPECT_EQ(digit_mismatches(shot, field, "ENTYO", 313, 240, 7), 0);

    s = 17;  // 16 after the tick: a multiple of 8, blinked off
    mub2_time_ctrl(dc);
    shot = screen();
    EXPECT_EQ(masked_mismatches(shot, field, field, 100, 240, 100, 240, 235, 30, 0), 0);

    r_hit = 0, s = 20;  // reached: the notice goes as the extension comes
    mub2_time_ctrl(dc);
    shot = screen();
    EXPECT_EQ(masked_mismatches(shot, field, field, 100, 240, 100, 240, 235, 30, 0), 0);
    EXPECT_EQ(entyo, 1);
}

using WhackEnemyRules = WhackInProcess;

TEST_F(WhackEnemyRules, HiddenTimeByExtensionsAndAfterTheLast)
{
    // after the first extension both slots wait 14 ticks, then come up
    entyo = 1;
    for (int k = 1; k < 15; k++) {
        mub2_enemy_ctrl(dc);
        ASSERT_EQ(mub2_entask_no[0], 3) << "tick " << k;
        ASSERT_EQ(mub2_entask_no[1], 3) << "tick " << k;
    }
    mub2_enemy_ctrl(dc);
    for (int i = 0; i < 2; i++) {
        EXPECT_LE(mub2_entask_no[i], 2) << i;
        EXPECT_EQ(en_time[i], 0) << i;
    }

    // after the fifth extension the hidden time stays at the last entry, 0
    entyo = 5;
    for (int i = 0; i < 2; i++) mub2_entask_no[i] = 3, en_time[i] = 0, hit_flg[i] = 1;
    mub2_enemy_ctrl(dc);
    for (int i = 0; i < 2; i++) {
        EXPECT_LE(mub2_entask_no[i], 2) << i;
        EXPECT_EQ(hit_flg[i], 0) << i;
    }
}

TEST_F(WhackEnemyRules, SecondSlotNeverTakesTheFirstSlotsHole)
{
    entyo = 4;  // hidden time 0: both choose a hole on every call
    int onto_slot1 = 0;
    for (int round = 0; round < 300; round++) {
        for (int i = 0; i < 2; i++) mub2_entask_no[i] = 3, en_time[i] = 0;
        const int slot1_before = mub2_en_no[1];
        mub2_enemy_ctrl(dc);
        ASSERT_NE(mub2_en_no[1], mub2_en_no[0]) << "round " << round;
        ASSERT_GE(mub2_en_no[1], 0);
        ASSERT_LT(mub2_en_no[1], 5);
        // slot 0 is not kept off the hole where slot 1 was
        onto_slot1 += mub2_en_no[0] == slot1_before;
    }
    EXPECT_GT(onto_slot1, 0);
}

using WhackResultRules = WhackInProcess;

namespace {
struct ScoreCase {
    int hit, en_hit, score, marker_y;
    std::vector<std::tuple<int, int, int>> red;  // x, digit, width
};
}  // namespace

TEST_F(WhackResultRules, ScoreDigitsAndMarkerLine)
{
    const ScoreCase cases[] = {
        {3, 9, 0, 447, {{355, 0, 30}}},
        {19, 0, 19, 447, {{325, 1, 30}, {355, 9, 30}}},
        {20, 0, 20, 415, {{325, 2, 30}, {355, 0, 30}}},
        {104, 5, 99, 319, {{325, 9, 30}, {355, 9, 30}}},
        {100, 0, 100, 287, {{310, 1, 15}, {325, 0, 30}, {355, 0, 30}}},
        {252, 2, 250, 287, {{295, 2, 30}, {325, 5, 30}, {355, 0, 30}}},
    };
    const auto &ha = picture("MUB2_HANTEI");
    const auto &heart = picture("HEART");
    const mub::Image black(600, 600, 0);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.score);
        hit = c.hit, en_hit = c.en_hit, moji = 0;
        main_key = mub2_GAME_END;
        mub2_hantei_ctrl(dc);
        EXPECT_EQ(mub2_score, c.score);
        auto shot = screen();
        int left = 355;
        for (auto [x, d, w] : c.red) {
            EXPECT_EQ(masked_mismatches(shot, ha, ha, x, 160, 30 * d, 550, w, 50, 50), 0) << "digit at " << x;
            left = std::min(left, x);
        }
        // nothing red left of the score's digits
        EXPECT_EQ(copy_mismatches(shot, ha, 280, 160, 280, 160, left - 280, 50), 0);
        // the counters: three digits from 100 on
        if (c.hit >= 100) {
            EXPECT_EQ(digit_mismatches(shot, black, "HIT", 165, 100, c.hit / 100), 0);
            EXPECT_EQ(digit_mismatches(shot, black, "HIT", 184, 100, c.hit / 10 % 10), 0);
        }
        EXPECT_EQ(digit_mismatches(shot, black, "HIT", 203, 100, c.hit % 10), 0);
        EXPECT_EQ(digit_mismatches(shot, black, "HIT", 443, 100, c.en_hit % 10), 0);

        // the heart: one face for 4 ticks, the other for 5, then a rest
        main_key = mub2_GAMEOVER_SCREEN;
        for (int k = 1; k <= 10; k++) {
            mub2_hantei_ctrl(dc);
            if (k == 4 || k == 9) {
                shot = screen();
                EXPECT_EQ(copy_mismatches(shot, heart, 10, c.marker_y, k == 4 ? 1 : 27, 0, 26, 26), 0) << k;
            }
        }
        EXPECT_EQ(moji, 0);
    }
}
