// The wide-function wrappers behind wide_shim.h. On a Japanese system they
// show exactly what the ANSI calls would; elsewhere they keep the Japanese.
#define MUB_WIDE_SHIM_IMPLEMENTATION
#include "platform/win32native/wide_shim.h"

#include <string>

#include "platform/win32native/cp932.h"

using mub::win32native::cp932_to_utf16;
using mub::win32native::utf16_to_cp932;

namespace {

// A Shift-JIS DC font shows Japanese already. Any other font (the Latin
// system font of a western system) is swapped for a Japanese font of the same
// cell height for the one call, as a Japanese system's own font would be.
class JapaneseFontScope {
public:
    explicit JapaneseFontScope(HDC hdc) : hdc_(hdc) {
        if (GetTextCharset(hdc) == SHIFTJIS_CHARSET)
            return;
        TEXTMETRICW metrics{};
        if (!GetTextMetricsW(hdc, &metrics))
            return;
        // A Japanese system font is a 16-pixel Gothic whose full-width
        // characters fill the whole cell: ask for that character height.
        LOGFONTW wanted{};
        wanted.lfHeight = -metrics.tmHeight;
        wanted.lfWeight = FW_NORMAL;
        wanted.lfCharSet = SHIFTJIS_CHARSET;
        wanted.lfQuality = NONANTIALIASED_QUALITY;
        wanted.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lstrcpynW(wanted.lfFaceName, L"\uff2d\uff33 \u30b4\u30b7\u30c3\u30af", LF_FACESIZE);  // ＭＳ ゴシック
        font_ = CreateFontIndirectW(&wanted);
        if (font_)
            previous_ = SelectObject(hdc, font_);
    }
    ~JapaneseFontScope() {
        if (!font_)
            return;
        SelectObject(hdc_, previous_);
        DeleteObject(font_);
    }
    JapaneseFontScope(const JapaneseFontScope &) = delete;
    JapaneseFontScope &operator=(const JapaneseFontScope &) = delete;

private:
    HDC hdc_;
    HFONT font_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

bool is_text(LPCSTR name) { return name != nullptr && !IS_INTRESOURCE(name); }

}  // namespace

extern "C" int WINAPI mub_MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    const std::wstring text = cp932_to_utf16(lpText);
    const std::wstring caption = cp932_to_utf16(lpCaption);
    return MessageBoxW(hWnd, text.c_str(), lpCaption ? caption.c_str() : nullptr, uType);
}

extern "C" BOOL WINAPI mub_TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (c <= 0 || lpString == nullptr)
        return TextOutA(hdc, x, y, lpString, c);
    const std::wstring text = cp932_to_utf16(lpString, c);
    if (text.empty())
        return TextOutA(hdc, x, y, lpString, c);
    JapaneseFontScope font(hdc);
    return TextOutW(hdc, x, y, text.c_str(), static_cast<int>(text.size()));
}

// The name of a class or resource: text converted, an atom passed as it is.
struct WideName {
    explicit WideName(LPCSTR name) {
        if (is_text(name))
            text = cp932_to_utf16(name);
        else
            atom = reinterpret_cast<LPCWSTR>(name);
    }
    LPCWSTR get() const { return atom ? atom : text.c_str(); }
    std::wstring text;
    LPCWSTR atom = nullptr;
};

extern "C" ATOM WINAPI mub_RegisterClassA(const WNDCLASSA *wc) {
    if (!wc)
        return 0;
    const WideName name(wc->lpszClassName), menu(wc->lpszMenuName);
    WNDCLASSW w{};
    w.style = wc->style;
    w.lpfnWndProc = wc->lpfnWndProc;
    w.cbClsExtra = wc->cbClsExtra;
    w.cbWndExtra = wc->cbWndExtra;
    w.hInstance = wc->hInstance;
    w.hIcon = wc->hIcon;
    w.hCursor = wc->hCursor;
    w.hbrBackground = wc->hbrBackground;
    w.lpszMenuName = wc->lpszMenuName ? menu.get() : nullptr;
    w.lpszClassName = name.get();
    return RegisterClassW(&w);
}

extern "C" LRESULT WINAPI mub_DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hWnd, Msg, wParam, lParam);
}

extern "C" HWND WINAPI mub_CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                                           int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                                           HINSTANCE hInstance, LPVOID lpParam) {
    const WideName class_name(lpClassName);
    const std::wstring title = cp932_to_utf16(lpWindowName);
    return CreateWindowExW(dwExStyle, class_name.get(), lpWindowName ? title.c_str() : nullptr, dwStyle, X, Y,
                           nWidth, nHeight, hWndParent, hMenu, hInstance, lpParam);
}

extern "C" INT_PTR WINAPI mub_DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                                              DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    // The template's texts are UTF-16 already, but an ANSI dialog creates its
    // controls through the ANSI code page and would lose them. The dialog
    // procedure only sees WM_INITDIALOG and WM_COMMAND, which are the same in
    // both forms.
    if (is_text(lpTemplateName)) {
        const std::wstring name = cp932_to_utf16(lpTemplateName);
        return DialogBoxParamW(hInstance, name.c_str(), hWndParent, lpDialogFunc, dwInitParam);
    }
    return DialogBoxParamW(hInstance, reinterpret_cast<LPCWSTR>(lpTemplateName), hWndParent, lpDialogFunc,
                           dwInitParam);
}

// The string table holds UTF-16; LoadStringA would convert it to the ANSI
// code page and lose the Japanese on a western system. LoadStringW finds the
// string in the user's UI language, as LoadStringA does; it is converted to
// code page 932 here, with the same limit: at most cchBufferMax - 1 bytes,
// never half a character.
extern "C" int WINAPI mub_LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
    if (!lpBuffer || cchBufferMax <= 0)
        return 0;
    lpBuffer[0] = '\0';
    const wchar_t *text = nullptr;
    const int length = LoadStringW(hInstance, uID, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return 0;
    const std::string bytes = utf16_to_cp932(text, length);
    size_t n = 0;
    while (n < bytes.size()) {
        const size_t step = IsDBCSLeadByteEx(932, static_cast<BYTE>(bytes[n])) ? 2 : 1;
        if (n + step > static_cast<size_t>(cchBufferMax - 1))
            break;
        n += step;
    }
    bytes.copy(lpBuffer, n);
    lpBuffer[n] = '\0';
    return static_cast<int>(n);
}
