// The simulator's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mub::sim {

struct Options {
    int64_t ticks = -1;
    std::optional<std::string> script;  // a path, or "-" for standard input
    std::optional<std::string> state;
    std::optional<std::string> trace;
    std::optional<std::string> screenshot;
    std::optional<uint32_t> random_seed;
    std::optional<uint16_t> language;  // --lang: the UI language (a LANGID); else the environment's
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Options parse_options(const std::vector<std::string> &args);  // args without the program name
extern const char kUsage[];

}  // namespace mub::sim
