// A host call from the call record as a front end keeps it: with the path of the shape the
// call is about, resolved while the shape still existed (null for a call about no shape or
// a shape in no scene the session opened).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checks/host_checks.h"

namespace host {

class scene_model;

struct collected_call {
    std::optional<std::string> path;
    traced_call call;
};

// Takes the calls recorded since the last collection, with their shapes' paths in scenes.
void collect_calls(std::vector<scene_model const*> const& scenes,
                   std::vector<collected_call>& into);

// Keeps the front end's own host calls out of the call record, and from setting off a
// `during` hook, while it lives.
class unrecorded_calls {
public:
    unrecorded_calls() : was_on(faults().recording_calls()) {
        faults().record_calls(false);
        faults().hold_hook(true);
    }
    ~unrecorded_calls() {
        faults().record_calls(was_on);
        faults().hold_hook(false);
    }
    unrecorded_calls(unrecorded_calls const&) = delete;
    unrecorded_calls& operator=(unrecorded_calls const&) = delete;

private:
    bool was_on;
};

}  // namespace host
