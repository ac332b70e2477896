// A marking request as a front end keeps it: with the path of its shape, resolved while the
// shape still existed (null when it was in no scene the session opened).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "services/marking_component.h"

class shape_class;

namespace host {

class scene_model;

struct collected_mark {
    std::optional<std::string> path;
    mark_request request;
};

// The path of shape in the first of scenes that holds it, or nothing.
std::optional<std::string> path_in(std::vector<scene_model const*> const& scenes,
                                   shape_class const* shape);

}  // namespace host
