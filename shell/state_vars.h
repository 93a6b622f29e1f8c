/*
 * The game's globals by name, for the simulator's state dumps.
 * Each folder lists the globals it owns; every list ends with a null name.
 */
#ifndef MUBMUB_STATE_VARS_H
#define MUBMUB_STATE_VARS_H

struct mub_state_var {
    const char *name;
    const int *value; /* first element */
    int count;        /* number of ints */
    int is_array;     /* 1: dumped as a list, 0: as one int */
};

struct mub_state_handle {
    const char *name;
    void *const *handle; /* first element; dumped as 0 (null) or 1 */
    int count;
    int is_array;
};

#define MUB_VAR(v) {#v, (const int *)&(v), 1, 0}
#define MUB_ARRAY(a) {#a, (const int *)(a), (int)(sizeof(a) / sizeof((a)[0])), 1}
#define MUB_HANDLE(h) {#h, (void *const *)&(h), 1, 0}
#define MUB_HANDLES(a) {#a, (void *const *)(a), (int)(sizeof(a) / sizeof((a)[0])), 1}

extern const struct mub_state_var shell_state_vars[];
extern const struct mub_state_handle shell_state_handles[];
extern const struct mub_state_var title_state_vars[];
extern const struct mub_state_var mub_state_vars[];
extern const struct mub_state_var mub2_state_vars[];

#endif
