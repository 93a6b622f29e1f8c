#include "programs/sim/options.h"

#include "platform/core/language.h"
#include "platform/core/start.h"
#include "sim/script.h"

#include <algorithm>
#include <charconv>

namespace mub::sim {

const char kUsage[] =
    "usage: mubmub-sim --ticks N [--script FILE|-] [--state FILE] [--trace FILE] [--screenshot FILE] "
    "[--random SEED] [--lang ja|en] [--SETTING...]\n"
    "       mubmub-sim --script RECORDING [outputs...]   (a script that names its end: 'T end')\n";

namespace {

template <typename T>
bool parse_number(const std::string &s, T &value) {
    if (s.empty() || s[0] == '+' || s[0] == '-') return false;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && ptr == s.data() + s.size();
}

}  // namespace

Options parse_options(const std::vector<std::string> &args) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        auto value = [&]() -> const std::string & {
            if (i + 1 >= args.size()) throw UsageError("option " + shown(a) + " needs a value");
            return args[++i];
        };
        auto once = [&](bool already) {
            if (already) throw UsageError("option " + shown(a) + " is given twice");
        };
        if (a == "--ticks") {
            once(o.ticks >= 0);
            const std::string &v = value();
            if (!parse_number(v, o.ticks) || o.ticks > kMaxTick)
                throw UsageError("--ticks wants a whole number of ticks from 0 to " + std::to_string(kMaxTick) +
                                 ", not '" + shown(v) + "'");
        } else if (a == "--script") {
            once(o.script.has_value());
            o.script = value();
        } else if (a == "--state") {
            once(o.state.has_value());
            o.state = value();
        } else if (a == "--trace") {
            once(o.trace.has_value());
            o.trace = value();
        } else if (a == "--screenshot") {
            once(o.screenshot.has_value());
            o.screenshot = value();
        } else if (a == "--random") {
            once(o.random_seed.has_value());
            const std::string &v = value();
            uint32_t seed = 0;
            if (!parse_number(v, seed)) throw UsageError("--random wants a seed from 0 to 4294967295, not '" + shown(v) + "'");
            o.random_seed = seed;
        } else if (a == "--lang") {
            once(o.language.has_value());
            const std::string &v = value();
            o.language = mub::core::language_from_name(v);
            if (!o.language) throw UsageError("--lang wants ja or en, not '" + shown(v) + "'");
        } else if (const auto *setting = a.size() > 2 && a.compare(0, 2, "--") == 0
                                             ? mub::core::game_setting(std::string_view(a).substr(2))
                                             : nullptr) {
            once(std::find(o.settings.begin(), o.settings.end(), setting->name) != o.settings.end());
            o.settings.push_back(setting->name);
        } else {
            throw UsageError("unknown argument '" + shown(a) + "'");
        }
    }
    // A script can name its own end instead.
    if (o.ticks < 0 && !o.script) throw UsageError("--ticks N is required");
    for (const auto *path : {&o.state, &o.trace, &o.screenshot})
        if (path->has_value() && (*path)->empty()) throw UsageError("an output file name is empty");
    return o;
}

}  // namespace mub::sim
