// The selection dialog's three buttons and what follows them, the skip of
// the dialog by a press on its opening tick, and the dialog procedure itself.
#include <gtest/gtest.h>

#include "mubmub.h"
#include "platform/core/core.h"
#include "support/sim.h"
#include "title/title_test_util.h"

using namespace mubtest;
using namespace titletest;

TEST(TitleSelection, EachButtonStartsItsSceneOnTheThirdTick)
{
    struct Case {
        int button, scene;
    };
    for (Case c : {Case{IDC_BUTTON1, STORY_SCREEN}, Case{IDC_BUTTON2, mub_TITLE_SCREEN},
                   Case{IDC_BUTTON3, mub2_TITLE_SCREEN}}) {
        SCOPED_TRACE("button " + std::to_string(c.button));
        SimOptions o;
        o.script = script_line(0, "answer " + std::to_string(c.button));
        o.trace = true;
        SimRun r = run_sim(56, o);
        ASSERT_EQ(r.exit_status, 0) << r.stderr_text;
        // the tick of the dialog
        EXPECT_EQ(var(r, 53, "sel_key"), c.scene);
        EXPECT_EQ(var(r, 53, "ti_key"), 5);
        EXPECT_EQ(var(r, 53, "main_key"), TITLE_SCREEN);
        // state 5: back to the start of the title, hand over to TITLE_END
        EXPECT_EQ(var(r, 54, "main_key"), TITLE_END);
        EXPECT_EQ(var(r, 54, "ti_key"), 0);
        EXPECT_EQ(var(r, 54, "ti_time"), 0);
        EXPECT_EQ(var(r, 54, "ti_flg"), 0);
        // TITLE_END: the chosen scene, figures back at their start
        EXPECT_EQ(var(r, 55, "main_key"), c.scene);
        EXPECT_EQ(var(r, 55, "pl_x"), 150);
        EXPECT_EQ(var(r, 55, "en_x"), 400);
        EXPECT_EQ(var(r, 56, "main_key"), c.scene);
        EXPECT_EQ(var(r, 56, "story_page"), c.scene == STORY_SCREEN ? 1 : 0);
    }
}

TEST(TitleSelection, PressOnTheSelectionTickSkipsTheDialogAtFirstStart)
{
    // No answer is queued: the dialog must not open. With no earlier choice
    // the title itself starts again, and its dialog opens 53 ticks later.
    for (const char *press : {"lclick", "rclick"}) {
        SCOPED_TRACE(press);
        SimOptions o;
        o.script = script_line(52, press) + script_line(60, "answer 1001");
        o.trace = true;
        SimRun r = run_sim(107, o);
        ASSERT_EQ(r.exit_status, 0) << r.stderr_text;
        EXPECT_EQ(var(r, 53, "ti_key"), 0);
        EXPECT_EQ(var(r, 53, "main_key"), TITLE_END);
        EXPECT_EQ(var(r, 54, "main_key"), TITLE_SCREEN);
        EXPECT_EQ(var(r, 54, "sel_key"), 0);
        // the animation again from its first tick
        EXPECT_EQ(var(r, 55, "pl_x"), 150);
        EXPECT_EQ(var(r, 55, "ti_time"), 1);
        EXPECT_EQ(var(r, 56, "pl_x"), 158);
        EXPECT_EQ(var(r, 78, "pl_x"), 246);
        EXPECT_EQ(var(r, 78, "ti_key"), 1);
        EXPECT_EQ(var(r, 106, "ti_key"), 4);
        EXPECT_EQ(var(r, 107, "sel_key"), mub_TITLE_SCREEN);
        EXPECT_EQ(var(r, 107, "ti_key"), 5);
    }
}

// The dialog procedure alone, as the dialog manager calls it.
class DialogProcedure : public ::testing::Test {
protected:
    void SetUp() override
    {
        mub::core::reset();
        saved_sel_ = sel_key;
        saved_ti_ = ti_key;
        sel_key = 0;
        ti_key = 4;
    }
    void TearDown() override
    {
        sel_key = saved_sel_;
        ti_key = saved_ti_;
        mub::core::reset();
    }
    int saved_sel_ = 0, saved_ti_ = 0;
};

TEST_F(DialogProcedure, ButtonsChooseTheirSceneWhateverTheNotification)
{
    EXPECT_EQ(DlgWindProc(nullptr, WM_INITDIALOG, 0, 0), TRUE);
    struct Case {
        WPARAM wparam;
        int scene;
    };
    // high word: BN_CLICKED (0) from a click, 1 as from an accelerator
    for (Case c : {Case{1000, 2}, Case{1001, 5}, Case{1002, 13}, Case{(1u << 16) | 1002, 13},
                   Case{(1u << 16) | 1000, 2}}) {
        ti_key = 4;
        sel_key = 0;
        EXPECT_EQ(DlgWindProc(nullptr, WM_COMMAND, c.wparam, 0), TRUE);
        EXPECT_EQ(sel_key, c.scene);
        EXPECT_EQ(ti_key, 5);
    }
}

TEST_F(DialogProcedure, CancelCloseAndOtherCommandsLeaveItOpen)
{
    // Escape arrives as IDCANCEL; Alt+F4 as WM_CLOSE
    for (WPARAM id : {WPARAM(IDCANCEL), WPARAM(IDOK), WPARAM(999), WPARAM(1003), WPARAM(IDD_SELECT)})
        EXPECT_EQ(DlgWindProc(nullptr, WM_COMMAND, id, 0), FALSE) << id;
    EXPECT_EQ(DlgWindProc(nullptr, WM_CLOSE, 0, 0), FALSE);
    EXPECT_EQ(sel_key, 0);
    EXPECT_EQ(ti_key, 4);
}
