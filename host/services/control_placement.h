// Where the reference host puts a new control. Besides plain pixel coordinates a plug-in
// may pass the placement codes of placement_codes.h; the gap after the previous control is
// default_gap + n pixels. With no previous control both codes count from the window's left
// or top edge. Any other value at or above same_line_code is refused: the host defines no
// such code.
#pragma once

#include "placement_codes.h"
#include "services/window_model.h"

namespace host {

int const default_gap = 1;     // pixels between controls placed one after another
int const popup_height = 14;   // pop-ups get no height from the plug-in
int const title_bar_height = 18;  // a top-level frame is its client area plus this bar

// The control's rectangle in window pixels for the requested position and size. Throws
// host_error for an unknown code, a negative size or a position outside 32 bits; operation
// names the refusing call.
tq::rectangle_class place_control(host_window const& window, int x, int y, int width,
                                  int height, char const* operation);

}  // namespace host
