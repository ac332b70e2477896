// The runner's `marks`: the marking requests the host's marking component received, one
// line of JSON each, in the order received:
//   {"marks": "curve", "operation": 3, "target": 1, "count": 2, "indices": [0, 2], "flag": true}
// "marks" is the marked shape's path, null when the shape was no longer in any scene the
// runner opened by the time the request was collected; indices is empty for a clear
// (operation 0), whose index pointer carries no meaning. The keys and their order are a
// public interface, like the dump's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "services/marking_component.h"

namespace host {

class scene_model;

// A request with the path of its shape, resolved while the shape still existed.
struct collected_mark {
    std::optional<std::string> path;
    mark_request request;
};

// The path of shape in the first of scenes that holds it, or nothing.
std::optional<std::string> path_in(std::vector<scene_model const*> const& scenes,
                                   shape_class const* shape);

nlohmann::ordered_json mark_line(collected_mark const& mark);

}  // namespace host
