// A click that changes the window's own state (the frame flag, a row's mode, the chosen
// slot, the settings) and then makes the host calls that show or keep that state. Any of
// those calls may throw: the click then takes its change back and shows the old state
// again, so that the flag, the label the user reads and the rows always agree.
#pragma once

#include "host_boundary.h"

// Runs change, then show. When either throws, revert and show run (each guarded) and the
// exception goes on to the caller.
template <class Change, class Revert, class Show>
void take_effect_whole(Change&& change, Revert&& revert, Show&& show) {
    try {
        change();
        show();
    } catch (...) {
        at_host_boundary(revert);
        at_host_boundary(show);
        throw;
    }
}
