// The page's side of the web host: functions of host_library.js (linked with
// --js-library), which hand each call on to the page's script
// (Module.page, programs/web/page/bridge.js).
#pragma once

#include <cstdint>

extern "C" {

// The compiled resource script, which the page fetched and unpacked before
// main: its size, then a copy into bytes (once; the page lets go of it).
int mub_page_resources_size(void);
void mub_page_resources_copy(uint8_t *bytes);

// The program cannot start (the reason, for the page's log): the page says
// that the game could not be downloaded and offers to try again.
void mub_page_start_failed(const char *utf8_reason);

// The page's clock in milliseconds: it starts near 0 and stands still while
// the page is hidden.
double mub_page_now(void);

// Asynchronous (an Asyncify import): returns once the clock reaches
// deadline_ms (Infinity: never), input arrives, or the page is shown again.
void mub_page_wait(double deadline_ms);

// Takes the oldest input event into fields[9] (type, button, x, y, virtual
// key, character, repeat, alt, time); 0 when there is none.
int mub_page_take_event(double *fields);

// Draws a frame of width x height RGBA pixels on the canvas, of which only
// the rectangle at x, y of w x h changed since the frame before; enlarged
// (null when k is 1) is the same frame enlarged k times pixel for pixel,
// which the canvas shows when fitted.
void mub_page_present(const uint8_t *rgba, int width, int height, int x, int y, int w, int h,
                      const uint8_t *enlarged, int k);

void mub_page_set_title(const char *utf8);
void mub_page_show(int client_width, int client_height);

// A box or dialog opened (its caption) or closed (null).
void mub_page_modal(const char *utf8_caption);

// A timer tick was handled.
void mub_page_tick(void);

// The program ended with this exit code.
void mub_page_quit(int code);
}
