// The resources compiled into this program (bytes from the mub_res library).
#include "platform/resource/resources.h"

namespace mub::res {

const ResFile &program_resources() {
    static const ResFile file(program_resource_bytes());
    return file;
}

}  // namespace mub::res
