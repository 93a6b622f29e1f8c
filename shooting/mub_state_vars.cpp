/* The shooting game's globals by name, for the simulator's state dumps. */
#include "mubmub.h"
#include "state_vars.h"

const struct mub_state_var mub_state_vars[] = {
    MUB_ARRAY(ti_before_y), MUB_ARRAY(ti_moji_y),
    MUB_VAR(mub_pl_x), MUB_VAR(mub_pl_y), MUB_VAR(mub_pl_before_x), MUB_VAR(mub_pl_before_y),
    MUB_VAR(mub_pl_no), MUB_VAR(mub_entask_no),
    MUB_ARRAY(bl_key), MUB_ARRAY(bl_x), MUB_ARRAY(bl_y), MUB_ARRAY(bl_before_x),
    MUB_ARRAY(bl_before_y), MUB_ARRAY(bl_puu),
    MUB_ARRAY(mub_task_no), MUB_ARRAY(mub_en_x), MUB_ARRAY(mub_en_y), MUB_ARRAY(mub_en_before_x),
    MUB_ARRAY(mub_en_before_y), MUB_ARRAY(en_flg), MUB_ARRAY(en_puu),
    MUB_VAR(mub_enb_x), MUB_VAR(mub_enb_y), MUB_VAR(mub_enb_before_x), MUB_VAR(mub_enb_before_y),
    MUB_VAR(enb_flg), MUB_VAR(enb_puu), MUB_VAR(enb),
    MUB_ARRAY(enbl_key), MUB_ARRAY(enbl_x), MUB_ARRAY(enbl_y), MUB_ARRAY(enbl_before_x),
    MUB_ARRAY(enbl_before_y), MUB_ARRAY(enbl_xn), MUB_ARRAY(enbl_yn), MUB_ARRAY(enbl_puu),
    MUB_ARRAY(b_wait),
    MUB_VAR(enb_bl_key), MUB_VAR(enb_bl_x), MUB_VAR(enb_bl_y), MUB_VAR(enb_bl_before_x),
    MUB_VAR(enb_bl_before_y), MUB_VAR(enb_bl_xn), MUB_VAR(enb_bl_yn), MUB_VAR(enb_bl_puu),
    MUB_VAR(b_b_wait),
    MUB_ARRAY(en_wait), MUB_VAR(enb_wait), MUB_VAR(wait_t),
    MUB_VAR(mub_score), MUB_VAR(mub_rank),
    {0, 0, 0, 0},
};
