#include "window_controls.h"

#include "script_error.h"

namespace script {

namespace {

using namespace vexel_controls;
using host::control_kind;

named_control const controls[] = {
    {"App.", app, control_kind::button},          {"Snap", snap, control_kind::button},
    {"Ref.", ref, control_kind::button},          {"Save", save, control_kind::button},
    {"Load", load, control_kind::button},         {"loc", extra(0), control_kind::button},
    {"mode1", extra(1), control_kind::button},    {"mode3", extra(3), control_kind::button},
    {"link2", extra(2), control_kind::checkbox},  {"link4", extra(4), control_kind::checkbox},
};

}  // namespace

named_control const* find_named_control(std::string const& name) {
    for (named_control const& c : controls)
        if (name == c.name) return &c;
    return nullptr;
}

std::string const& named_control_list() {
    static std::string const list = [] {
        std::string text;
        for (named_control const& c : controls) text += (text.empty() ? "" : ", ") + std::string(c.name);
        return text;
    }();
    return list;
}

void check_reachable(std::string const& word, std::string const& name,
                     host::control_reach const& c, control_kind wanted, int top, int client_height) {
    std::string problem = host::user_refusal(c, wanted);
    if (!problem.empty()) throw script_error(word + ": " + name + " " + problem);
    if (top >= client_height)
        throw script_error(word + ": " + name + " is outside the client area (height " +
                           std::to_string(client_height) + ")");
}

}  // namespace script
