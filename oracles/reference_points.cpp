#include "reference_points.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "shape_kind_ids.h"

namespace oracles {

using host::dmat4;
using host::shape_node;

double length(dvec3 const& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

std::string text(dvec3 const& v) {
    std::ostringstream s;
    s.precision(9);
    s << "(" << v.x << ", " << v.y << ", " << v.z << ")";
    return s.str();
}

double magnitude(dvec3 const& v) { return std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)}); }

dvec3 transform(dvec3 const& p, dmat4 const& m) {
    double v[3];
    for (int c = 0; c < 3; ++c) v[c] = p.x * m.m[0][c] + p.y * m.m[1][c] + p.z * m.m[2][c] + m.m[3][c];
    return {v[0], v[1], v[2]};
}

bool same_block(mat4 const& a, mat4 const& b) {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (!(a.m[r][c] == b.m[r][c])) return false;
    return true;
}

dmat4 inverse(dmat4 const& m) {
    // The 3x3 block by its cofactors, the translation moved back through it: exact enough
    // whatever the size of the translation, which a general elimination is not.
    double const(*a)[4] = m.m;
    double c[3][3];
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k) {
            int r1 = (r + 1) % 3, r2 = (r + 2) % 3, k1 = (k + 1) % 3, k2 = (k + 2) % 3;
            c[r][k] = a[r1][k1] * a[r2][k2] - a[r1][k2] * a[r2][k1];
        }
    double det = a[0][0] * c[0][0] + a[0][1] * c[0][1] + a[0][2] * c[0][2];
    dmat4 out = host::identity_dmat4();
    if (det == 0) return out;
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k) out.m[r][k] = c[k][r] / det;
    for (int k = 0; k < 3; ++k)
        out.m[3][k] = -(a[3][0] * out.m[0][k] + a[3][1] * out.m[1][k] + a[3][2] * out.m[2][k]);
    return out;
}

double gain(dmat4 const& m) {
    double g = 0;
    for (int i = 0; i < 3; ++i) {
        double row = 0, column = 0;
        for (int j = 0; j < 3; ++j) {
            row += std::fabs(m.m[i][j]);
            column += std::fabs(m.m[j][i]);
        }
        g = std::max({g, row, column});
    }
    return g;
}

double shift(dmat4 const& m) {
    return std::max({std::fabs(m.m[3][0]), std::fabs(m.m[3][1]), std::fabs(m.m[3][2])});
}

namespace {

bool is_part(shape_node const& s, int part_kind) {
    return s.object_kind() == kind_part && s.part_kind() == part_kind;
}

dmat4 skin_or(host::skin_data const& skin, shape_node const& shape) {
    return skin.skinned ? host::to_double(skin.matrix) : shape.world_matrix();
}

}  // namespace

point_kind kind_of(shape_node const& shape) {
    switch (shape.object_kind()) {
    case kind_line: return point_kind::control_points;
    case kind_polygon_mesh: return point_kind::vertices;
    case kind_light:
    case kind_sphere:
    case kind_disk: return point_kind::one_fixed;
    case kind_part: break;
    default: return point_kind::none;
    }
    switch (shape.part_kind()) {
    case part_surface: return point_kind::control_points;
    case part_rotator:
    case part_slider:
    case part_scale:
    case part_camera: return point_kind::two_fixed;
    case part_uniscale:
    case part_ball: return point_kind::one_fixed;
    default: return point_kind::none;
    }
}

bool is_surface_part(shape_node const& shape) { return is_part(shape, part_surface); }
bool is_line(shape_node const& shape) { return shape.object_kind() == kind_line; }
bool is_camera_joint(shape_node const& shape) { return is_part(shape, part_camera); }

int count_points(shape_node const& shape) {
    switch (shape.object_kind()) {
    case kind_line: return static_cast<int>(shape.geometry.points.size());
    case kind_polygon_mesh: return static_cast<int>(shape.geometry.vertices.size());
    case kind_part: break;
    default: return 1;
    }
    if (shape.part_kind() == part_link) return 0;
    int sum = 0;
    for (auto const& child : shape.children()) sum += count_points(*child);
    return sum;
}

std::optional<held_index> resolve(shape_node& part, int index) {
    if (index < 0) return std::nullopt;
    if (part.object_kind() != kind_part) {
        if (index < count_points(part)) return held_index{&part, index};
        return std::nullopt;
    }
    for (auto const& child : part.children()) {
        int n = count_points(*child);
        if (index < n) return resolve(*child, index);
        index -= n;
    }
    return std::nullopt;
}

int points_before(shape_node const& part, shape_node const& line) {
    int before = 0;
    for (auto const& child : part.children()) {
        if (child.get() == &line) return before;
        before += count_points(*child);
    }
    return -1;
}

int first_active_point(shape_node const& shape) {
    bool simple = is_part(shape, part_simple);
    bool listed = kind_of(shape) == point_kind::control_points || kind_of(shape) == point_kind::vertices;
    if (!simple && !(listed && count_points(shape) > 0)) return -1;
    return shape.active_points.empty() ? -1 : shape.active_points.front();
}

std::optional<control_point_ref> control_point(shape_node& shape, int index) {
    std::optional<held_index> held = resolve(shape, index);
    if (!held || !is_line(*held->shape)) return std::nullopt;
    shape_node& line = *held->shape;
    host::control_point_data const& p = line.geometry.points[static_cast<std::size_t>(held->index)];
    return control_point_ref{to_dvec3(p.anchor), to_dvec3(p.in),     to_dvec3(p.out),
                             to_dvec3(p.l_in),   to_dvec3(p.l_out),  p.linked,
                             p.l_linked,         skin_or(p.skin, line), p.skin.skinned};
}

dvec3 fixed_point_value(shape_node const& shape, host::shape_geometry const& g, int index) {
    if (shape.object_kind() != kind_part) return to_dvec3(g.center);
    switch (shape.part_kind()) {
    case part_rotator:
    case part_scale: return index == 0 ? to_dvec3(g.first) : to_dvec3(g.first) + to_dvec3(g.second);
    case part_slider: return to_dvec3(index == 0 ? g.first : g.second);
    case part_ball: return to_dvec3(g.pivot);
    case part_camera: return to_dvec3(index == 0 ? g.eye : g.target);
    default: return to_dvec3(g.first);
    }
}

std::optional<framed_point> position(shape_node& shape, int index) {
    point_kind k = kind_of(shape);
    if (k == point_kind::one_fixed || k == point_kind::two_fixed) {
        // A rotator and a slider have no point but 0 and 1.
        bool two_only = shape.part_kind() == part_rotator || shape.part_kind() == part_slider;
        if (two_only && index != 0 && index != 1) return std::nullopt;
        host::skin_data const& skin = shape.geometry.skin;
        return framed_point{fixed_point_value(shape, shape.geometry, index), skin_or(skin, shape), skin.skinned};
    }
    std::optional<held_index> held = resolve(shape, index);
    if (!held) return std::nullopt;
    shape_node& holder = *held->shape;
    std::size_t i = static_cast<std::size_t>(held->index);
    if (is_line(holder)) {
        host::control_point_data const& p = holder.geometry.points[i];
        return framed_point{to_dvec3(p.anchor), skin_or(p.skin, holder), p.skin.skinned};
    }
    if (holder.object_kind() == kind_polygon_mesh) {
        host::skin_data skin = holder.geometry.vertex_skin(i);
        return framed_point{to_dvec3(holder.geometry.vertices[i].position), skin_or(skin, holder),
                            skin.skinned};
    }
    return std::nullopt;
}

}  // namespace oracles
