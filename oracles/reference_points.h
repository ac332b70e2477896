// The points of a scene as the window's contract defines them, read from the reference
// host's own model of the scene (never through the plug-in): which shape holds a flat index,
// what a point's position is in its element's frame, and that frame's matrix. Everything
// is computed in double precision from the stored single-precision values, so it is a
// reference the plug-in's single-precision arithmetic is measured against.
#pragma once

#include <optional>
#include <string>

#include "scene/scene_matrix.h"
#include "scene/shape_node.h"

namespace oracles {

struct dvec3 {
    double x, y, z;
};

inline dvec3 to_dvec3(vec3 const& p) { return {p.x, p.y, p.z}; }
inline dvec3 operator+(dvec3 a, dvec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline dvec3 operator-(dvec3 a, dvec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline dvec3 operator*(dvec3 a, double f) { return {a.x * f, a.y * f, a.z * f}; }
inline double component(dvec3 const& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
double length(dvec3 const& v);
// The largest absolute component.
double magnitude(dvec3 const& v);
// As the checks' messages show it: "(1.5, -2, 0.333333333)", nine digits.
std::string text(dvec3 const& v);

// p * m with w = 1 (the scene's matrices are affine).
dvec3 transform(dvec3 const& p, host::dmat4 const& m);
// Whether two matrices have the same 3x3 block (turn and scale), by value: a move by a
// translation keeps it, but its arithmetic may turn a -0 into 0.
bool same_block(mat4 const& a, mat4 const& b);
// The affine inverse; the scene refuses singular matrices, so it exists.
host::dmat4 inverse(host::dmat4 const& m);
// How much the 3x3 block can stretch a vector component-wise: |p * m - t| <= gain * |p|,
// with |.| the largest absolute component.
double gain(host::dmat4 const& m);
// The largest absolute component of the translation row.
double shift(host::dmat4 const& m);

// The window's object types (the shape kinds it tells apart), from the host's kinds.
enum class point_kind { none, control_points, vertices, two_fixed, one_fixed };
// What kind of points a shape offers the window: a line or surface part its control points,
// a mesh its vertices, rotator, slider, scale and camera joints two points, uniscale and
// ball joints, lights, spheres and disks one point; anything else none.
point_kind kind_of(host::shape_node const& shape);
bool is_surface_part(host::shape_node const& shape);
bool is_line(host::shape_node const& shape);
bool is_camera_joint(host::shape_node const& shape);

// Points in the flat numbering: a line's control points, a mesh's vertices, one for any
// other shape that is not a part, the sum over a part's children (a link part: none).
int count_points(host::shape_node const& shape);
// The shape below part (or part itself when it is no part) holding flat index, and the
// index inside it; nullopt when out of range.
struct held_index {
    host::shape_node* shape;
    int index;
};
std::optional<held_index> resolve(host::shape_node& part, int index);
// The number of points a line in a surface part's numbering has before it: the points of
// the shapes before it among the part's children. -1 when line is not a child of part.
int points_before(host::shape_node const& part, host::shape_node const& line);

// The first active point the window takes: the host's first active point of a line,
// surface part or mesh with points (or of a simple part), else -1.
int first_active_point(host::shape_node const& shape);

// One point in its element's frame, with that frame's local-to-world matrix (the element's
// skin matrix when it is skinned, else its shape's world matrix).
struct framed_point {
    dvec3 local;
    host::dmat4 world;
    bool skinned;
};
// A control point: anchor, the four handles (absolute positions), both link flags.
struct control_point_ref {
    dvec3 anchor, in, out, l_in, l_out;
    bool linked, l_linked;
    host::dmat4 world;
    bool skinned;
};

// The control point flat index names in a line, surface part or simple part; nullopt
// when it names none.
std::optional<control_point_ref> control_point(host::shape_node& shape, int index);
// The local value of point index of a joint, light, sphere or disk with geometry g (a copy
// taken earlier, or its own): first or end point, eye or target, pivot, centre.
dvec3 fixed_point_value(host::shape_node const& shape, host::shape_geometry const& g, int index);

// The point the window reads for index (the anchor of a control point, a vertex, a joint's
// first or end point, a camera's eye or target, a pivot, a centre); nullopt for the
// invalid position (an index that names nothing readable).
std::optional<framed_point> position(host::shape_node& shape, int index);

}  // namespace oracles
