/* Loaded into the desktop program with LD_PRELOAD by scripts/bench.sh: writes
   one line per frame presented, "<realtime ns> <monotonic ns>", to the file
   named by MUB_PRESENT_LOG, then hands the call on to SDL. Nothing of this is
   in the program itself. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef void (*present_fn)(void *renderer);

static long long ns(clockid_t clock) {
    struct timespec ts;
    clock_gettime(clock, &ts);
    return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

void SDL_RenderPresent(void *renderer) {
    static present_fn next;
    static int fd = -2;
    long long real = ns(CLOCK_REALTIME), mono = ns(CLOCK_MONOTONIC);
    if (fd == -2) {
        const char *path = getenv("MUB_PRESENT_LOG");
        fd = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    }
    if (fd >= 0) {
        char line[64];
        int n = snprintf(line, sizeof line, "%lld %lld\n", real, mono);
        if (n > 0 && write(fd, line, (size_t)n) < 0) fd = -1;
    }
    if (!next) next = (present_fn)dlsym(RTLD_NEXT, "SDL_RenderPresent");
    if (next) next(renderer);
}
