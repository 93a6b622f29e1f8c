/* Loaded into a desktop program with LD_PRELOAD by scripts/bench.sh and by
   the desktop test that counts frames; nothing of this is in the program
   itself. It watches SDL's calls that show a frame and two that keep time,
   writes one line per event to the file named by MUB_PROBE_LOG, and hands
   each call on to SDL:

     present <realtime ns> <monotonic ns>   every frame shown: SDL_RenderPresent,
                                            SDL_UpdateWindowSurface(Rects) (the
                                            first one ends the start-up time)
     tick <monotonic ns>                    the moment the program sees its
                                            timer due

   The program keeps time with SDL_GetTicks64 and sleeps in
   SDL_WaitEventTimeout until its next timer is due, computing the timeout
   from the time it read just before: that read plus the timeout is the due
   time. The first read after it that reaches the due time is where the
   program takes the tick (at the end of the wait, or after handling an event
   that woke it close to the due time), whether or not the tick then draws
   anything. A wait with no due time (the timer stopped while a box is open)
   arms nothing. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static long long ns(clockid_t clock) {
    struct timespec ts;
    clock_gettime(clock, &ts);
    return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

static void log_line(const char *fmt, long long a, long long b) {
    static int fd = -2;
    if (fd == -2) {
        const char *path = getenv("MUB_PROBE_LOG");
        fd = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    }
    if (fd < 0) return;
    char line[80];
    int n = snprintf(line, sizeof line, fmt, a, b);
    if (n > 0 && write(fd, line, (size_t)n) < 0) fd = -1;
}

static void *next_fn(const char *name) { return dlsym(RTLD_NEXT, name); }

static uint64_t last_read; /* the program's last SDL_GetTicks64 */
static uint64_t due;       /* 0: no timer armed */

uint64_t SDL_GetTicks64(void) {
    static uint64_t (*next)(void);
    if (!next) next = (uint64_t(*)(void))next_fn("SDL_GetTicks64");
    last_read = next ? next() : 0;
    if (due && last_read >= due) {
        due = 0;
        log_line("tick %lld\n", ns(CLOCK_MONOTONIC), 0);
    }
    return last_read;
}

int SDL_WaitEventTimeout(void *event, int timeout) {
    static int (*next)(void *, int);
    if (!next) next = (int (*)(void *, int))next_fn("SDL_WaitEventTimeout");
    due = (timeout > 0 && timeout < INT_MAX) ? last_read + (uint64_t)timeout : 0;
    return next ? next(event, timeout) : 0;
}

void SDL_RenderPresent(void *renderer) {
    static void (*next)(void *);
    log_line("present %lld %lld\n", ns(CLOCK_REALTIME), ns(CLOCK_MONOTONIC));
    if (!next) next = (void (*)(void *))next_fn("SDL_RenderPresent");
    if (next) next(renderer);
}

int SDL_UpdateWindowSurface(void *window) {
    static int (*next)(void *);
    log_line("present %lld %lld\n", ns(CLOCK_REALTIME), ns(CLOCK_MONOTONIC));
    if (!next) next = (int (*)(void *))next_fn("SDL_UpdateWindowSurface");
    return next ? next(window) : -1;
}

int SDL_UpdateWindowSurfaceRects(void *window, const void *rects, int count) {
    static int (*next)(void *, const void *, int);
    log_line("present %lld %lld\n", ns(CLOCK_REALTIME), ns(CLOCK_MONOTONIC));
    if (!next) next = (int (*)(void *, const void *, int))next_fn("SDL_UpdateWindowSurfaceRects");
    return next ? next(window, rects, count) : -1;
}
