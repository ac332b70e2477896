// A script's `marks`: the marking requests the host's marking component received, one
// line of JSON each, in the order received:
//   {"marks": "curve", "operation": 3, "target": 1, "count": 2, "indices": [0, 2], "flag": true}
// "marks" is the marked shape's path, null when the shape was no longer in any scene the
// runner opened by the time the request was collected; indices is empty for a clear
// (operation 0), whose index pointer carries no meaning. The keys and their order are a
// public interface, like the dump's.
#pragma once

#include <nlohmann/json.hpp>

#include "session/collected_mark.h"

namespace script {

nlohmann::ordered_json mark_line(host::collected_mark const& mark);

}  // namespace script
