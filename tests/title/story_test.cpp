// The story screens on the simulator: the page protocol, the captions on
// screen, the hand-over to the shooting game, and a whole story through both
// games back to the title.
#include <set>

#include <gtest/gtest.h>

#include "mubmub.h"
#include "platform/text/text.h"
#include "support/sim.h"
#include "title/title_test_util.h"

using namespace mubtest;
using namespace titletest;

namespace {

const Box kTextBox{70, 330, 530, 524};
// Presses of one button closer than the double-click time arrive as double
// clicks, which no screen answers; scripted presses keep this many ticks apart.
const int kGap = 20;

SimRun run_story(int extra_ticks, const std::string &events, bool screenshot)
{
    Lead lead = lead_to_story();
    SimOptions o;
    o.script = lead.script + events;
    o.trace = !screenshot;
    o.screenshot = screenshot;
    SimRun r = run_sim(lead.ticks + extra_ticks, o);
    EXPECT_EQ(r.exit_status, 0) << r.stderr_text;
    return r;
}

// Events at ticks counted from the story's first tick.
std::string at(int offset, const std::string &event) { return script_line(lead_to_story().ticks + offset, event); }

// Checks the caption lines of a page: white glyph pixels in the band of each
// line, no wider than the line, and none in the bands of the missing lines.
void expect_captions(const Screenshot &s, const nlohmann::json &state, int first_line, int lines)
{
    for (int j = 0; j < 4; j++) {
        SCOPED_TRACE("caption band " + std::to_string(j));
        Box band{kTextBox.left, 360 + 30 * j, kTextBox.right, 360 + 30 * j + 16};
        if (j >= lines) {
            EXPECT_EQ(count_in(s, band, is_white), 0);
            continue;
        }
        const std::string line = state["story_text"][first_line + j];
        int width = mub::text::text_width(mub::text::utf8_to_u32(line));
        Box text{90, band.top, 90 + width, band.bottom};
        EXPECT_GT(count_in(s, text, is_white), width / 2);
        EXPECT_EQ(count_in(s, band, is_white), count_in(s, text, is_white)) << "white beyond the line";
    }
}

void expect_page_background(const Screenshot &s)
{
    EXPECT_FALSE(is_black(s.at(20, 400)));   // background left of the text box
    EXPECT_FALSE(is_black(s.at(560, 200)));  // right of the picture
    EXPECT_TRUE(is_black(s.at(100, 500)));   // inside the text box, below the captions
    std::set<uint32_t> colours;
    for (int y = 20; y < 310; y += 3)
        for (int x = 70; x < 500; x += 3)
            colours.insert(s.at(x, y));
    EXPECT_GE(colours.size(), 4u) << "no picture";
}

}  // namespace

TEST(Story, PageProtocolOfTheOpeningStory)
{
    // Two presses before one tick turn one page; Enter turns none here;
    // a waiting page stays as it is until a press.
    std::string events = at(0, "lclick") + at(0, "rclick") + at(1, "key Return") + at(kGap, "rclick") +
                         at(2 * kGap, "lclick") + at(3 * kGap, "lclick");
    SimRun r = run_story(3 * kGap + 2, events, false);
    int t0 = lead_to_story().ticks;
    struct Expect {
        int tick, page, scene;
    };
    for (Expect e : {Expect{0, 1, STORY_SCREEN}, Expect{1, 3, STORY_SCREEN}, Expect{2, 3, STORY_SCREEN},
                     Expect{kGap, 3, STORY_SCREEN}, Expect{kGap + 1, 5, STORY_SCREEN},
                     Expect{2 * kGap + 1, 7, STORY_SCREEN}, Expect{3 * kGap, 7, STORY_SCREEN},
                     Expect{3 * kGap + 1, 9, mub_TITLE_SCREEN}, Expect{3 * kGap + 2, 9, mub_TITLE_SCREEN}}) {
        SCOPED_TRACE("story tick " + std::to_string(e.tick));
        EXPECT_EQ(var(r, t0 + e.tick, "story_page"), e.page);
        EXPECT_EQ(var(r, t0 + e.tick, "main_key"), e.scene);
        EXPECT_EQ(var(r, t0 + e.tick, "bit_flg"), 0);
    }
}

TEST(Story, CaptionsAreWhiteOnEachOpeningPage)
{
    struct Page {
        int presses, first_line, lines;
    };
    for (Page p : {Page{0, 0, 4}, Page{1, 4, 4}, Page{2, 8, 1}, Page{3, 9, 2}}) {
        SCOPED_TRACE("page " + std::to_string(p.presses + 1));
        std::string events;
        for (int i = 0; i < p.presses; i++)
            events += at(kGap * i, "lclick");
        SimRun r = run_story(kGap * p.presses, events, true);
        ASSERT_TRUE(r.screenshot);
        expect_page_background(*r.screenshot);
        expect_captions(*r.screenshot, r.state, p.first_line, p.lines);
    }
}

TEST(Story, AWaitingPageIsNotRedrawn)
{
    SimRun r = run_story(3, at(0, "lclick") + at(1, "expose"), true);
    ASSERT_TRUE(r.screenshot);
    EXPECT_EQ(nonblack_outside(*r.screenshot, {}), 0);
}

// The first page is drawn on the story's first tick, so four presses see the
// four pages and the fourth leaves them.
TEST(Story, PressOnTheFourthPageBlanksTheWindowAndStartsTheShootingTitle)
{
    std::string events;
    for (int i = 0; i < 4; i++)
        events += at(kGap * i, "lclick");
    SimRun r = run_story(kGap * 3 + 1, events, true);
    ASSERT_TRUE(r.screenshot);
    EXPECT_EQ(nonblack_outside(*r.screenshot, {}), 0);
    EXPECT_EQ(r.state["main_key"], mub_TITLE_SCREEN);
    EXPECT_EQ(r.state["story_page"], 9);
}

// A whole story: the opening pages, the shooting game (left alone, so it is
// lost), the middle pages, the whack game (the clock runs out), the closing
// page turned with Enter, and the title again; a press on the second title's
// selection tick then restarts the story without the dialog.
TEST(Story, WholeStoryThroughBothGamesBackToTheTitle)
{
    // budgets in ticks: the idle shooting series takes about 9000, the whack game about 450
    const int kShootingBudget = 15000, kWhackBudget = 3000;
    Lead lead = lead_to_story();
    const int t0 = lead.ticks;
    std::string script = lead.script + "0 answer yes\n";
    for (int i = 0; i < 6; i++)
        script += "0 answer ok\n";  // five round boxes, then the whack game's box
    for (int i = 0; i < 4; i++)
        script += script_line(t0 + kGap * i, "lclick");  // four pages, then the hand-over
    script += script_line(t0 + 4 * kGap, "lclick");       // shooting title
    script += script_line(t0 + 5 * kGap, "lclick") + script_line(t0 + 6 * kGap, "lclick");  // instructions

    auto run = [&](int ticks) {
        SimOptions o;
        o.script = script;
        o.trace = true;
        SimRun r = run_sim(ticks, o);
        EXPECT_EQ(r.exit_status, 0) << r.stderr_text;
        return r;
    };

    SimRun a = run(kShootingBudget);
    EXPECT_EQ(var(a, t0 + 3 * kGap + 1, "main_key"), mub_TITLE_SCREEN);
    EXPECT_EQ(var(a, t0 + 6 * kGap + 1, "main_key"), mub_GAME_SCREEN);
    int t11 = first_tick(a, "main_key", mub_GAMEOVER_SCREEN);
    ASSERT_GT(t11, 0) << "the shooting game did not end within " << kShootingBudget << " ticks";
    EXPECT_EQ(var(a, t11, "story_page"), 9);

    script += script_line(t11, "lclick");                                         // result
    script += script_line(t11 + kGap, "lclick") + script_line(t11 + 2 * kGap, "lclick");  // two pages
    const int tw = t11 + 2 * kGap + 1;                    // the hand-over to the whack game
    script += script_line(tw + 1, "key Return");          // whack title
    script += script_line(tw + 3, "key Return") + script_line(tw + 4, "key Return");
    SimRun b = run(t11 + kWhackBudget);
    EXPECT_EQ(var(b, t11 + 1, "main_key"), STORY2_SCREEN);  // set by the result's end scene
    EXPECT_EQ(var(b, t11 + 1, "story_page"), 9);
    EXPECT_EQ(var(b, t11 + 2, "story_page"), 10);
    EXPECT_EQ(var(b, t11 + kGap + 1, "story_page"), 12);
    EXPECT_EQ(var(b, tw, "story_page"), 14);
    EXPECT_EQ(var(b, tw, "main_key"), mub2_TITLE_SCREEN);
    EXPECT_EQ(var(b, tw + 6, "main_key"), mub2_GAME_SCREEN);
    int t19 = first_tick(b, "main_key", mub2_GAMEOVER_SCREEN, t11);
    ASSERT_GT(t19, 0) << "the whack game did not end";

    const int back = t19 + 3;  // the tick that leaves the closing page
    script += script_line(t19, "key Return");      // whack result
    script += script_line(t19 + 2, "key Return");  // Enter turns the closing page
    script += script_line(back + 52, "lclick");    // the second title's selection tick
    SimRun c = run(back + 55);
    EXPECT_EQ(var(c, t19 + 1, "main_key"), STORY3_SCREEN);
    EXPECT_EQ(var(c, t19 + 1, "story_page"), 14);
    EXPECT_EQ(var(c, t19 + 2, "story_page"), 15);
    EXPECT_EQ(var(c, back, "main_key"), TITLE_SCREEN);
    EXPECT_EQ(var(c, back, "story_page"), 0);

    // The second visit plays the same animation as the first.
    for (int k = 1; k <= 52; k++)
        for (const char *name : {"pl_x", "en_x", "ti_key", "ti_flg", "ti_time"})
            EXPECT_EQ(var(c, back + k, name), var(c, k, name)) << name << " at title tick " << k;
    // The press skipped the dialog (no answer was left for it) and the
    // previous choice, the story, starts again from its first page.
    EXPECT_EQ(var(c, back + 53, "main_key"), TITLE_END);
    EXPECT_EQ(var(c, back + 54, "main_key"), STORY_SCREEN);
    EXPECT_EQ(var(c, back + 55, "story_page"), 1);
}
