// The game's WinMain lives in the game library. Naming it here makes the
// linker take it from the library before the C runtime's start-up asks for it
// (the runtime's own library comes last on the link line).
#include <windows.h>

extern "C" int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

[[gnu::used]] static int(WINAPI *const mub_entry_point)(HINSTANCE, HINSTANCE, LPSTR, int) = &WinMain;
