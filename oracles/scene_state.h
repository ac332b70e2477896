// A copy of everything a scene's shapes hold (matrices, skins, control points with their
// handles and flags, vertices, centres, joint points), taken before an action to compare
// with what the action left: bit for bit, or bit for bit except named parts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scene/scene_model.h"

namespace oracles {

struct shape_copy {
    host::shape_node* node;
    std::shared_ptr<host::shape_node*> alive;  // null once the shape is freed
    std::string path;
    host::shape_geometry geometry;
};

struct scene_state {
    host::scene_model const* scene = nullptr;
    std::vector<shape_copy> shapes;  // pre-order

    static scene_state of(host::scene_model const& scene);
    // The copy of node, or null.
    shape_copy const* find(host::shape_node const* node) const;
};

// What an action may change without it counting as a difference.
struct allowance {
    enum what { point, fixed_points, matrix } kind;
    host::shape_node const* shape;
    int index;  // point: the control point or vertex
};

// Every difference between before and after outside the allowances, one line each
// ("wing/l1 point 2 in: (1, 0, 0) became (1, 0.5, 0)"); values compared bit for bit. A
// shape that exists in only one of them is a difference.
std::vector<std::string> differences(scene_state const& before, scene_state const& after,
                                     std::vector<allowance> const& allowed = {});

// "(1, 2.5, -3)"
std::string vector_text(vec3 const& v);

}  // namespace oracles
