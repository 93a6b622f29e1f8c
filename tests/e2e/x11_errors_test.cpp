// The desktop program's X error handler drops only the BadWindow of a
// wake-up sent to a window that is gone, and hands every other error on.
#include <gtest/gtest.h>

#include "platform/host/sdl/x11_errors.h"

#if defined(MUB_HAVE_X11)
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <vector>

namespace {

std::vector<int> g_handed_on;  // request codes the earlier handler saw

int earlier_handler(Display *, XErrorEvent *e) {
    g_handed_on.push_back(e->request_code);
    return 0;
}

int report(XErrorHandler handler, unsigned char error_code, unsigned char request_code) {
    XErrorEvent e{};
    e.type = 0;
    e.error_code = error_code;
    e.request_code = request_code;
    return handler(nullptr, &e);
}

TEST(X11Errors, OnlyAWakeupToAGoneWindowIsDropped) {
    XErrorHandler before = XSetErrorHandler(earlier_handler);
    mub::sdl::ignore_wakeups_for_gone_windows();
    mub::sdl::ignore_wakeups_for_gone_windows();  // a second call must not hand errors to itself
    XErrorHandler installed = XSetErrorHandler(before);

    g_handed_on.clear();
    EXPECT_EQ(report(installed, BadWindow, X_SendEvent), 0);
    EXPECT_TRUE(g_handed_on.empty());

    report(installed, BadWindow, X_DestroyWindow);
    report(installed, BadValue, X_SendEvent);
    report(installed, BadDrawable, X_PutImage);
    EXPECT_EQ(g_handed_on, (std::vector<int>{X_DestroyWindow, X_SendEvent, X_PutImage}));
}

}  // namespace
#endif
