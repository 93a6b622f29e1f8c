// The program's own compiled resources: read the way the core reads them, and
// as the module (HINSTANCE) that the program's resource calls take.
#pragma once

#include "platform/core/core.h"
#include "platform/resource/resources.h"
#include "res/program_resources.h"

namespace mubtest {

inline HINSTANCE program_module() { return mub::core::load_module(mub::res::program_resource_bytes()); }

inline const mub::res::ResFile &program_res() {
    static const mub::res::ResFile file(mub::res::program_resource_bytes());
    return file;
}

}  // namespace mubtest
