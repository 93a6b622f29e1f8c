/* The title and story globals, by name, for the simulator's state dumps. */
#include "mubmub.h"
#include "state_vars.h"

const struct mub_state_var title_state_vars[] = {
    MUB_VAR(ti_time), MUB_VAR(ti_flg), MUB_VAR(pl_before_x), MUB_VAR(en_before_x), {0, 0, 0, 0},
};
