// Writing the position of one point of the wrapped shape, given in its local or the world
// frame. A write that cannot be done, or that would hand the host a NaN or an infinity,
// is skipped: the host never receives a non-finite coordinate.
#include "camera_session.h"
#include "counted_ref.h"
#include "linked_shapes.h"
#include "point_arithmetic.h"
#include "required_view.h"
#include "shape_class.h"

namespace {

template <class Element>
void write_element(Shape_class& wrapper, shape_class& holder, Element& element, vec3 const& v,
                   bool world) {
    vec3 p = world ? v * wrapper.get_local(holder, element) : v;
    if (is_finite(p)) element.set_point_position(p);
}

void write_mesh_vertex(Shape_class& wrapper, shape_class& mesh, int index, vec3 const& v,
                       bool world) {
    write_element(wrapper, mesh, require(require(mesh.as_polygon_mesh()).vertex_at(index)), v,
                  world);
}

void write_control_point(Shape_class& wrapper, shape_class& line, int index, vec3 const& v,
                         bool world) {
    write_element(wrapper, line, require(line.control_point_at(index)), v, world);
}

void write_part_point(Shape_class& wrapper, int index, vec3 const& v, bool world) {
    shape_class* holder = wrapper.substance_shape(&index);
    if (holder == nullptr) return;
    switch (holder->get_object_kind()) {
    case kind_polygon_mesh: write_mesh_vertex(wrapper, *holder, index, v, world); break;
    case kind_line: write_control_point(wrapper, *holder, index, v, world); break;
    default: break;  // no single point to write inside a part
    }
}

// Rotator and scale joints store the second point as an axis vector from the first.
void write_axis_joint(Shape_class& wrapper, joint_interface& joint, int index, vec3 const& p) {
    vec3 first = joint.get_first_point();
    if (index != 0) {
        vec3 axis = subtract(p, first);
        if (is_finite(axis)) joint.set_second_point(axis);
        return;
    }
    // Moving the first point keeps the end point where it was.
    vec3 end = add(first, joint.get_second_point());
    vec3 axis = subtract(end, p);
    if (!is_finite(axis) || !drag_linked_shapes(wrapper, p)) return;
    joint.set_first_point(p);
    joint.set_second_point(axis);
}

// Types with fixed points: joints, lights, spheres and disks. p is in the shape's frame.
void write_fixed_point(Shape_class& wrapper, int index, vec3 const& p) {
    shape_class& shape = *wrapper.shape;
    int type = wrapper.object_type;
    if (type == rotator_joint || type == scale_joint) {
        counted_ref<joint_interface> joint(type == rotator_joint ? shape.rotator_joint()
                                                                 : shape.scale_joint());
        write_axis_joint(wrapper, *joint, index, p);
        return;
    }
    // Linked shapes follow point 0. A second point (a slider's end, a camera's target)
    // moves alone: point 0 stays, so nothing linked to it moves either.
    bool second_point = wrapper.fixed_point_number == 2 && index != 0;
    if (!second_point && !drag_linked_shapes(wrapper, p)) return;
    switch (type) {
    case slider_joint: {
        counted_ref<joint_interface> joint(shape.slider_joint());
        if (second_point)
            joint->set_second_point(p);  // the end point itself
        else
            joint->set_first_point(p);
        break;
    }
    case uniscale_joint: {
        counted_ref<joint_interface> joint(shape.uniscale_joint());
        joint->set_first_point(p);
        break;
    }
    case ball_joint: {
        counted_ref<joint_interface> joint(shape.ball_joint());
        joint->set_pivot(p);
        break;
    }
    case camera_joint: {
        camera_session session(shape, camera_session::writing);
        if (second_point)
            session.camera().set_target(p);
        else
            session.camera().set_eye(p);
        session.close();
        break;
    }
    case light_shape: require(shape.as_light()).set_center(p); break;
    case sphere_shape: require(shape.as_sphere()).set_center(p); break;
    case disk_shape: require(shape.as_disk()).set_center(p); break;
    default: break;
    }
}

}  // namespace

void Shape_class::set_position(int index, vec3 const& v, bool world) {
    if (shape == nullptr) return;
    try {
        switch (object_type) {
        case simple_part:
        case surface_part:
        case link_part: write_part_point(*this, index, v, world); return;
        case line_shape: write_control_point(*this, *shape, index, v, world); return;
        case polygon_mesh: write_mesh_vertex(*this, *shape, index, v, world); return;
        default: break;
        }
        // A type without points of its own has nothing to write.
        if (fixed_point_number <= 0) return;
        vec3 p = world ? v * get_local(*shape) : v;
        if (is_finite(p)) write_fixed_point(*this, index, p);
    } catch (...) {
        // The write stops where the host failed; what was written stays written.
    }
}

bool Shape_class::may_write(int index) const {
    if (shape == nullptr || !shape->is_modifiable()) return false;
    bool numbers_children = object_type == simple_part || object_type == surface_part ||
                            object_type == link_part;
    if (index < 0 || !numbers_children) return true;
    shape_class* holder = substance_shape(&index);
    return holder == nullptr || holder == shape || holder->is_modifiable();
}
