// The one start-up that every program's main calls: the entry point runs on
// the given host with the module made from the given resources, sees the
// options' hook after each dispatched message, and leaves neither host nor
// hook behind when it returns, twice in a row.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/core/core.h"
#include "platform/core/start.h"
#include "platform/host/headless/headless_host.h"
#include "res/program_resources.h"

namespace {

mub::headless::HeadlessHost *g_expected_host = nullptr;
int g_dispatched = 0;

// A program of one posted message: its module has the program's pictures,
// and it runs on the host it was started on.
int WINAPI entry(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
    EXPECT_EQ(mub::host(), g_expected_host);
    EXPECT_EQ(previous, nullptr);
    EXPECT_STREQ(command_line, "");
    EXPECT_EQ(show, SW_SHOWNORMAL);
    HBITMAP title = LoadBitmapA(instance, "title");
    EXPECT_NE(title, nullptr);
    DeleteObject(title);
    PostQuitMessage(0);
    PostMessageA(NULL, WM_USER, 0, 0);
    MSG m;
    while (GetMessageA(&m, NULL, 0, 0)) DispatchMessageA(&m);
    return 7;
}

TEST(Start, RunsTheEntryOnTheHostAndLeavesNothingBehind) {
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        mub::core::reset();
        mub::headless::HeadlessHost host;
        g_expected_host = &host;
        g_dispatched = 0;
        mub::core::StartOptions options;
        options.after_dispatch = [](const MSG &) { ++g_dispatched; };
        EXPECT_EQ(mub::core::run_program(mub::res::program_resource_bytes(), host, entry, options), 7);
        EXPECT_EQ(g_dispatched, 1);  // WM_USER; WM_QUIT ends the loop undispatched
        EXPECT_EQ(mub::host(), nullptr);
        MSG after{};
        after.message = WM_USER;
        DispatchMessageA(&after);
        EXPECT_EQ(g_dispatched, 1) << "the hook outlived the program";
    }
    mub::core::reset();
}

}  // namespace
