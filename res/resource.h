/* Identifiers shared by the resource script and the game. */
#ifndef MUBMUB_RESOURCE_H
#define MUBMUB_RESOURCE_H

#define IDD_SELECT 101
#define IDC_BUTTON1 1000
#define IDC_BUTTON2 1001
#define IDC_BUTTON3 1002

/* The string table: the texts the game hands to the window system. */
#define IDS_WINDOW_TITLE 1
#define IDS_SOUSAI_TEXT 2
#define IDS_SOUSAI_CAPTION 3
#define IDS_START_TEXT 4
#define IDS_START_CAPTION 5
#define IDS_ROUND_FORMAT 6
#define IDS_ROUND_WON_CAPTION 7
#define IDS_ROUND_LOST_CAPTION 8
/* The story's 23 caption lines, IDS_STORY_TEXT + 0 to + 22. */
#define IDS_STORY_TEXT 100

#endif
