// The compiled resource script, embedded in the program by the build (the
// mub_res library). A host makes it the program's module before WinMain runs:
// mub::core::load_module(mub::res::program_resource_bytes()).
#pragma once

#include <cstdint>
#include <span>

namespace mub::res {

std::span<const uint8_t> program_resource_bytes();

}  // namespace mub::res
