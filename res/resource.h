/* Identifiers shared by the resource script and the game. */
#ifndef MUBMUB_RESOURCE_H
#define MUBMUB_RESOURCE_H

#define IDD_SELECT 101
#define IDC_BUTTON1 1000
#define IDC_BUTTON2 1001
#define IDC_BUTTON3 1002

#endif
