// Reading the position of one point of the wrapped shape, in its local or the world frame.
#include "camera_session.h"
#include "counted_ref.h"
#include "point_arithmetic.h"
#include "required_view.h"
#include "shape_class.h"

namespace {

// A point held by a vertex or a control point: read locally, converted with the
// element's own frame.
template <class Element>
vec3 read_element(Shape_class& wrapper, shape_class& holder, Element& element, bool world) {
    vec3 p = element.get_point_position();
    return world ? p * wrapper.get_world(holder, element) : p;
}

vec3 read_mesh_vertex(Shape_class& wrapper, shape_class& mesh, int index, bool world) {
    return read_element(wrapper, mesh, require(require(mesh.as_polygon_mesh()).vertex_at(index)),
                        world);
}

vec3 read_control_point(Shape_class& wrapper, shape_class& line, int index, bool world) {
    return read_element(wrapper, line, require(line.control_point_at(index)), world);
}

vec3 read_part_point(Shape_class& wrapper, int index, bool world) {
    shape_class* holder = wrapper.substance_shape(&index);
    if (holder == nullptr) return invalid_position();
    switch (holder->get_object_kind()) {
    case kind_polygon_mesh: return read_mesh_vertex(wrapper, *holder, index, world);
    case kind_line: return read_control_point(wrapper, *holder, index, world);
    default: return invalid_position();  // a sphere, light, joint... inside a part
    }
}

// The local value of a shape's fixed point; index 0 is the first point (or the only one).
vec3 read_fixed_point(shape_class& shape, int type, int index) {
    switch (type) {
    case rotator_joint:
    case scale_joint: {
        // The second point is an axis vector from the first: the end point is their sum.
        counted_ref<joint_interface> joint(type == rotator_joint ? shape.rotator_joint()
                                                                 : shape.scale_joint());
        vec3 first = joint->get_first_point();
        return index == 0 ? first : add(first, joint->get_second_point());
    }
    case slider_joint: {
        counted_ref<joint_interface> joint(shape.slider_joint());
        return index == 0 ? joint->get_first_point() : joint->get_second_point();
    }
    case uniscale_joint: {
        counted_ref<joint_interface> joint(shape.uniscale_joint());
        return joint->get_first_point();
    }
    case ball_joint: {
        counted_ref<joint_interface> joint(shape.ball_joint());
        return joint->get_pivot();
    }
    case camera_joint: {
        camera_session session(shape, camera_session::reading);
        vec3 p = index == 0 ? session.camera().get_eye() : session.camera().get_target();
        session.close();
        return p;
    }
    case light_shape: return require(shape.as_light()).get_center();
    case sphere_shape: return require(shape.as_sphere()).get_center();
    case disk_shape: return require(shape.as_disk()).get_center();
    default: return invalid_position();  // a type without points of its own
    }
}

vec3 read_position(Shape_class& wrapper, int index, bool world) {
    shape_class& shape = *wrapper.shape;
    switch (wrapper.object_type) {
    case simple_part:
    case surface_part:
    case link_part: return read_part_point(wrapper, index, world);
    case line_shape: return read_control_point(wrapper, shape, index, world);
    case polygon_mesh: return read_mesh_vertex(wrapper, shape, index, world);
    default: {
        vec3 p = read_fixed_point(shape, wrapper.object_type, index);
        if (is_invalid_position(p)) return p;
        return world ? p * wrapper.get_world(shape) : p;
    }
    }
}

}  // namespace

vec3 Shape_class::get_position(int index, bool world) {
    if (shape == nullptr) return invalid_position();
    try {
        vec3 p = read_position(*this, index, world);
        // A NaN or infinity (a host value, or a frame with a zero scale) is no position:
        // callers see the one failure value.
        return is_finite(p) ? p : invalid_position();
    } catch (...) {
        return invalid_position();
    }
}
