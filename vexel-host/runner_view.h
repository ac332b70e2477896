// The runner's --view: the window drawn as text for a person, one character for every
// four pixels. A frame line carries the title; then one text line per line of controls,
// top to bottom, cut at the client height. Buttons read [App.], disabled ones (App.),
// boxes [  1.500000], check boxes [x] link, the pop-up <3 v>; hidden controls are blank.
// Wide (East Asian) characters take two columns, as in a terminal.
//
// A text longer than its place (a Japanese label, a long number, a control past the right
// edge) is cut and ends in "~"; nothing is cut without that mark.
#pragma once

#include <string>

#include "services/window_model.h"

namespace runner {

// The drawing, lines ending in "\n". With notes, a line below the frame gives each cut
// text in full, in drawing order:  ~ "スナ~" is "スナップ"
std::string draw_window(host::window_state const& window, bool notes = false);

}  // namespace runner
