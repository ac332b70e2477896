// The runner's --view: the window drawn as text for a person, one character for every
// four pixels. A frame line carries the title; then one text line per line of controls,
// top to bottom, cut at the client height. Buttons read [App.], disabled ones (App.),
// boxes [  1.500000], check boxes [x] link, the pop-up <3 v>; hidden controls are blank.
#pragma once

#include <string>

#include "window_model.h"

namespace host {

// The drawing, lines ending in "\n".
std::string draw_window(window_state const& window);

}  // namespace host
