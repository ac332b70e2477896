#include "scene/shape_geometry.h"

#include <cstring>

namespace host {

namespace {

// vec3, mat4 and vertex_data are plain floats and ints without padding.
template <class T>
bool same_bits(T const& a, T const& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool same_skin(skin_data const& a, skin_data const& b) {
    return a.skinned == b.skinned && same_bits(a.matrix, b.matrix);
}

bool same_point(control_point_data const& a, control_point_data const& b) {
    return same_bits(a.anchor, b.anchor) && same_bits(a.in, b.in) && same_bits(a.out, b.out) &&
           same_bits(a.l_in, b.l_in) && same_bits(a.l_out, b.l_out) && a.linked == b.linked &&
           a.l_linked == b.l_linked && same_skin(a.skin, b.skin);
}

template <class T>
bool same_array(std::vector<T> const& a, std::vector<T> const& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

}  // namespace

static_assert(sizeof(vec3) == 3 * sizeof(float) && sizeof(mat4) == 16 * sizeof(float) &&
                  sizeof(vertex_data) == 4 * sizeof(float),
              "compared bytewise: no padding");

bool same_geometry(shape_geometry const& a, shape_geometry const& b) {
    if (!same_bits(a.local, b.local) || !same_skin(a.skin, b.skin) ||
        !same_array(a.vertices, b.vertices) || !same_array(a.vertex_skins, b.vertex_skins) ||
        a.points.size() != b.points.size())
        return false;
    for (std::size_t i = 0; i < a.points.size(); ++i)
        if (!same_point(a.points[i], b.points[i])) return false;
    for (auto member : {&shape_geometry::center, &shape_geometry::first, &shape_geometry::second,
                        &shape_geometry::pivot, &shape_geometry::eye, &shape_geometry::target})
        if (!same_bits(a.*member, b.*member)) return false;
    return true;
}

}  // namespace host
