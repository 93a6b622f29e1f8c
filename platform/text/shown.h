// Text from outside (a script line, a file name, an environment variable) as
// it may appear in a message: printable UTF-8 as it is, control characters
// (DEL too) and bytes that are not UTF-8 as \xNN, characters that reorder or
// hide text (bidirectional controls, zero-width characters, the byte-order
// mark) as \u{NNNN}, and no more than max_chars characters, the rest cut to "…".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mub::text {

std::string shown(std::string_view bytes, size_t max_chars = 80);

}  // namespace mub::text
