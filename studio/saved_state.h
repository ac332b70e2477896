// The scene's content as it was last opened or saved: every shape (its place in the tree,
// name, flags, link and geometry) and the figure unit. The studio's modified mark is
// whether the scene still matches it, so an edit that changes nothing leaves the mark off
// and undoing back to the saved state clears it.
#pragma once

#include <string>
#include <vector>

#include "scene/scene_model.h"

namespace studio {

class saved_state {
public:
    // Keeps a copy of what a save of scene would hold.
    void take(host::scene_model const& scene);
    // Whether scene holds exactly, bit for bit, what was taken.
    bool matches(host::scene_model const& scene) const;

private:
    struct saved_shape {
        host::shape_node const* node;  // identity only
        std::string path;
        bool modifiable;
        bool surface_direction;
        host::shape_node const* link_to;
        host::shape_geometry geometry;
    };
    std::vector<saved_shape> shapes;
    float unit = 1;
};

}  // namespace studio
