/*
 * The enemies' shots: one pile per enemy, falling from under its owner,
 * landing at y 500, blinking there for 15 ticks and then cleared. A shot
 * is processed only while its owner is alive (walking, for the boss).
 */
#include "mubmub.h"

/* One enemy shot; row_y is the owner's row, the origin of the frame count. */
struct mub_enshot {
    int *key, *x, *y, *before_x, *before_y, *xn, *yn, *puu, *wait;
    int row_y;
};

static void enshot_ctrl(HDC hdc, const struct mub_enshot *s)
{
    if (*s->key == 1) {
        *s->before_x = *s->x;
        *s->before_y = *s->y;
        *s->y += 5 + b_sa;
        if (*s->y > 500) {
            *s->y = 500;
            erase_box(hdc, *s->before_x, *s->before_x + 26, *s->before_y, *s->before_y + 40);
            *s->xn = *s->x;
            *s->yn = 500;
            *s->key = 2;
        }
        erase_box(hdc, *s->before_x, *s->before_x + 26, *s->before_y, *s->before_y + 24);
        dip_bitmap(hdc, mub_hbmp[4], *s->x, *s->y, 26 * *s->puu, 0, 26, 26, 26);
        *s->puu = ((*s->y - s->row_y) / 5 + b_sa) % 2 != 0 ? 1 : 0;
    } else if (*s->key == 2) {
        /* The landed pile: two ticks on, two off. */
        if (*s->wait >= 0 && *s->wait < 15) {
            erase_box(hdc, *s->xn, *s->xn + 26, *s->yn, *s->yn + 27);
            if (*s->wait % 4 == 0 || *s->wait % 4 == 1)
                dip_bitmap(hdc, mub_hbmp[4], *s->xn, *s->yn, 53, 0, 26, 26, 26);
        } else if (*s->wait >= 15) {
            *s->key = 3;
        }
        *s->wait += 1;
    } else if (*s->key == 3) {
        *s->wait = 0;
        erase_box(hdc, *s->xn, *s->xn + 26, *s->yn, *s->yn + 27);
        *s->key = 0;
    }
}

void mub_enbullet_ctrl(HDC hdc)
{
    for (int e = 0; e < 3; e++) {
        if (mub_task_no[e] != 0)
            continue;
        const struct mub_enshot s = {&enbl_key[e], &enbl_x[e], &enbl_y[e], &enbl_before_x[e],
                                     &enbl_before_y[e], &enbl_xn[e], &enbl_yn[e], &enbl_puu[e],
                                     &b_wait[e], 60 * (e + 2)};
        enshot_ctrl(hdc, &s);
    }
    if (mub_task_no[3] == 0 || mub_task_no[3] == 2 || mub_task_no[3] == 4) {
        const struct mub_enshot s = {&enb_bl_key, &enb_bl_x, &enb_bl_y, &enb_bl_before_x,
                                     &enb_bl_before_y, &enb_bl_xn, &enb_bl_yn, &enb_bl_puu,
                                     &b_b_wait, 60};
        enshot_ctrl(hdc, &s);
    }
}
