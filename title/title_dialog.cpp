/*
 * The game selection dialog: three buttons, one per entry. It can only be
 * left through a button; Escape and the like are left to the default
 * handling, which keeps it open.
 */
#include "mubmub.h"

INT_PTR CALLBACK DlgWindProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        return TRUE; /* the focus goes to the first button */
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_BUTTON1: sel_key = STORY_SCREEN; break;
        case IDC_BUTTON2: sel_key = mub_TITLE_SCREEN; break;
        case IDC_BUTTON3: sel_key = mub2_TITLE_SCREEN; break;
        default: return FALSE;
        }
        ti_key = 5;
        EndDialog(hDlg, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
