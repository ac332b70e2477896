#include "scene/shape_elements.h"

#include "scene/scene_model.h"
#include "scene/shape_node.h"

namespace host {

namespace {

// The point a view stands for. The host may have removed it since the plug-in got the
// view; the view's calls then fail as any host call may.
template <class Point>
Point& still_there(std::vector<Point>& points, int index, shape_node const& owner) {
    if (index < 0 || static_cast<std::size_t>(index) >= points.size())
        throw host_error("point " + std::to_string(index) + " of " + owner.path() +
                         " was removed");
    return points[static_cast<std::size_t>(index)];
}

}  // namespace

// ---- skin records ----

skin_data skin_view::data() const {
    switch (kind) {
    case element_kind::control_point:
        return still_there(owner.geometry.points, index, owner).skin;
    case element_kind::vertex:
        still_there(owner.geometry.vertices, index, owner);
        return owner.geometry.vertex_skin(index);
    case element_kind::shape: break;
    }
    return owner.geometry.skin;
}

int skin_view::is_skinned(void*) {
    host_call("skin.is_skinned", owner.traced());
    return data().skinned ? 1 : 0;
}

mat4 skin_view::get_skin_matrix(void*) {
    host_call("skin.get_skin_matrix", owner.traced());
    return data().matrix;
}

// ---- control points ----

control_point_data& control_point_object::data() {
    return still_there(owner.geometry.points, index, owner);
}

vec3 control_point_object::read(char const* operation, vec3 control_point_data::*field) {
    host_call(operation, owner.traced());
    return data().*field;
}

void control_point_object::write(char const* operation, vec3 control_point_data::*field,
                                 vec3 const& p) {
    host_call(operation, owner.traced(), p);
    control_point_data& point = data();
    owner.scene().check_write(operation, &owner, p);
    point.*field = p;
    owner.scene().notify_modified(&owner);
}

void control_point_object::write_flag(char const* operation, bool control_point_data::*field,
                                      bool value) {
    host_call(operation, owner.traced(), value);
    data().*field = value;
    owner.scene().notify_modified(&owner);
}

vec3 control_point_object::get_point_position(void*) {
    return read("control_point.get_point_position", &control_point_data::anchor);
}
void control_point_object::set_point_position(vec3 const& p, void*) {
    write("control_point.set_point_position", &control_point_data::anchor, p);
}
vec3 control_point_object::get_in_handle(void*) {
    return read("control_point.get_in_handle", &control_point_data::in);
}
void control_point_object::set_in_handle(vec3 const& p, void*) {
    write("control_point.set_in_handle", &control_point_data::in, p);
}
vec3 control_point_object::get_out_handle(void*) {
    return read("control_point.get_out_handle", &control_point_data::out);
}
void control_point_object::set_out_handle(vec3 const& p, void*) {
    write("control_point.set_out_handle", &control_point_data::out, p);
}
vec3 control_point_object::get_l_in_handle(void*) {
    return read("control_point.get_l_in_handle", &control_point_data::l_in);
}
void control_point_object::set_l_in_handle(vec3 const& p, void*) {
    write("control_point.set_l_in_handle", &control_point_data::l_in, p);
}
vec3 control_point_object::get_l_out_handle(void*) {
    return read("control_point.get_l_out_handle", &control_point_data::l_out);
}
void control_point_object::set_l_out_handle(vec3 const& p, void*) {
    write("control_point.set_l_out_handle", &control_point_data::l_out, p);
}
bool control_point_object::get_linked(void*) {
    host_call("control_point.get_linked", owner.traced());
    return data().linked;
}
void control_point_object::set_linked(bool linked, void*) {
    write_flag("control_point.set_linked", &control_point_data::linked, linked);
}
bool control_point_object::get_l_linked(void*) {
    host_call("control_point.get_l_linked", owner.traced());
    return data().l_linked;
}
void control_point_object::set_l_linked(bool linked, void*) {
    write_flag("control_point.set_l_linked", &control_point_data::l_linked, linked);
}
skin_class* control_point_object::get_skin(void*) {
    host_call("control_point.get_skin", owner.traced());
    return &skin;
}

// ---- vertices and the mesh view ----

vec3 vertex_object::get_point_position(void*) {
    host_call("vertex.get_point_position", owner.traced());
    return still_there(owner.geometry.vertices, index, owner).position;
}

void vertex_object::set_point_position(vec3 const& p, void*) {
    host_call("vertex.set_point_position", owner.traced(), p);
    vertex_data& vertex = still_there(owner.geometry.vertices, index, owner);
    owner.scene().check_write("vertex.set_point_position", &owner, p);
    vertex.position = p;
    owner.scene().notify_modified(&owner);
}

skin_class* vertex_object::get_skin(void*) {
    host_call("vertex.get_skin", owner.traced());
    return &skin;
}

vertex_class* mesh_view::vertex_at(int index, void*) {
    host_call("mesh.vertex_at", owner.traced(), index);
    return owner.do_vertex_at(index);
}

// ---- centres ----

vec3 center_view::get_center(void*) {
    host_call("center.get_center", owner.traced());
    return owner.geometry.center;
}

void center_view::set_center(vec3 const& p, void*) {
    host_call("center.set_center", owner.traced(), p);
    owner.scene().check_write("center.set_center", &owner, p);
    owner.geometry.center = p;
    owner.scene().notify_modified(&owner);
}

// ---- cameras ----

vec3 camera_view::get_eye(void*) {
    host_call("camera.get_eye", joint ? joint->traced() : nullptr);
    return *eye;
}

void camera_view::set_eye(vec3 const& p, void*) { write("camera.set_eye", eye, p); }

vec3 camera_view::get_target(void*) {
    host_call("camera.get_target", joint ? joint->traced() : nullptr);
    return *target;
}

void camera_view::set_target(vec3 const& p, void*) { write("camera.set_target", target, p); }

void camera_view::write(char const* operation, vec3* field, vec3 const& p) {
    host_call(operation, joint ? joint->traced() : nullptr, p);
    scene.check_write(operation, joint, p);
    *field = p;
    scene.notify_modified(joint);
}

// ---- joints ----

joint_view::joint_view(shape_node& shape) : counted("joint view"), owner(shape.token()) {
    delete_on_last_release();
    hand_out(this);  // the caller's reference
}

shape_class const* joint_view::counted_shape() const {
    return *owner ? (*owner)->traced() : nullptr;
}

shape_node& joint_view::live_owner() const {
    if (!*owner) throw host_error("joint view used after its shape was deleted");
    return **owner;
}

vec3 joint_view::read(char const* operation, vec3 shape_geometry::*field) {
    host_call(operation, *owner ? (*owner)->traced() : nullptr);
    return live_owner().geometry.*field;
}

void joint_view::write(char const* operation, vec3 shape_geometry::*field, vec3 const& p) {
    host_call(operation, *owner ? (*owner)->traced() : nullptr, p);
    shape_node& shape = live_owner();
    shape.scene().check_write(operation, &shape, p);
    shape.geometry.*field = p;
    shape.scene().notify_modified(&shape);
}

vec3 joint_view::get_first_point(void*) {
    return read("joint.get_first_point", &shape_geometry::first);
}
void joint_view::set_first_point(vec3 const& p, void*) {
    write("joint.set_first_point", &shape_geometry::first, p);
}
vec3 joint_view::get_second_point(void*) {
    return read("joint.get_second_point", &shape_geometry::second);
}
void joint_view::set_second_point(vec3 const& p, void*) {
    write("joint.set_second_point", &shape_geometry::second, p);
}
vec3 joint_view::get_pivot(void*) { return read("joint.get_pivot", &shape_geometry::pivot); }
void joint_view::set_pivot(vec3 const& p, void*) {
    write("joint.set_pivot", &shape_geometry::pivot, p);
}

}  // namespace host
