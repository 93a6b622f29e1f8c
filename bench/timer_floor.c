/* The timer floor of this machine: how well any program that wakes every
   32 ms can keep time under the current load. Sleeps to absolute deadlines
   32 ms apart (clock_nanosleep with TIMER_ABSTIME, so lateness does not add
   up) for the given number of seconds, then prints the monotonic time in
   nanoseconds of every wake-up, a line each. scripts/bench.sh runs it beside
   the desktop program and reports the same figures for both.

     mub_timer_floor SECONDS */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static long long ns(const struct timespec *t) { return (long long)t->tv_sec * 1000000000LL + t->tv_nsec; }

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: mub_timer_floor SECONDS\n");
        return 2;
    }
    const long long period = 32000000LL;
    const long count = (long)(atof(argv[1]) * 1e9 / (double)period);
    long long *wakes = calloc(count > 0 ? (size_t)count : 1, sizeof *wakes);
    if (!wakes) return 1;
    struct timespec next, now;
    clock_gettime(CLOCK_MONOTONIC, &next);
    for (long i = 0; i < count; ++i) {
        long long due = ns(&next) + period;
        next.tv_sec = (time_t)(due / 1000000000LL);
        next.tv_nsec = (long)(due % 1000000000LL);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, NULL) != 0) {
        }
        clock_gettime(CLOCK_MONOTONIC, &now);
        wakes[i] = ns(&now);
    }
    for (long i = 0; i < count; ++i) printf("%lld\n", wakes[i]);
    free(wakes);
    return 0;
}
