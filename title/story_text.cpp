/* The story's caption lines, Shift-JIS, four at most to a page; load_texts
   fills them from the string table at start-up. */
#include "mubmub.h"

char story_text[23][200];
