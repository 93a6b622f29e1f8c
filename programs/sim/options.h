// The simulator's command line.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "sim/simulation.h"

namespace mub::sim {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Options parse_options(const std::vector<std::string> &args);  // args without the program name
extern const char kUsage[];

}  // namespace mub::sim
