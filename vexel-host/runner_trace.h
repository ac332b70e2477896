// The runner's `trace`: the host calls the plug-in made while the call record was on
// (`trace on` ... `trace off`), one line of JSON each, in the order made:
//   {"trace": "scene.begin_undo_record", "shape": "curve", "args": [1, true, false, 0]}
// "shape" is the path of the shape the call is about (the first shape of an undo record,
// the owner of a control point or vertex), null for a call about no shape or a shape that
// was no longer in any scene the runner opened by the end of the line that made the call;
// "args" are the values the call was given: integers, floats (a point as three, a matrix as
// sixteen), flags and texts; pointers to host objects are left out. Calls the front end
// makes itself (a dragged frame) are not recorded. The keys and their order are a public
// interface, like the dump's.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "checks/host_checks.h"
#include "runner_script.h"

namespace host {

class scene_model;

// A recorded call with the path of its shape, resolved while the shape still existed.
struct collected_call {
    std::optional<std::string> path;
    traced_call call;
};

// Takes the calls recorded since the last collection, with their shapes' paths in scenes.
void collect_calls(std::vector<scene_model const*> const& scenes,
                   std::vector<collected_call>& into);

nlohmann::ordered_json trace_line(collected_call const& call);

// A `trace` line: "on" and "off" switch the record; alone, the calls collected since the
// last `trace` are printed to out and forgotten. Collect first.
void play_trace(script_action const& action, std::vector<collected_call>& since,
                std::ostream& out);

// Keeps the front end's own host calls out of the call record while it lives.
class unrecorded_calls {
public:
    unrecorded_calls() : was_on(faults().recording_calls()) { faults().record_calls(false); }
    ~unrecorded_calls() { faults().record_calls(was_on); }
    unrecorded_calls(unrecorded_calls const&) = delete;
    unrecorded_calls& operator=(unrecorded_calls const&) = delete;

private:
    bool was_on;
};

}  // namespace host
