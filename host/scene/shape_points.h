// Which points a shape keeps, in the order of its own numbering, and in which frame each
// is kept. The one description of a shape's points: the dump, the scene file's checks, the
// host-side edits and the studio's view all read it.
#pragma once

#include "point_arithmetic.h"
#include "scene/scene_matrix.h"
#include "scene/shape_node.h"

namespace host {

enum class point_role {
    anchor,        // a control point's own position
    in_handle,     // its four handles, in this order after the anchor
    out_handle,
    l_in_handle,
    l_out_handle,
    vertex,
    center,        // a light's, sphere's or disk's
    joint_first,   // a rotator's, scale's or slider's first point
    joint_end,     // its end point (a rotator's or scale's: first point plus axis)
    pivot,         // a uniscale or ball joint's
    eye,           // a camera joint's
    target,
};

inline bool is_handle(point_role r) {
    return r == point_role::in_handle || r == point_role::out_handle ||
           r == point_role::l_in_handle || r == point_role::l_out_handle;
}

struct shape_point {
    int index;          // the point's number in its shape, what move_shape_point takes
    point_role role;
    vec3 position;      // as the shape keeps it
    mat4 const* skin;   // the skin matrix position is kept in; null: the shape's world frame
};

// The world position of p, for a shape whose world matrix is chain.
inline vec3 world_position(shape_point const& p, dmat4 const& chain) {
    return p.skin ? transform(p.position, to_double(*p.skin)) : transform(p.position, chain);
}

// The frame p is kept in, local to world.
inline dmat4 point_frame(shape_point const& p, dmat4 const& chain) {
    return p.skin ? to_double(*p.skin) : chain;
}

// Calls visit(shape_point const&) for every point shape keeps itself: each control point
// of a line (anchor, then In, Out, L in, L out, all in the control point's skin if it has
// one), each vertex of a mesh (in its own skin if any), the centre of a light, sphere or
// disk, and a joint part's points (first and end, pivot, eye and target). Those last ones
// are in the shape's skin if it has one. Any other shape, and any other part, keeps none:
// a part's points are its children's.
template <class Visit>
void for_each_point(shape_node const& shape, Visit&& visit) {
    auto const& g = shape.geometry;
    mat4 const* own = g.skin.skinned ? &g.skin.matrix : nullptr;
    auto one = [&](int index, point_role role, vec3 const& p) { visit(shape_point{index, role, p, own}); };
    switch (shape.object_kind()) {
    case kind_line:
        for (std::size_t i = 0; i < g.points.size(); ++i) {
            auto const& cp = g.points[i];
            mat4 const* skin = cp.skin.skinned ? &cp.skin.matrix : nullptr;
            int n = static_cast<int>(i);
            visit(shape_point{n, point_role::anchor, cp.anchor, skin});
            visit(shape_point{n, point_role::in_handle, cp.in, skin});
            visit(shape_point{n, point_role::out_handle, cp.out, skin});
            visit(shape_point{n, point_role::l_in_handle, cp.l_in, skin});
            visit(shape_point{n, point_role::l_out_handle, cp.l_out, skin});
        }
        return;
    case kind_polygon_mesh:
        for (std::size_t i = 0; i < g.vertices.size(); ++i) {
            int k = g.vertices[i].skin;
            visit(shape_point{static_cast<int>(i), point_role::vertex, g.vertices[i].position,
                              k < 0 ? nullptr : &g.vertex_skins[static_cast<std::size_t>(k)]});
        }
        return;
    case kind_light:
    case kind_sphere:
    case kind_disk: one(0, point_role::center, g.center); return;
    case kind_part: break;
    default: return;
    }
    switch (shape.part_kind()) {
    case part_rotator:
    case part_scale:
        one(0, point_role::joint_first, g.first);
        one(1, point_role::joint_end, add(g.first, g.second));
        return;
    case part_slider:
        one(0, point_role::joint_first, g.first);
        one(1, point_role::joint_end, g.second);
        return;
    case part_uniscale: one(0, point_role::pivot, g.first); return;
    case part_ball: one(0, point_role::pivot, g.pivot); return;
    case part_camera:
        one(0, point_role::eye, g.eye);
        one(1, point_role::target, g.target);
        return;
    default: return;
    }
}

// Moves point index of shape (its own numbering, as for_each_point gives it) to p, in
// the point's frame: an anchor takes its four handles along (a drag in a host), a
// rotator's or scale's first point leaves the end point where it is. handle 1 to 4 (In,
// Out, L in, L out) moves that handle of control point index alone instead. False, and
// nothing changed, when shape keeps no such point or handle.
bool move_shape_point(shape_node& shape, int index, vec3 const& p, int handle = 0);

}  // namespace host
