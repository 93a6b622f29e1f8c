// Temporary files that must not outlive the process: removed when it ends by
// a signal that would end it (every such signal that was not ignored when it
// started: an ignored SIGINT in a background job stays ignored). Under node
// the launcher does this from its main thread (programs/sim/node/).
#pragma once

#include <string>

namespace mub::sim::exit_cleanup {

// Takes over the signals that end the process; once, before the first file.
void install();
// A slot for the path, or -1 when none is free (the file is then only
// removed by the program itself).
int remember(const std::string &path);
void forget(int slot);

// While one lives, a signal waits: a commit of several files is not cut
// half way by one.
class Hold {
public:
    Hold();
    ~Hold();
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;
};

}  // namespace mub::sim::exit_cleanup
