#include "programs/desktop/options.h"

#include "platform/core/language.h"
#include "platform/text/shown.h"

namespace mub::desktop {

const char kUsage[] =
    "usage: mubmub [--lang ja|en] [--record FILE] [--replay FILE] [--state FILE] [--SETTING...]\n"
    "  --lang ja|en    the edition (else the one of LANGUAGE, LC_ALL, LC_MESSAGES, LANG)\n"
    "  --record FILE   write what you play to FILE, as you play it: a bug report that replays exactly\n"
    "  --replay FILE   play a recording in the window at its own speed; Escape ends it\n"
    "  --state FILE    when the program ends, write the game's state to FILE as JSON (as mubmub-sim does)\n";

Options parse_options(const std::vector<std::string> &args) {
    using mub::text::shown;
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        auto path = [&](std::optional<std::string> &to) {
            if (to) throw UsageError("option " + a + " is given twice");
            if (i + 1 >= args.size() || args[i + 1].empty()) throw UsageError("option " + a + " needs a file");
            to = args[++i];
        };
        if (a == "--lang") {
            if (o.start.language) throw UsageError("option --lang is given twice");
            const auto language = i + 1 < args.size() ? core::language_from_name(args[++i]) : std::nullopt;
            if (!language) throw UsageError("--lang wants ja or en");
            o.start.language = language;
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
