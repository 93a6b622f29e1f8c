// The story's caption lines as load_texts gives them: their Shift-JIS bytes
// and whether they fit the text box, in both editions.
#include <algorithm>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "mubmub.h"
#include "platform/core/core.h"
#include "platform/text/text.h"
#include "tests/support/program_res.h"

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
    std::memset(story_text, 'X', sizeof story_text);
    load_texts(mubtest::program_module());
    for (int i = 0; i < 23; i++) {
        SCOPED_TRACE("line " + std::to_string(i));
        std::string bytes(story_text[i]);
        EXPECT_EQ(mub::text::cp932_to_utf8(bytes), kCaptions[i]);
        // Shift-JIS: every character but the single-byte spaces takes two bytes
        size_t chars = mub::text::utf8_to_u32(kCaptions[i]).size();
        size_t spaces = std::count(bytes.begin(), bytes.end(), ' ');
        EXPECT_EQ(bytes.size(), 2 * (chars - spaces) + spaces);
    }
}

TEST(StoryText, EveryLineFitsTheTextBoxInBothEditions)
{
    // The lines start at x 90; the box's black ends at x 530, its navy ring
    // begins at 522, and the fourth line must end before the prompt's row.
    for (LANGID lang : {mub::res::kLangEnglish, mub::res::kLangJapanese}) {
        mub::core::set_ui_language(lang);
        load_texts(mubtest::program_module());
        for (int i = 0; i < 23; i++) {
            int width = mub::text::text_width(mub::text::decode_cp932(story_text[i]));
            EXPECT_LE(90 + width, 522) << "line " << i;
            EXPECT_GT(width, 0) << "line " << i;
        }
    }
}
