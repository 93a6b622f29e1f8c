#include "platform/core/language.h"

#include <cctype>
#include <cstdlib>
#include <string>

#include "platform/resource/resources.h"

namespace mub::core {

std::optional<LANGID> language_from_name(std::string_view name) {
    if (name == "ja") return mub::res::kLangJapanese;
    if (name == "en") return mub::res::kLangEnglish;
    return std::nullopt;
}

std::string_view language_name(LANGID language) {
    return mub::res::primary_language(language) == mub::res::primary_language(mub::res::kLangJapanese) ? "ja" : "en";
}

namespace {

// A locale name's language: "ja_JP.UTF-8" -> "ja", "C.UTF-8" -> "c".
std::string language_part(std::string_view locale) {
    std::string out;
    for (char c : locale) {
        if (c == '_' || c == '.' || c == '@' || c == '-') break;
        out += char(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

LANGID language_of(std::string_view locale) {
    const std::string lang = language_part(locale);
    if (lang == "ja" || lang == "japanese" || lang == "c" || lang == "posix") return mub::res::kLangJapanese;
    return mub::res::kLangEnglish;
}

}  // namespace

LANGID language_from_locale(const char *language, const char *lc_all, const char *lc_messages, const char *lang) {
    if (language) {
        // A list of languages in order of preference; empty entries are skipped.
        std::string_view list = language;
        while (!list.empty()) {
            const size_t colon = list.find(':');
            const std::string_view entry = list.substr(0, colon);
            if (!entry.empty()) return language_of(entry);
            if (colon == std::string_view::npos) break;
            list.remove_prefix(colon + 1);
        }
    }
    for (const char *value : {lc_all, lc_messages, lang})
        if (value && *value) return language_of(value);
    return mub::res::kLangJapanese;
}

LANGID language_from_environment() {
    return language_from_locale(std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                std::getenv("LANG"));
}

}  // namespace mub::core
