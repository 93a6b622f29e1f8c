// An output file that appears under its name only when the run succeeded:
// written to a temporary name beside it, renamed at the end, and removed if
// the run fails, so no half-written file is ever left behind.
#pragma once

#include <cstdio>
#include <string>

namespace mub::sim {

class OutputFile {
public:
    explicit OutputFile(std::string path);  // throws std::runtime_error if it cannot be created
    ~OutputFile();                          // removes the temporary file unless committed
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    std::FILE *stream() { return file_; }
    void commit();  // closes and renames; throws std::runtime_error on failure

private:
    std::string path_, temp_path_;
    std::FILE *file_ = nullptr;
    bool committed_ = false;
};

}  // namespace mub::sim
