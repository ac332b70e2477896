// What a module answers when asked for an interface by identifier: its exported
// has_interface, and its window's QueryInterface (vexel-host --info --iid).
#pragma once

#include <string>
#include <vector>

#include "interface_id.h"
#include "unknown_interface.h"

namespace host {

struct interface_answer {
    com_iid iid;
    bool offered = false;       // has_interface, in the layout this build's host passes
    HRESULT window_status = 0;  // the window's QueryInterface, when the window was made
};

struct interface_answers {
    std::vector<interface_answer> answers;
    std::string window_problem;  // why the window could not be made; "" when it was
};

// Loads the module at path, asks has_interface for each identifier, then makes its window
// (as a host does, in language lang, with no scene) and asks its QueryInterface for each.
// A reference QueryInterface hands out is released again. Throws module_error when the
// module cannot be loaded.
interface_answers ask_interfaces(std::string const& module_path, std::string const& lang,
                                 std::vector<com_iid> const& iids);

}  // namespace host
