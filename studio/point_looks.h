// How the scene view tells the host's point roles apart: the look it draws each with, and
// a handle's number as the host's edits take it.
#pragma once

#include "scene/shape_points.h"
#include "scene_view.h"

namespace studio {

// How the view draws a point of each role.
inline scene_point::role look_of(host::point_role r) {
    switch (r) {
    case host::point_role::anchor: return scene_point::role::anchor;
    case host::point_role::in_handle:
    case host::point_role::out_handle:
    case host::point_role::l_in_handle:
    case host::point_role::l_out_handle: return scene_point::role::handle;
    case host::point_role::vertex: return scene_point::role::vertex;
    case host::point_role::center: return scene_point::role::center;
    case host::point_role::joint_first:
    case host::point_role::joint_end: return scene_point::role::joint;
    case host::point_role::pivot: return scene_point::role::pivot;
    case host::point_role::eye: return scene_point::role::eye;
    case host::point_role::target: return scene_point::role::target;
    }
    return scene_point::role::anchor;
}

// A handle's number (1 In, 2 Out, 3 L in, 4 L out); 0 for any other point.
inline int handle_number(host::point_role r) {
    switch (r) {
    case host::point_role::in_handle: return 1;
    case host::point_role::out_handle: return 2;
    case host::point_role::l_in_handle: return 3;
    case host::point_role::l_out_handle: return 4;
    default: return 0;
    }
}

}  // namespace studio
