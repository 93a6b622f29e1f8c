/*
 * Force-included into the game's sources on Windows only.
 *
 * The game hands Shift-JIS (code page 932) to the ANSI entry points, which
 * shows correctly only on a system whose ANSI code page is 932. These macros
 * route the calls that carry Japanese text through wrappers that convert it
 * to UTF-16 and call the wide functions, so the text reads right on any
 * system while the game keeps calling the names it always called; and
 * LoadStringA gives the string table's texts in code page 932, whatever the
 * system's ANSI code page. The main
 * window is a Unicode window (its class is registered wide, and the game's
 * default handling goes to DefWindowProcW), so nothing asks it for its title
 * through the ANSI code page either; the messages the game reads (mouse,
 * keys, WM_CHAR of ASCII letters, timers, paints) are the same in both forms.
 */
#ifndef MUBMUB_WIN32NATIVE_WIDE_SHIM_H
#define MUBMUB_WIN32NATIVE_WIDE_SHIM_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

ATOM WINAPI mub_RegisterClassA(const WNDCLASSA *lpWndClass);
LRESULT WINAPI mub_DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
int WINAPI mub_MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
BOOL WINAPI mub_TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
HWND WINAPI mub_CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                                int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                LPVOID lpParam);
int WINAPI mub_LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
INT_PTR WINAPI mub_DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                                   DLGPROC lpDialogFunc, LPARAM dwInitParam);

#ifdef __cplusplus
}
#endif

#ifndef MUB_WIDE_SHIM_IMPLEMENTATION
#undef RegisterClassA
#undef DefWindowProcA
#undef MessageBoxA
#undef TextOutA
#undef CreateWindowExA
#undef DialogBoxParamA
#undef LoadStringA
#define RegisterClassA mub_RegisterClassA
#define DefWindowProcA mub_DefWindowProcA
#define MessageBoxA mub_MessageBoxA
#define TextOutA mub_TextOutA
#define CreateWindowExA mub_CreateWindowExA
#define DialogBoxParamA mub_DialogBoxParamA
#define LoadStringA mub_LoadStringA
#endif

#endif
