#include "sim/exit_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <vector>

#include <limits.h>
#include <unistd.h>

#ifdef __EMSCRIPTEN__
// programs/sim/node/files.js: the paths go to memory the launcher shares.
extern "C" void mub_node_remember(int slot, const char *path);
extern "C" void mub_node_forget(int slot);
extern "C" void mub_node_hold(int on);
#endif

namespace mub::sim::exit_cleanup {

namespace {

// Fixed storage: the handler may only touch what needs no allocation.
constexpr int kSlots = 8;
char g_paths[kSlots][PATH_MAX];
std::atomic<bool> g_used[kSlots];

#ifndef __EMSCRIPTEN__
sigset_t g_taken;

extern "C" void remove_and_end(int sig) {
    for (int i = 0; i < kSlots; ++i)
        if (g_used[i].load()) ::unlink(g_paths[i]);
    std::signal(sig, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, sig);
    ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(sig);
}
#endif

}  // namespace

void install() {
#ifndef __EMSCRIPTEN__
    static const bool installed = [] {
        // Every signal whose default ends the process, except those a
        // debugger or a sanitizer owns (they are not at their default then).
        std::vector<int> fatal = {SIGHUP,  SIGINT,  SIGQUIT,   SIGILL,  SIGABRT, SIGBUS,    SIGFPE,
                                  SIGUSR1, SIGSEGV, SIGUSR2,   SIGPIPE, SIGALRM, SIGTERM,   SIGSTKFLT,
                                  SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR,    SIGSYS};
        for (int s = SIGRTMIN; s <= SIGRTMAX; ++s) fatal.push_back(s);
        sigemptyset(&g_taken);
        for (int s : fatal) {
            struct sigaction old {};
            if (::sigaction(s, nullptr, &old) != 0) continue;
            if ((old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL) continue;
            sigaddset(&g_taken, s);
        }
        struct sigaction act {};
        act.sa_handler = remove_and_end;
        act.sa_mask = g_taken;  // one cleanup at a time
        for (int s : fatal)
            if (sigismember(&g_taken, s)) ::sigaction(s, &act, nullptr);
        return true;
    }();
    (void)installed;
#endif
}

int remember(const std::string &path) {
    if (path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < kSlots; ++i) {
        if (g_used[i].load()) continue;
        std::memcpy(g_paths[i], path.c_str(), path.size() + 1);
        g_used[i].store(true);
#ifdef __EMSCRIPTEN__
        mub_node_remember(i, g_paths[i]);
#endif
        return i;
    }
    return -1;
}

void forget(int slot) {
    if (slot < 0) return;
    g_used[slot].store(false);
#ifdef __EMSCRIPTEN__
    mub_node_forget(slot);
#endif
}

#ifdef __EMSCRIPTEN__
Hold::Hold() { mub_node_hold(1); }
Hold::~Hold() { mub_node_hold(0); }
#else
namespace {
sigset_t g_before_hold;
}
Hold::Hold() { ::sigprocmask(SIG_BLOCK, &g_taken, &g_before_hold); }
Hold::~Hold() { ::sigprocmask(SIG_SETMASK, &g_before_hold, nullptr); }
#endif

}  // namespace mub::sim::exit_cleanup
