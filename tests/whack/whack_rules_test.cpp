// The whack game's rules called in this process on a window of our own, with
// chosen state: strikes, extensions, the hidden time after the last
// extension, and the result for chosen scores. Globals are put back after.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "mubmub.h"
#include "platform/core/core.h"
#include "whack_test_util.h"

using namespace whacktest;

namespace {

class WhackRules : public ::testing::Test {
protected:
    HWND window = nullptr;
    HDC dc = nullptr;

    void SetUp() override
    {
        mub::core::reset();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "whack_rules";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, "whack_rules", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 570, nullptr, nullptr,
                                 nullptr, nullptr);
        dc = GetDC(window);
        ASSERT_NE(dc, nullptr);
        for (int *v : {&main_key, &hit, &r_hit, &en_hit, &entyo, &m, &s, &back, &back_t, &back_flg, &time_ptype,
                       &mub2_pl_no, &mub2_pl_before_x, &mub2_pl_before_y, &mub2_task_no, &pl_time, &mub2_score,
                       &moji, &bit_flg, &mub2_en_no[0], &mub2_en_no[1], &mub2_entask_no[0], &mub2_entask_no[1],
                       &en_time[0], &en_time[1], &hit_flg[0], &hit_flg[1]})
            saved.emplace_back(v, *v);
        for (auto [slot, name] : bitmaps()) {
            saved_bitmaps.emplace_back(slot, *slot);
            *slot = LoadBitmapA(mubtest::program_module(), name);
        }
        main_key = mub2_GAME_SCREEN, hit = 0, r_hit = 25, en_hit = 0, entyo = 0, m = 6, s = 59;
        mub2_pl_no = 2, mub2_task_no = 0, pl_time = 0;
    }

    void TearDown() override
    {
        for (auto [v, value] : saved) *v = value;
        for (auto [slot, value] : saved_bitmaps) DeleteObject(*slot), *slot = value;
        ReleaseDC(window, dc);
        DestroyWindow(window);
        mub::core::reset();
    }

    mubtest::Screenshot screen() const
    {
        mubtest::Screenshot shot;
        shot.width = 592, shot.height = 543;
        for (int y = 0; y < shot.height; y++)
            for (int x = 0; x < shot.width; x++) {
                const COLORREF c = GetPixel(dc, x, y);
                shot.pixels.push_back(uint32_t(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)));
            }
        return shot;
    }

private:
    std::vector<std::pair<int *, int>> saved;
    std::vector<std::pair<HBITMAP *, HBITMAP>> saved_bitmaps;
    static std::vector<std::pair<HBITMAP *, const char *>> bitmaps()
    {
        return {{&mub2_hbmp_back, "BACK"}, {&mub2_hbmp[0], "MUB2_PL"}, {&mub2_hbmp[1], "MUB2_EN"},
                {&mub2_hbmp[2], "TIME"},   {&mub2_hbmp[3], "HIT"},     {&mub2_hbmp[4], "ENTYO"},
                {&mub2_hbmp[5], "EN_HIT"}, {&mub2_hbmp_ha, "MUB2_HANTEI"}, {&mub_hbmp[1], "HEART"}};
    }
};

}  // namespace

TEST_F(WhackRules, OneBlowStrikesBothEnemiesInAHoleAndTheExtensionResetsRHit)
{
    // before the first extension slot 1 does not play, even at the creature's hole
    mub2_en_no[0] = 0, mub2_en_no[1] = 2, mub2_entask_no[1] = 2, hit_flg[0] = hit_flg[1] = 0;
    mub2_hit_check();
    EXPECT_EQ(hit, 0);
    EXPECT_EQ(mub2_task_no, 2);

    entyo = 1, r_hit = 1;
    mub2_en_no[0] = mub2_en_no[1] = 3, mub2_pl_no = 3;
    mub2_entask_no[0] = 3, mub2_entask_no[1] = 5;  // hiding and counterattacking: both struck
    mub2_hit_check();
    EXPECT_EQ(hit, 2);
    EXPECT_EQ(r_hit, -1);
    EXPECT_EQ(mub2_entask_no[0] * 10 + mub2_entask_no[1], 44);
    EXPECT_EQ(hit_flg[0] + hit_flg[1], 2);
    EXPECT_EQ(mub2_task_no, 1);

    m = 2, s = 30;
    mub2_time_ctrl(dc);  // the table's value, the extra hit does not carry over
    EXPECT_EQ(entyo, 2);
    EXPECT_EQ(r_hit, 20);
    EXPECT_EQ(m, 6);

    mub2_hit_check();  // both flagged now: a miss
    EXPECT_EQ(hit, 2);
    EXPECT_EQ(mub2_task_no, 2);
}

TEST_F(WhackRules, FiveExtensionsThenNoneAndTheHiddenTimeAfterTheLast)
{
    const int rows[5][2] = {{15, 3}, {20, 4}, {25, 2}, {25, 2}, {0, 1}};  // r_hit after, minutes added
    for (int e = 0; e < 5; e++) {
        entyo = e, r_hit = 0, m = 0, s = 30;  // granted at 0 minutes: play goes on
        mub2_time_ctrl(dc);
        EXPECT_EQ(entyo, e + 1);
        EXPECT_EQ(r_hit, rows[e][0]) << e;
        EXPECT_EQ(m, rows[e][1]) << e;
        EXPECT_EQ(main_key, mub2_GAME_SCREEN);
    }
    r_hit = -7, m = 1;
    mub2_time_ctrl(dc);
    EXPECT_EQ(entyo * 100 + m, 501);

    // with entyo 5 both enemies come up at once, as with the last entry's 0
    for (int i = 0; i < 2; i++) mub2_entask_no[i] = 3, en_time[i] = 0, hit_flg[i] = 1;
    mub2_enemy_ctrl(dc);
    for (int i = 0; i < 2; i++) EXPECT_LE(mub2_entask_no[i], 2) << i;
    EXPECT_NE(mub2_en_no[0], mub2_en_no[1]);
    EXPECT_EQ(hit_flg[0] + hit_flg[1], 0);
}

TEST_F(WhackRules, ResultDigitsAndMarker)
{
    using Red = std::tuple<int, int, int>;  // x, digit, width
    const struct {
        int hit, en_hit, marker_y;
        std::vector<Red> red;
    } cases[] = {
        {3, 9, 447, {{355, 0, 30}}},
        {104, 5, 319, {{325, 9, 30}, {355, 9, 30}}},
        {100, 0, 287, {{310, 1, 15}, {325, 0, 30}, {355, 0, 30}}},
        {252, 2, 287, {{295, 2, 30}, {325, 5, 30}, {355, 0, 30}}},  // a whole cell for the 2
    };
    const auto &ha = picture("MUB2_HANTEI");
    const mub::Image black(600, 600, 0);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hit - c.en_hit);
        hit = c.hit, en_hit = c.en_hit, moji = 0, main_key = mub2_GAME_END;
        mub2_hantei_ctrl(dc);
        auto shot = screen();
        int left = 355;
        for (auto [x, d, w] : c.red) {
            EXPECT_EQ(mismatches(shot, ha, ha, x, 160, 30 * d, 550, w, 50, 50), 0) << x;
            left = std::min(left, x);
        }
        EXPECT_EQ(mismatches(shot, ha, ha, 280, 160, 280, 160, left - 280, 50, 0), 0);  // nothing more
        const int hit_digits[3] = {c.hit / 100, c.hit / 10 % 10, c.hit % 10};
        for (int i = c.hit >= 100 ? 0 : 2; i < 3; i++)
            EXPECT_EQ(digit_mismatches(shot, black, "HIT", 165 + 19 * i, 100, hit_digits[i]), 0) << i;

        main_key = mub2_GAMEOVER_SCREEN;  // one face for 4 ticks, the other for 5, then a rest
        for (int k = 1; k <= 10; k++) {
            mub2_hantei_ctrl(dc);
            if (k == 4 || k == 9) {
                EXPECT_EQ(mismatches(screen(), black, picture("HEART"), 10, c.marker_y, k == 4 ? 1 : 27, 0, 26, 26, 0),
                          0) << k;
            }
        }
        EXPECT_EQ(moji, 0);
    }
}
