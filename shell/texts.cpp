/* The texts the game hands to the window system, read once at start-up from
   the string table, which Windows gives in the user's language. */
#include "mubmub.h"

#define TEXT_SIZE 200

static char texts[IDS_ROUND_LOST_CAPTION + 1][TEXT_SIZE];

void load_texts(HINSTANCE instance)
{
    for (int id = IDS_WINDOW_TITLE; id <= IDS_ROUND_LOST_CAPTION; id++)
        LoadStringA(instance, id, texts[id], TEXT_SIZE);
    for (int i = 0; i < 23; i++)
        LoadStringA(instance, IDS_STORY_TEXT + i, story_text[i], sizeof story_text[i]);
}

const char *mub_text(int id)
{
    return texts[id];
}
