#include "sim/output_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <unistd.h>

namespace mub::sim {

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
    temp_path_ = path_ + ".partial-" + std::to_string(::getpid());
    file_ = std::fopen(temp_path_.c_str(), "wb");
    if (!file_) throw std::runtime_error("cannot write " + path_ + ": " + std::strerror(errno));
}

OutputFile::~OutputFile() {
    if (file_) std::fclose(file_);
    if (!committed_) std::remove(temp_path_.c_str());
}

void OutputFile::commit() {
    const bool write_failed = std::ferror(file_) != 0;
    const bool close_failed = std::fclose(file_) != 0;
    file_ = nullptr;
    if (write_failed || close_failed) throw std::runtime_error("cannot write " + path_);
    if (std::rename(temp_path_.c_str(), path_.c_str()) != 0)
        throw std::runtime_error("cannot write " + path_ + ": " + std::strerror(errno));
    committed_ = true;
}

}  // namespace mub::sim
