// Modules: what an HINSTANCE stands for. A module owns a compiled resource
// script, and LoadBitmapA, LoadIconA and DialogBoxParamA look resources up in
// the module they are given, as Windows does with an executable's resources.
#include <memory>
#include <vector>

#include "platform/core/core.h"
#include "platform/core/state.h"

namespace mub::core {

namespace {

struct Module {
    std::span<const uint8_t> bytes;
    mub::res::ResFile resources;
};

// Modules stay loaded for the life of the process, like the executable's
// image: core::reset() starts a new program, not a new process.
std::vector<std::unique_ptr<Module>> &modules() {
    static std::vector<std::unique_ptr<Module>> list;
    return list;
}

}  // namespace

HINSTANCE load_module(std::span<const uint8_t> compiled_resources) {
    for (const auto &m : modules())
        if (m->bytes.data() == compiled_resources.data() && m->bytes.size() == compiled_resources.size())
            return reinterpret_cast<HINSTANCE>(m.get());
    modules().push_back(std::make_unique<Module>(Module{compiled_resources, mub::res::ResFile(compiled_resources)}));
    return reinterpret_cast<HINSTANCE>(modules().back().get());
}

namespace detail {

const mub::res::ResFile *module_resources(HINSTANCE instance) {
    // A handle is only followed once it is known to be one of ours.
    for (const auto &m : modules())
        if (reinterpret_cast<HINSTANCE>(m.get()) == instance) return &m->resources;
    return nullptr;
}

}  // namespace detail

}  // namespace mub::core
