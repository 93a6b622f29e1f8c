/*
 * A blow of the creature at its current hole, judged at once between ticks
 * by the hole and the struck flag alone: whatever an unstruck enemy in that
 * hole is doing (popping, counterattacking, hiding after its counterattack),
 * it is struck.
 */
#include "mubmub.h"

void mub2_hit_check(void)
{
    const int slots = entyo >= 1 ? 2 : 1;
    int struck = 0;

    for (int i = 0; i < slots; i++) {
        if (hit_flg[i] == 0 && mub2_pl_no == mub2_en_no[i]) {
            en_time[i] = 0;
            mub2_entask_no[i] = 4;
            hit_flg[i] = 1;
            hit += 1;
            r_hit -= 1;
            struck = 1;
        }
    }

    pl_time = 0;
    mub2_task_no = struck ? 1 : 2;
}
