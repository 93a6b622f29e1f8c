/* The shooting game's eraser: black fill of a box given as left, right, top,
   bottom, through the shared cl_rect (so the box is also what the tick
   invalidates when it is the last one erased). */
#ifndef MUB_ERASE_H
#define MUB_ERASE_H

#include "mubmub.h"

static inline void mub_erase(HDC hdc, int left, int right, int top, int bottom)
{
    clear_rect(left, right, top, bottom);
    clear_bitmap(hdc, cl_rect);
}

#endif
