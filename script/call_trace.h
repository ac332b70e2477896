// A script's `trace`: the host calls the plug-in made while the call record was on
// (`trace on` ... `trace off`), one line of JSON each, in the order made:
//   {"trace": "scene.begin_undo_record", "shape": "curve", "args": [1, true, false, 0]}
// "shape" is the path of the shape the call is about (the first shape of an undo record,
// the owner of a control point or vertex), null for a call about no shape or a shape that
// was no longer in any scene the session opened by the end of the line that made the call;
// "args" are the values the call was given: integers, floats (a point as three, a matrix as
// sixteen), flags and texts; pointers to host objects are left out. Calls the front end
// makes itself (a dragged frame) are not recorded. The keys and their order are a public
// interface, like the dump's. "call" is the host call's number as --fail-call counts it.
//
// Two more kinds of line come in the same order:
//   {"reference": "Release", "object": "scene", "shape": null, "count": 0}
// an AddRef or Release the plug-in made on a counted host object (its kind, the shape it is
// about, the references held after it; not a host call, so no number), and
//   {"notification": "shapes_modified", "during": "scene.begin_undo_record"}
// a notification the host sent, armed by `during`, just before answering that host call
// ("shapes_being_deleted" for `during OPERATION delete PATH`, the deletion's notification).
#pragma once

#include <nlohmann/json.hpp>

#include "session/collected_call.h"

namespace script {

nlohmann::ordered_json trace_line(host::collected_call const& call);

}  // namespace script
