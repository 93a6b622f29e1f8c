// What the hosts, the simulator and the tests see of the Win32 core beyond
// the Win32 functions themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include <windows.h>

#include "platform/core/host.h"
#include "platform/core/taken.h"

namespace mub::core {

// The program's module, the HINSTANCE that WinMain gets: resource lookups
// through it read this compiled resource script (.res), whose bytes must live
// as long as the process. The same bytes give the same handle.
HINSTANCE load_module(std::span<const uint8_t> compiled_resources);

// The user's UI language, as Windows keeps one: resources are taken in it
// (else in its primary language, else language-neutral, else the first in
// the script), and the message boxes' buttons are labelled in it. Japanese
// until a program sets another, before WinMain.
void set_ui_language(LANGID language);
LANGID ui_language();

// The size the main window's 600 x 570 frame leaves for its client area,
// on the classic Windows frame.
constexpr int kFrameExtraWidth = 8;
constexpr int kFrameExtraHeight = 27;

// Called after every DispatchMessageA returns, in top-level and nested
// (modal) loops alike. One hook at a time; pass nullptr to remove it.
void set_after_dispatch(std::function<void(const MSG &)> hook);

// "Every press counts": a second press of a button within the double-click
// time and place arrives as a plain press, as for a window class without
// CS_DBLCLKS. Off is the original; reset() turns it off.
void set_every_press_counts(bool on);

// Told everything the core takes from the host (taken.h). One hook at a
// time; pass nullptr to remove it.
void set_on_taken(std::function<void(const Taken &)> hook);

// WM_TIMER messages handled since the program started: the ticks that
// recordings are stamped with.
uint64_t ticks_handled();

// Whether input taken now comes between the last tick and its paint (taken.h
// stamps it so); false once the paint is done or when there is none.
bool before_tick_paint();

// Makes the next GetMessageA of the top-level loop return FALSE, as if
// WM_QUIT had arrived with this code, without destroying anything. The
// simulator ends a run this way to report the program's state as it is.
void request_end_of_run(int code);

// Live GDI objects created by the program: DCs (from GetDC, BeginPaint and
// CreateCompatibleDC, until released or deleted), brushes that are not stock
// objects, and bitmaps.
size_t live_gdi_objects();

// The main window's client area as drawn, and the same with any open modal
// box composed on top (what the host presents).
const Image &framebuffer();
Image composed_frame();

// The caption (UTF-8) of the open message box or dialog; empty when none.
std::string open_modal_caption();

// The buttons of the open message box or dialog (the innermost), in their
// order: the label (UTF-8, without the & of a mnemonic) and the centre in
// client pixels, where a click answers the box. Empty when none is open.
struct OpenBoxButton {
    std::string label;
    int x = 0, y = 0;
};
std::vector<OpenBoxButton> open_modal_buttons();

// True when the window has been destroyed.
bool main_window_destroyed();

// Back to the state before WinMain: no windows, classes, timers, objects;
// the random generator restarted. For tests that run many programs in one process.
void reset();

}  // namespace mub::core
