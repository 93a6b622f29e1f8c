/*
 * The story screens: captioned pictures, each drawn once and left until a
 * press turns the page, with both games played in between.
 */
#include <string.h>

#include "mubmub.h"

/* One page: drawn in scene `scene` when story_page is `page`; afterwards
   story_page is page + 1 and waits for a press. */
struct story_page_def {
    int scene;
    int page;
    int picture;    /* index into story_hbmp */
    int first_line; /* into story_text */
    int lines;
};

static const struct story_page_def story_pages[] = {
    {STORY_SCREEN, 0, 1, 0, 4},   {STORY_SCREEN, 2, 2, 4, 4},   {STORY_SCREEN, 4, 3, 8, 1},
    {STORY_SCREEN, 6, 4, 9, 2},   {STORY2_SCREEN, 9, 5, 11, 4}, {STORY2_SCREEN, 11, 6, 15, 4},
    {STORY3_SCREEN, 14, 7, 19, 4},
};

/* A whole-window copy; the background has only 550 of its 600 rows, and a
   blit takes nothing from below a bitmap's bottom. */
#define STORY_BACK_WIDTH 600
#define STORY_BACK_HEIGHT 600
#define PICTURE_X 70
#define PICTURE_Y 20
#define PICTURE_WIDTH 430
#define PICTURE_HEIGHT 290
#define CAPTION_X 90
#define CAPTION_Y 360
#define CAPTION_STEP 30

static void story_draw_page(HDC hdc, const struct story_page_def *p)
{
    dip_bitmap(hdc, story_hbmp[0], 0, 0, 0, 0, STORY_BACK_WIDTH, STORY_BACK_HEIGHT, 0);
    dip_bitmap(hdc, story_hbmp[p->picture], PICTURE_X, PICTURE_Y, 0, 0, PICTURE_WIDTH, PICTURE_HEIGHT, 0);
    for (int j = 0; j < p->lines; j++) {
        const char *line = story_text[p->first_line + j];
        TextOutA(hdc, CAPTION_X, CAPTION_Y + CAPTION_STEP * j, line, (int)strlen(line));
    }
    story_page = p->page + 1;
}

/* Leaves the story for the next game or, at its end, for the title. */
static void story_hand_over(HDC hdc, int next_page, int next_scene)
{
    story_page = next_page;
    main_key = next_scene;
    clear_screen(hdc);
}

void story_ctrl(HDC hdc)
{
    SetTextColor(hdc, RGB(255, 255, 255));
    SetBkMode(hdc, TRANSPARENT);

    for (const struct story_page_def &p : story_pages) {
        if (p.scene == main_key && p.page == story_page) {
            story_draw_page(hdc, &p);
            return;
        }
    }
    if (main_key == STORY_SCREEN && story_page == 8) {
        story_hand_over(hdc, 9, mub_TITLE_SCREEN);
    } else if (main_key == STORY2_SCREEN && story_page == 13) {
        story_hand_over(hdc, 14, mub2_TITLE_SCREEN);
    } else if (main_key == STORY3_SCREEN && story_page == 16) {
        story_hand_over(hdc, 0, TITLE_SCREEN);
        SetTimer(hwnd, 1, 32, NULL);
    }
}
