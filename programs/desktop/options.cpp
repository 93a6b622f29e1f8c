#include "programs/desktop/options.h"

#include "platform/core/language.h"
#include "platform/text/shown.h"

namespace mub::desktop {

const char kUsage[] =
    "usage: mubmub [--lang ja|en] [--scale fit|integer] [--every-press-counts]\n"
    "  --lang ja|en          the edition (else the locale's: LANGUAGE, LC_ALL, LC_MESSAGES, LANG)\n"
    "  --scale fit           the picture as large as the window allows, its shape kept (the default)\n"
    "  --scale integer       whole multiples of the game's pixels only\n"
    "  --every-press-counts  a second quick press of a mouse button is a press, not a double click\n"
    "                        (the game ignores double clicks)\n";

Options parse_options(const std::vector<std::string> &args) {
    Options o;
    bool scale_given = false;
    bool lang_given = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--scale") {
            if (scale_given) throw UsageError("option --scale is given twice");
            if (i + 1 >= args.size()) throw UsageError("option --scale needs a value: fit or integer");
            const std::string &v = args[++i];
            const auto scaling = viewport::scaling_named(v);
            if (!scaling) throw UsageError("--scale wants fit or integer, not '" + text::shown(v) + "'");
            o.window.scaling = *scaling;
            scale_given = true;
        } else if (a == "--lang") {
            if (lang_given) throw UsageError("option --lang is given twice");
            if (i + 1 >= args.size()) throw UsageError("option --lang needs a value: ja or en");
            const std::string &v = args[++i];
            o.start.language = core::language_from_name(v);
            if (!o.start.language) throw UsageError("--lang wants ja or en, not '" + text::shown(v) + "'");
            lang_given = true;
        } else if (a == std::string("--") + core::kEveryPressCounts) {
            if (o.start.every_press_counts) throw UsageError("option " + a + " is given twice");
            o.start.every_press_counts = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else {
            throw UsageError("unknown argument '" + text::shown(a) + "'");
        }
    }
    if (!o.start.language) o.start.language = core::language_from_environment();
    return o;
}

}  // namespace mub::desktop
