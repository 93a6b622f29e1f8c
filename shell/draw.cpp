/* The drawing primitives every screen uses. Each call makes and frees its own
   memory context or brush; nothing is cached between calls. */
#include "mubmub.h"

void dip_bitmap(HDC hdc, HBITMAP hbm, int x, int y, int Sx, int Sy, int Width, int Height, int m)
{
    HDC memDC = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(memDC, hbm);

    if (bit_flg) {
        BitBlt(hdc, x, y, Width, Height, memDC, Sx, Sy, SRCCOPY);
    } else {
        /* mask band first (OR), then the image (AND): transparent where the
           mask is black and the image white */
        BitBlt(hdc, x, y, Width, Height, memDC, Sx, Sy + m, SRCPAINT);
        BitBlt(hdc, x, y, Width, Height, memDC, Sx, Sy, SRCAND);
    }
    SelectObject(memDC, old);
    DeleteDC(memDC);
}

void erase_box(HDC hdc, int left, int right, int top, int bottom)
{
    clear_rect(left, right, top, bottom);
    clear_bitmap(hdc, cl_rect);
}

RECT clear_rect(int left, int right, int top, int bottom)
{
    cl_rect.left = left;
    cl_rect.top = top;
    cl_rect.right = right;
    cl_rect.bottom = bottom;
    return cl_rect;
}

void clear_bitmap(HDC hdc, RECT rect)
{
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

void mub2_back_bitmap(HDC hdc, int x, int y, int Width, int Height)
{
    HDC memDC = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(memDC, mub2_hbmp_back);

    BitBlt(hdc, x, y, Width, Height, memDC, x, y, SRCCOPY);
    SelectObject(memDC, old);
    DeleteDC(memDC);
}

void clear_screen(HDC hdc)
{
    clear_rect(0, 600, 0, 570);
    GetClientRect(hwnd, &cl_rect);
    clear_bitmap(hdc, cl_rect);
}
