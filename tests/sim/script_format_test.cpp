// Script lines as the recorder writes them: every form reads back as the
// event it was written from, and a line read and written again comes out in
// its one written form.
#include <gtest/gtest.h>

#include <string>

#include "sim/script.h"

namespace {

using namespace mub::sim;

std::string written(const Script &s) {
    std::string text = s.language ? format_header(*s.language, s.settings) : "";
    for (const ScriptEvent &ev : s.events) text += format_event(ev);
    if (s.end) text += format_end(*s.end);
    return text;
}

TEST(ScriptFormat, EveryFormReadsBackAsWrittenInItsOneWrittenForm) {
    struct Case {
        const char *read, *written;
    };
    const Case cases[] = {
        {"5 ldown\n", "5 ldown\n"},
        {"5 ldown plain\n6 rdown double\n", "5 ldown plain\n6 rdown double\n"},
        {"7   before-paint   lup\n", "7 before-paint lup\n"},
        // Keys: by what the simulator's keyboard types, else key, typed and Alt.
        {"3 key z\n3 key Z z\n3 key Z\n3 key 1\n", "3 key z\n3 key z\n3 key Z\n3 key 1\n"},
        {"3 key Z none\n3 key 1 &\n3 key X x alt\n3 key F4 none alt\n",
         "3 key Z none\n3 key 1 &\n3 key X x alt\n3 key F4 none alt\n"},
        {"3 key Space\n3 key Space space\n3 key Space none\n", "3 key Space\n3 key Space\n3 key Space none\n"},
        {"3 key Packet !\n3 key !\n3 key 0x41 none\n3 key 0x13 none\n3 key 0xFE a\n",
         "3 key !\n3 key !\n3 key A none\n3 key 0x13 none\n3 key 0xFE a\n"},
        {"3 key Escape\n3 key Return\n3 key Tab\n3 key Left\n", "3 key Escape\n3 key Return\n3 key Tab\n3 key Left\n"},
        {"9 held both\n9 held none\n9 answer close\n9 answer cancel\n9 answer 1002\n",
         "9 held both\n9 held none\n9 answer close\n9 answer cancel\n9 answer 1002\n"},
        {"9 expose\n9 expose -40000 0 5 40000\n", "9 expose\n9 expose -32767 0 5 32767\n"},
        // The header and the end; before-paint events first among their tick's.
        {"lang en\n4 lclick\n4 before-paint rclick\n3 key a\n12 end\n",
         "lang en\n3 key a\n4 before-paint rclick\n4 lclick\n12 end\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.read);
        const Script once = parse_script(c.read);
        EXPECT_EQ(written(once), c.written);
        EXPECT_EQ(written(parse_script(written(once))), c.written);
    }
}

}  // namespace
