#include "platform/win32native/cp932.h"

#include <windows.h>

namespace mub::win32native {

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring cp932_to_utf16(const char *text, int length) {
    if (text == nullptr || length == 0)
        return {};
    if (length < 0)
        length = static_cast<int>(std::char_traits<char>::length(text));
    if (length == 0)
        return {};
    const int needed = MultiByteToWideChar(kShiftJis, 0, text, length, nullptr, 0);
    if (needed <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(kShiftJis, 0, text, length, wide.data(), needed);
    return wide;
}

std::string utf16_to_cp932(const wchar_t *text, int length) {
    if (text == nullptr || length <= 0)
        return {};
    const int needed = WideCharToMultiByte(kShiftJis, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return {};
    std::string bytes(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(kShiftJis, 0, text, length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

}  // namespace mub::win32native
