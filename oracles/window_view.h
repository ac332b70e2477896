// The vexel window as its user sees it, read from the host's model of the window: the
// numbers in the rows, the frame and mode buttons, the link boxes, the top bar.
#pragma once

#include <string>

#include "services/window_model.h"

namespace oracles {

struct box_view {
    bool number_box;   // a host number box; else the plug-in's own text field
    std::string text;  // a text field's text
    float number;      // what the window reads from the box: a number box's value, a text read
    bool shown;
};

struct row_view {
    box_view box[3];
};

struct window_view {
    row_view rows[5];
    bool local;      // row 0 shows "Loc."
    int modes[5];    // rows 1 and 3: 0 "Abs.", 1 "Rel.", 2 "I b.", 3 "O b."; -1 unreadable
    bool links[5];   // rows 2 and 4: the link box is ticked
    std::string title;
    std::string point_number;
    int client_height;
    bool shown;
    bool app, snap, save, load;  // enabled
};

window_view read_window(host::window_state const& state);

// "row 1" and its box "row 1 y".
std::string row_name(int row);
std::string box_name(int row, int axis);

}  // namespace oracles
