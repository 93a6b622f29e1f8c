// A fresh core on a headless host, with a main window whose procedure
// records every message it gets.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "platform/core/core.h"
#include "platform/host/headless/headless_host.h"

namespace coretest {

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class CoreTest : public ::testing::Test {
public:
    // Optional per-test handler; return true when the message was handled.
    static std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT &)> handler;

protected:
    void SetUp() override;
    void TearDown() override;

    // The game's window: class "appri_name" with a black class brush, outer
    // size 600 x 570, shown unless told otherwise.
    HWND create_main(UINT class_style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, bool show = true);

    // Next message from GetMessageA, dispatched (so paints validate).
    MSG next();
    // Messages until the next WM_TIMER (included), dispatched.
    std::vector<UINT> until_timer();
    // Drops the recorded messages.
    void forget() { seen.clear(); }
    std::vector<UINT> seen_messages() const;

    mub::headless::HeadlessHost host;
    HWND hwnd = nullptr;
    static std::vector<Seen> seen;

private:
    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM);
};

inline uint32_t rgb(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c); }

}  // namespace coretest
