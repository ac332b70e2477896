// First slice of the window: identity answers and construction only; the controls, rows
// and editing arrive with the window's own work.
#include "vexel_window.h"

#include "entry/module_state.h"

vexel_window::vexel_window(tessel_interface& host) : window_interface(host) { xtessel = &host; }

tq::uuid_class vexel_window::get_uuid(void*) { return vexel_UUID; }
