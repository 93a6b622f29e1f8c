#include "tools/sim/state_dump.h"

#include "platform/core/core.h"
#include "state_vars.h"

namespace mubsim {

namespace {

void add_vars(nlohmann::json &out, const mub_state_var *vars) {
    for (; vars->name; ++vars) {
        if (vars->is_array) {
            auto list = nlohmann::json::array();
            for (int i = 0; i < vars->count; ++i) list.push_back(vars->value[i]);
            out[vars->name] = std::move(list);
        } else {
            out[vars->name] = *vars->value;
        }
    }
}

void add_handles(nlohmann::json &out, const mub_state_handle *handles) {
    for (; handles->name; ++handles) {
        if (handles->is_array) {
            auto list = nlohmann::json::array();
            for (int i = 0; i < handles->count; ++i) list.push_back(handles->handle[i] ? 1 : 0);
            out[handles->name] = std::move(list);
        } else {
            out[handles->name] = *handles->handle ? 1 : 0;
        }
    }
}

}  // namespace

nlohmann::json game_state(const RunFacts &facts) {
    nlohmann::json s = nlohmann::json::object();
    add_vars(s, shell_state_vars);
    add_handles(s, shell_state_handles);
    add_vars(s, title_state_vars);
    add_vars(s, mub_state_vars);
    add_vars(s, mub2_state_vars);
    s["tick"] = facts.ticks;
    s["quit"] = facts.quit;
    s["exit_code"] = facts.exit_code;
    s["gdi_objects"] = mub::core::live_gdi_objects();
    const std::string modal = mub::core::open_modal_caption();
    s["modal"] = modal.empty() ? nlohmann::json(nullptr) : nlohmann::json(modal);
    return s;
}

}  // namespace mubsim
