// The vexel window's controls as the host sees them: in creation order, the top bar
// ("App.", "Snap", the point number, "Ref.", "Save", "Load", the slot pop-up), then five
// rows of title, X, Y and Z box and the row's extra control. Scripts name them in `click`
// and `type`; the layout is the plug-in's fixed construction order.
#pragma once

#include <string>

#include "services/user_controls.h"
#include "services/window_model.h"

namespace script {

namespace vexel_controls {
int const app = 0;
int const snap = 1;
int const point_number = 2;
int const ref = 3;
int const save = 4;
int const load = 5;
int const slots = 6;
int const count = 32;  // 7 in the top bar, 5 in each row

inline int row_title(int row) { return 7 + 5 * row; }
// axis 0 x, 1 y, 2 z
inline int box(int row, int axis) { return 8 + 5 * row + axis; }
// Row 0 "Loc."/"Glo.", rows 1 and 3 the mode button, rows 2 and 4 "link".
inline int extra(int row) { return 11 + 5 * row; }
}  // namespace vexel_controls

// A control that `click` names: a push button is clicked, a check box toggled.
struct named_control {
    char const* name;
    int index;
    host::control_kind kind;
};

// The control called name ("App.", "loc", "link2", ...), or null.
named_control const* find_named_control(std::string const& name);
// "App., Snap, Ref., Save, Load, loc, mode1, mode3, link2, link4"
std::string const& named_control_list();

// Refuses a script line (word) that acts on a control, named for the script, as wanted:
// throws script_error by the host's rule (user_refusal), or when the control lies at or
// below the client area's height, out of the user's reach.
void check_reachable(std::string const& word, std::string const& name, host::control_reach const& c,
                     host::control_kind wanted, int top, int client_height);

}  // namespace script
