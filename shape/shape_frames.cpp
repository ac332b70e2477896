// Coordinate frames: the matrix taking an element's local coordinates to world coordinates
// and back. An element bound to a skin carries its own matrix, which replaces the shape's.
#include "required_view.h"
#include "shape_class.h"

namespace {

mat4 world_of(shape_class& s, skin_class& skin) {
    return skin.is_skinned() != 0 ? skin.get_skin_matrix() : s.get_world_matrix();
}

// The shape's own inverse comes from the host; only a skin matrix is inverted here.
mat4 local_of(shape_class& s, skin_class& skin) {
    return skin.is_skinned() != 0 ? reverse_matrix(skin.get_skin_matrix())
                                  : s.get_world_to_local_matrix();
}

}  // namespace

mat4 Shape_class::get_world(shape_class& s, vertex_class& v) {
    return world_of(s, require(v.get_skin()));
}

mat4 Shape_class::get_world(shape_class& s, control_point_class& cp) {
    return world_of(s, require(cp.get_skin()));
}

mat4 Shape_class::get_world(shape_class& s) { return world_of(s, require(s.get_skin())); }

mat4 Shape_class::get_local(shape_class& s, vertex_class& v) {
    return local_of(s, require(v.get_skin()));
}

mat4 Shape_class::get_local(shape_class& s, control_point_class& cp) {
    return local_of(s, require(cp.get_skin()));
}

mat4 Shape_class::get_local(shape_class& s) { return local_of(s, require(s.get_skin())); }

mat4 Shape_class::get_local(shape_class& s, int index) {
    // The wrapper decides: inside a Simple or Link part the holding shapes convert as
    // whole shapes, a Surface part per control point.
    if (!has_variable_points()) return get_local(s);
    if (s.get_object_kind() == kind_polygon_mesh)
        return get_local(s, require(require(s.as_polygon_mesh()).vertex_at(index)));
    return get_local(s, require(s.control_point_at(index)));
}

mat4 Shape_class::get_world(shape_class& s, int index) {
    if (!has_variable_points()) return get_world(s);
    if (s.get_object_kind() == kind_polygon_mesh)
        return get_world(s, require(require(s.as_polygon_mesh()).vertex_at(index)));
    return get_world(s, require(s.control_point_at(index)));
}

mat4 Shape_class::world_matrix(int index) {
    shape_class* holder = shape;
    if (object_type == simple_part || object_type == surface_part || object_type == link_part)
        holder = substance_shape(&index);
    return get_world(require(holder), index);
}

mat4 Shape_class::local_matrix(int index) {
    try {
        shape_class* holder = shape;
        if (object_type == simple_part || object_type == surface_part || object_type == link_part)
            holder = substance_shape(&index);
        if (holder == nullptr) return mat4::identity;
        return get_local(*holder, index);
    } catch (...) {
        return mat4::identity;
    }
}
