// The simulator's output files, written all or nothing and never at the cost
// of what stands at their paths.
//
// Every target is checked before the run: a directory, two names for one
// file (or the script itself), a folder that cannot be written, or a special
// file other than a FIFO or a character device is refused. A new path or a
// regular file is written to a fresh temporary file beside it (created
// exclusively, never through a symbolic link) and renamed over it only
// when every output is complete; a symbolic link to a regular file keeps
// being a link, and the file it names is replaced. A FIFO, a character
// device or a path under /dev/ (/dev/null, /dev/stdout) is written directly
// and never renamed over. On SIGINT or SIGTERM the temporary files are
// removed before the program ends by the signal.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mub::sim {

class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OutputTarget {
    std::string option;  // "--state", shown in messages
    std::string path;
};

class Outputs {
public:
    // Checks and prepares every target; throws OutputError naming the first
    // that cannot be used. script_path: the script file, which no output may
    // replace.
    Outputs(const std::vector<OutputTarget> &targets, const std::optional<std::string> &script_path);
    ~Outputs();  // removes the temporary files that were not moved into place
    Outputs(const Outputs &) = delete;
    Outputs &operator=(const Outputs &) = delete;

    std::FILE *stream(size_t i);
    // Finishes every output, then moves each into place; throws OutputError
    // if any write failed, in which case no temporary file is moved.
    void commit();

private:
    struct Output;
    std::vector<std::unique_ptr<Output>> outputs_;
};

}  // namespace mub::sim
