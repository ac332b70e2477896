// The fault-injection sweep of vexel-host --fault-sweep: a script played once per host call
// of its clean run, with that one call made to throw. After each run the host's checks must
// hold: the run finishes with no exception let out of the plug-in, nothing non-finite
// written into the scene, no undo record or update bracket left open, no counted object
// held once the window is released, and the window still following the host right after
// the line in which the fault fired, its rows in the frame its frame button names.
//
// Each run starts from an empty preference store in memory, so that every run is the clean
// run up to its fault. A fault while a window is being made or released (loading, a
// `restart` line) may leave that window inert by the plug-in's contract; the run then makes
// the window again and the new one must work.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "runner_session.h"
#include "script_syntax.h"

namespace runner {

struct sweep_failure {
    long call;              // the host call that threw, 1-based from loading the plug-in
    std::string operation;  // its host operation, e.g. "get_active_shape"
    std::string place;      // "tour.vxs:12 \"click App.\"", "loading the plug-in", ...
    std::string problem;    // the failure as the run printed it
};

struct sweep_result {
    long calls = 0;                    // host calls of the clean run; each was made to throw
    std::set<std::string> operations;  // the host operations among them
    // Of calls, those on the text fields' text objects. On Windows the text field talks to
    // a rich edit control with the system's own messages instead, which are no host calls.
    long text_object_calls = 0;
    long construction_faults = 0;      // host::faults that hit the making or release of a window
    std::string probe_shape;           // the shape the busy check moves; "" when none
    std::vector<std::string> clean_failures;  // what failed without any fault
    std::vector<sweep_failure> failures;
    bool ok() const { return clean_failures.empty() && failures.empty(); }
};

// Sweeps every host call of the script on the scene. options give the module and the
// language; their prefs_file, view, keep_going and fail_call are set by the sweep.
// progress, when given, is told each call number before its run.
sweep_result fault_sweep(runner_options const& options, std::string const& scene_path,
                         script::script const& actions,
                         std::function<void(long call, long calls)> const& progress = {});

// What a window's box shows as a number: a host number box's value, or a text field's
// text read as a number (NaN when it holds none).
double shown_number(host::window_state const& window, int row, int axis);

}  // namespace runner
