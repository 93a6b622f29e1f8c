#include "programs/desktop/options.h"

#include "platform/core/language.h"
#include "platform/text/shown.h"

namespace mub::desktop {

const char kUsage[] =
    "usage: mubmub [--lang ja|en] [--scale fit|integer] [--record FILE] [--replay FILE] [--state FILE]\n"
    "              [--every-press-counts]\n"
    "  --lang ja|en          the edition (else the one of LANGUAGE, LC_ALL, LC_MESSAGES, LANG)\n"
    "  --scale fit           the picture as large as the window allows, its shape kept (the default)\n"
    "  --scale integer       whole multiples of the game's pixels only\n"
    "  --record FILE         write what you play to FILE, as you play it: a bug report that replays exactly\n"
    "  --replay FILE         play a recording in the window at its own speed; Escape ends it\n"
    "  --state FILE          when the program ends, write the game's state to FILE as JSON (as mubmub-sim does)\n"
    "  --every-press-counts  a second quick press of a mouse button is a press, not a double click\n"
    "                        (the game ignores double clicks)\n";

Options parse_options(const std::vector<std::string> &args) {
    using mub::text::shown;
    Options o;
    bool scale_given = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        auto value = [&](const char *wants) -> const std::string & {
            if (i + 1 >= args.size() || args[i + 1].empty())
                throw UsageError("option " + a + " needs a value: " + wants);
            return args[++i];
        };
        auto path = [&](std::optional<std::string> &to) {
            if (to) throw UsageError("option " + a + " is given twice");
            to = value("a file");
        };
        if (a == "--lang") {
            if (o.start.language) throw UsageError("option --lang is given twice");
            const std::string &v = value("ja or en");
            o.start.language = core::language_from_name(v);
            if (!o.start.language) throw UsageError("--lang wants ja or en, not '" + shown(v) + "'");
        } else if (a == "--scale") {
            if (scale_given) throw UsageError("option --scale is given twice");
            const std::string &v = value("fit or integer");
            const auto scaling = viewport::scaling_named(v);
            if (!scaling) throw UsageError("--scale wants fit or integer, not '" + shown(v) + "'");
            o.window.scaling = *scaling;
            scale_given = true;
        } else if (a == "--record") {
            path(o.record);
        } else if (a == "--replay") {
            path(o.replay);
        } else if (a == "--state") {
            path(o.state);
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (const auto *s = a.size() > 2 && a.compare(0, 2, "--") == 0 ? core::game_setting(a.substr(2))
                                                                              : nullptr) {
            if (o.start.*(s->on)) throw UsageError("option " + a + " is given twice");
            o.start.*(s->on) = true;
        } else {
            throw UsageError("unknown argument '" + shown(a) + "'");
        }
    }
    return o;
}

}  // namespace mub::desktop
