// Which edition a program shows: the UI language it gives the core
// (set_ui_language) before WinMain. Windows has the user's UI language; a
// Linux program takes it from the locale variables, a page from the browser,
// and both take a --lang override.
#pragma once

#include <optional>
#include <string_view>

#include <windows.h>

namespace mub::core {

// "ja" or "en", as --lang and ?lang= name the editions; nullopt otherwise.
std::optional<LANGID> language_from_name(std::string_view name);
// The name of the edition a language shows: "ja" or "en".
std::string_view language_name(LANGID language);

// The language a Linux session asks for: the first of LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG that is set and not empty (LANGUAGE may list several,
// "de:fr"; its first entry counts). Japanese for Japanese and where no
// language is known (unset, C, POSIX), as the original; English for every
// other language, being the edition for everyone who does not read Japanese.
LANGID language_from_locale(const char *language, const char *lc_all, const char *lc_messages, const char *lang);
// The same, read from this process's environment.
LANGID language_from_environment();

}  // namespace mub::core
