// The compiled resource script, embedded in the program by the build (the
// mub_res library). A program's main hands it to the start-up, which makes it
// the program's module before WinMain runs (platform/core/start.h).
#pragma once

#include <cstdint>
#include <span>

namespace mub::res {

std::span<const uint8_t> program_resource_bytes();

}  // namespace mub::res
