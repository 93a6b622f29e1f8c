#include "programs/desktop/recording_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mub::desktop {

RecordingFile::RecordingFile(const std::string &path) {
    // Not blocking on a FIFO that nobody reads: that is refused at once.
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd_ < 0) throw std::runtime_error(std::strerror(errno));
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    struct stat st;
    rewritable_ = ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode);
}

RecordingFile::~RecordingFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool RecordingFile::put(std::string_view bytes, off_t at) {
    while (!bytes.empty() && error_.empty()) {
        const ssize_t n = rewritable_ ? ::pwrite(fd_, bytes.data(), bytes.size(), at) : ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 ? std::strerror(errno) : "nothing could be written";
            break;
        }
        bytes.remove_prefix(size_t(n));
        at += n;
    }
    return error_.empty();
}

void RecordingFile::write(std::string_view lines, std::string_view end) {
    if (fd_ < 0 || !error_.empty()) return;
    if (!rewritable_) {
        put(lines, 0);
        end_ = end;
        return;
    }
    // One write of the new lines and the end line over the old end line;
    // an end line only grows, as ticks only grow.
    std::string bytes;
    bytes.reserve(lines.size() + end.size());
    bytes.append(lines).append(end);
    if (!put(bytes, lines_end_)) return;
    lines_end_ += off_t(lines.size());
    if (end.size() < end_.size() && ::ftruncate(fd_, lines_end_ + off_t(end.size())) != 0) error_ = std::strerror(errno);
    end_ = end;
}

bool RecordingFile::close() {
    if (fd_ < 0) return error_.empty();
    if (!rewritable_) put(end_, 0);
    if (::close(fd_) != 0 && error_.empty()) error_ = std::strerror(errno);
    fd_ = -1;
    return error_.empty();
}

}  // namespace mub::desktop
