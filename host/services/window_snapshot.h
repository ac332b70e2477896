// The front ends' view of a plug-in's window: the host's model of it as plain data (what a
// runner dump prints, what the studio draws, what tests check).
#pragma once

#include "services/plugin_services.h"
#include "services/window_model.h"

namespace host {

// Snapshot of a window and its controls in creation order. Throws std::invalid_argument
// for a window the host does not know.
window_state window_snapshot(plugin_services const& services, window_interface const& window);

}  // namespace host
