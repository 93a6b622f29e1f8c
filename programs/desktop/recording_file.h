// A recording written to its file as it is made: once a tick the new lines
// go out with the end line kept last (rewritten in place), so a program that
// is killed leaves a recording that replays to its last tick. A pipe or a
// terminal, which cannot be rewritten, gets the end line when the program ends.
#pragma once

#include <string>
#include <string_view>

#include "sim/recorder.h"

namespace mub::desktop {

class RecordingFile final : public sim::RecordingSink {
public:
    // Opens (creates or empties) the file; throws std::runtime_error saying
    // why it cannot be written.
    explicit RecordingFile(const std::string &path);
    ~RecordingFile() override;
    RecordingFile(const RecordingFile &) = delete;
    RecordingFile &operator=(const RecordingFile &) = delete;

    void write(std::string_view lines, std::string_view end) override;
    // Writes what only the end may write; false if any write failed, with
    // the reason in error().
    bool close();
    const std::string &error() const { return error_; }

private:
    bool put(std::string_view bytes, off_t at);

    int fd_ = -1;
    bool rewritable_ = false;
    off_t lines_end_ = 0;  // where the end line starts
    std::string end_;
    std::string error_;
};

}  // namespace mub::desktop
