// What a write of the shown point ("App.") must leave in the scene: each position of the
// point (a control point's anchor and four handles, a vertex, a joint's two points, a
// centre or pivot) within a bound of an expected value, the link flags as expected, the
// shapes linked to a joint translated with its first point, and nothing else changed.
#pragma once

#include <string>
#include <vector>

#include "reference_points.h"
#include "scene_state.h"
#include "shown_frame.h"

namespace oracles {

struct position_expectation {
    bool check = false;
    dvec3 local{0, 0, 0};  // in the element's frame
    double bound = 0;      // per component, in the element's frame
    char const* what = "";
    // A handle shown as a length whose partner showed no direction: only its distance from
    // the anchor (in the shown frame) is known; it may also sit on the anchor.
    bool length_only = false;
    double length = 0;
};

struct point_expectation {
    host::shape_node* shape = nullptr;  // the shown shape; null: no point may change
    int index = -1;                     // the shown point
    point_kind kind = point_kind::none;
    shown_frame frame;                  // the frame the rows show
    position_expectation positions[5];  // control point: anchor, In, Out, L in, L out;
                                        // vertex, one-point shape: [0]; two points: [0], [1]
    int flags[2] = {-1, -1};            // linked, l_linked: 1 set, 0 clear, -1 not checked
    // The shapes a joint drags along when its first point moves: their matrices may only
    // be translated by that move.
    std::vector<host::shape_node*> dragged;
};

// The shapes moved with shape's first point (the joint and skin extension lists; a part in
// the skin list through its direct children).
std::vector<host::shape_node*> dragged_shapes(host::shape_node& shape);

// Everything wrong in after against the expectation, one line each, prefixed by context.
std::vector<std::string> check_write(point_expectation const& expected, scene_state const& before,
                                     scene_state const& after, std::string const& context);

// "curve point 1", "ball"
std::string point_name(host::shape_node const& shape, int index);

}  // namespace oracles
