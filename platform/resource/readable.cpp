// Whether a compiled resource script can serve a program: checked before the
// program starts, without decoding any picture.
#include "platform/resource/dib.h"
#include "platform/resource/resources.h"

namespace mub::res {

bool ResFile::readable() const {
    if (!to_the_end_ || entries_.empty()) return false;
    for (const Entry &e : entries_) {
        const bool ok = e.type == kRtBitmap      ? dib::parse(e.data, false).has_value()
                        : e.type == kRtIcon      ? dib::parse(e.data, true).has_value()
                        : e.type == kRtGroupIcon ? load_icon(*this, e.name).has_value()
                        : e.type == kRtDialog    ? parse_dialog(e.data).has_value()
                                                 : true;
        if (!ok) return false;
    }
    return true;
}

}  // namespace mub::res
