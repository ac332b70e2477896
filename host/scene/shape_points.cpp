#include "scene/shape_points.h"

namespace host {

bool move_shape_point(shape_node& shape, int index, vec3 const& p, int handle) {
    auto& g = shape.geometry;
    std::size_t const i = static_cast<std::size_t>(index);
    if (index < 0 || (handle != 0 && shape.object_kind() != kind_line)) return false;
    switch (shape.object_kind()) {
    case kind_line: {
        if (i >= g.points.size() || handle < 0 || handle > 4) return false;
        auto& cp = g.points[i];
        vec3* handles[] = {&cp.in, &cp.out, &cp.l_in, &cp.l_out};
        if (handle > 0) {
            *handles[handle - 1] = p;
            return true;
        }
        vec3 d = subtract(p, cp.anchor);
        for (vec3* v : handles) *v = add(*v, d);
        cp.anchor = p;
        return true;
    }
    case kind_polygon_mesh:
        if (i >= g.vertices.size()) return false;
        g.vertices[i].position = p;
        return true;
    default: break;
    }
    // The other shapes keep one or two points, or none.
    int count = 0;
    for_each_point(shape, [&](shape_point const& q) { count = q.index + 1; });
    if (index >= count) return false;
    if (!shape.is_part()) {
        g.center = p;  // a light, sphere or disk
        return true;
    }
    switch (shape.part_kind()) {
    case part_rotator:
    case part_scale:
        if (index == 0) {
            vec3 end = add(g.first, g.second);
            g.first = p;
            g.second = subtract(end, p);
        } else {
            g.second = subtract(p, g.first);
        }
        return true;
    case part_slider: (index == 0 ? g.first : g.second) = p; return true;
    case part_uniscale: g.first = p; return true;
    case part_ball: g.pivot = p; return true;
    default: (index == 0 ? g.eye : g.target) = p; return true;  // the camera
    }
}

}  // namespace host
