// Shift-JIS (code page 932) to UTF-16 and back with the system's own converter, which
// knows code page 932 whatever the ANSI code page of the system is.
#pragma once

#include <string>

namespace mub::win32native {

// Converts `length` bytes (or up to the terminating zero when length < 0).
// Bytes that do not form a character become the converter's default
// character; an empty or null input gives an empty string.
std::wstring cp932_to_utf16(const char *text, int length = -1);
// The reverse; characters code page 932 lacks become '?'.
std::string utf16_to_cp932(const wchar_t *text, int length);

}  // namespace mub::win32native
