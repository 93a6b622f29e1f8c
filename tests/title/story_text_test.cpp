// The story's caption lines: their Shift-JIS bytes and whether they fit the
// text box.
#include <algorithm>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "mubmub.h"
#include "platform/text/text.h"

namespace {

const char *const kCaptions[23] = {
    "誰も知らない 海の底は、", "今や カニ達の手によって、", "うんこまみれの危機に", "陥っていた！！",
    "そんな ある日、", "一匹のむぶが、深海に", "特に 意味もなく 、", "放浪の旅に出ていた時、",
    "そう、悲劇は 起こった！！", "こうして、むぶとカニの", "壮絶な戦いは 始まった！！", "こうして、ついに",
    "むぶのおかげで、カニ達の陰謀を", "打ち砕くことができたのでした。", "（陰謀だったのかは、謎。）",
    "しかし、その近くには", "ひそかに、復讐を誓う", "一匹のカニが、", "むぶを 狙っていたのだった！！",
    "こうして、", "むぶとカニの闘いは", "限りなく", "繰り返されるのだった！！",
};

}  // namespace

TEST(StoryText, EveryLineIsItsTextInShiftJis)
{
    for (int i = 0; i < 23; i++) {
        SCOPED_TRACE("line " + std::to_string(i));
        std::string bytes(story_text[i]);
        EXPECT_EQ(mub::text::cp932_to_utf8(bytes), kCaptions[i]);
        // Shift-JIS: every character but the single-byte spaces takes two bytes
        size_t chars = mub::text::utf8_to_u32(kCaptions[i]).size();
        size_t spaces = std::count(bytes.begin(), bytes.end(), ' ');
        EXPECT_EQ(bytes.size(), 2 * (chars - spaces) + spaces);
        // the rest of the 200-byte field is zero
        for (size_t k = bytes.size(); k < sizeof story_text[i]; k++)
            ASSERT_EQ(story_text[i][k], 0) << "byte " << k;
    }
}

TEST(StoryText, EveryLineFitsTheTextBox)
{
    // The lines start at x 90; the box's black ends at x 530.
    for (int i = 0; i < 23; i++) {
        int width = mub::text::text_width(mub::text::decode_cp932(story_text[i]));
        EXPECT_LE(90 + width, 530) << "line " << i;
        EXPECT_GT(width, 0) << "line " << i;
    }
}
