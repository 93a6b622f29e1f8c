#include "tests/conformance/sequence.h"

#include <cstdio>
#include <sstream>

namespace conftest {

std::string message_name(UINT message) {
    static const struct {
        UINT message;
        const char *name;
    } names[] = {{WM_CREATE, "WM_CREATE"},
                 {WM_DESTROY, "WM_DESTROY"},
                 {WM_SIZE, "WM_SIZE"},
                 {WM_PAINT, "WM_PAINT"},
                 {WM_CLOSE, "WM_CLOSE"},
                 {WM_QUIT, "WM_QUIT"},
                 {WM_ERASEBKGND, "WM_ERASEBKGND"},
                 {WM_KEYDOWN, "WM_KEYDOWN"},
                 {WM_KEYUP, "WM_KEYUP"},
                 {WM_CHAR, "WM_CHAR"},
                 {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
                 {WM_TIMER, "WM_TIMER"},
                 {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
                 {WM_LBUTTONUP, "WM_LBUTTONUP"},
                 {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
                 {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
                 {WM_RBUTTONUP, "WM_RBUTTONUP"},
                 {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"}};
    for (const auto &n : names)
        if (n.message == message) return n.name;
    char buf[32];
    if (message >= WM_USER)
        std::snprintf(buf, sizeof buf, "WM_USER+%u", message - WM_USER);
    else
        std::snprintf(buf, sizeof buf, "0x%04x", message);
    return buf;
}

namespace {

std::string how(unsigned flags) { return flags & sent ? "sent" : flags & posted ? "posted" : "sent or posted"; }

std::string describe(const Message &m) {
    std::ostringstream s;
    s << message_name(m.message) << ' ' << how(m.flags);
    if (m.flags & wparam) s << " w=" << m.wParam;
    if (m.flags & lparam) s << " l=0x" << std::hex << m.lParam << std::dec;
    if (m.flags & optional) s << " (optional)";
    return s.str();
}

std::string describe(const Seen &m) {
    std::ostringstream s;
    s << message_name(m.message) << ' ' << how(m.flags) << " w=" << m.wParam << " l=0x" << std::hex << m.lParam;
    return s.str();
}

// Why a seen message does not fit an expected entry of the same kind, or "".
std::string mismatch(const Message &e, const Seen &a) {
    std::ostringstream s;
    if ((e.flags & (sent | posted)) && (e.flags & (sent | posted)) != (a.flags & (sent | posted)))
        s << " should have been " << how(e.flags) << ';';
    if ((e.flags & wparam) && e.wParam != a.wParam) s << " wParam " << a.wParam << ", expected " << e.wParam << ';';
    if ((e.flags & lparam) && e.lParam != a.lParam)
        s << std::hex << " lParam 0x" << a.lParam << ", expected 0x" << e.lParam << ';';
    return s.str();
}

}  // namespace

testing::AssertionResult matches_sequence(const std::vector<Message> &table, const std::vector<Seen> &seen) {
#ifdef _WIN32
    const unsigned elsewhere = core_only;
#else
    const unsigned elsewhere = windows_only;
#endif
    std::vector<Message> expected;
    for (const Message &m : table)
        if (!(m.flags & elsewhere)) expected.push_back(m);

    std::ostringstream problems;
    size_t e = 0, a = 0;
    while (e < expected.size() && a < seen.size()) {
        const Message &want = expected[e];
        const Seen &got = seen[a];
        const bool optional_entry = want.flags & optional;
        if (want.message == got.message && (!optional_entry || mismatch(want, got).empty())) {
            const std::string why = mismatch(want, got);
            if (!why.empty()) problems << "  entry " << e << ", " << message_name(got.message) << ':' << why << '\n';
            ++e;
            ++a;
        } else if (optional_entry) {
            ++e;
        } else {
            problems << "  entry " << e << ": expected " << describe(want) << ", got " << describe(got) << '\n';
            ++e;
            ++a;
        }
    }
    for (; e < expected.size(); ++e)
        if (!(expected[e].flags & optional))
            problems << "  entry " << e << ": " << describe(expected[e]) << " never came\n";
    for (; a < seen.size(); ++a) problems << "  unexpected " << describe(seen[a]) << '\n';

    if (problems.str().empty()) return testing::AssertionSuccess();
    std::ostringstream out;
    out << "the sequence differs:\n" << problems.str() << "expected:\n";
    for (const Message &m : expected) out << "  " << describe(m) << '\n';
    out << "seen:\n";
    for (const Seen &m : seen) out << "  " << describe(m) << '\n';
    return testing::AssertionFailure() << out.str();
}

}  // namespace conftest
