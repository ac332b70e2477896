#include "scene/shape_object.h"

#include "scene/scene_model.h"

namespace host {

template <class I>
int shape_object<I>::get_object_kind(void*) {
    enter("shape.get_object_kind");
    return object_kind();
}

template <class I>
char const* shape_object<I>::get_name(void*) {
    enter("shape.get_name");
    return name().c_str();
}

template <class I>
scene_interface* shape_object<I>::get_scene(void*) {
    enter("shape.get_scene");
    return do_get_scene();
}

template <class I>
bool shape_object<I>::has_parent(void*) {
    enter("shape.has_parent");
    return parent() != nullptr;
}

template <class I>
shape_class* shape_object<I>::get_parent(void*) {
    enter("shape.get_parent");
    return parent() ? &parent()->iface() : nullptr;
}

template <class I>
bool shape_object<I>::has_children(void*) {
    enter("shape.has_children");
    return !children().empty();
}

template <class I>
shape_class* shape_object<I>::first_child(void*) {
    enter("shape.first_child");
    return do_first_child();
}

template <class I>
shape_class* shape_object<I>::next_sibling(void*) {
    enter("shape.next_sibling");
    return do_next_sibling();
}

template <class I>
shape_class* shape_object<I>::child_end(void*) {
    enter("shape.child_end");
    return do_child_end();
}

template <class I>
int shape_object<I>::point_count(void*) {
    enter("shape.point_count");
    return count_points();
}

template <class I>
int shape_object<I>::get_active_points(int* buffer, int capacity, void*) {
    enter("shape.get_active_points", capacity);
    return do_get_active_points(buffer, capacity);
}

template <class I>
mat4 shape_object<I>::get_world_matrix(void*) {
    enter("shape.get_world_matrix");
    return to_float(world_matrix());
}

template <class I>
mat4 shape_object<I>::get_world_to_local_matrix(void*) {
    enter("shape.get_world_to_local_matrix");
    return do_get_world_to_local_matrix();
}

template <class I>
skin_class* shape_object<I>::get_skin(void*) {
    enter("shape.get_skin");
    return &own_skin;
}

template <class I>
control_point_class* shape_object<I>::control_point_at(int index, void*) {
    enter("shape.control_point_at", index);
    return do_control_point_at(index);
}

template <class I>
void shape_object<I>::apply_transformation(mat4 const& m, void*) {
    enter("shape.apply_transformation", m);
    do_apply_transformation(m);
}

template <class I>
int shape_object<I>::get_linked_shapes(tq::uuid_class const& id, shape_class** buffer,
                                       int capacity, void*) {
    enter("shape.get_linked_shapes", capacity);
    return do_get_linked_shapes(id, buffer, capacity);
}

template <class I>
int shape_object<I>::get_sequence_number(void*) {
    enter("shape.get_sequence_number");
    return scene().sequence_number(*this);
}

template <class I>
bool shape_object<I>::is_modifiable(void*) {
    enter("shape.is_modifiable");
    return modifiable;
}

template <class I>
part_class* shape_object<I>::as_part(void*) {
    enter("shape.as_part");
    return part_view();
}

template <class I>
polygon_mesh_class* shape_object<I>::as_polygon_mesh(void*) {
    enter("shape.as_polygon_mesh");
    return object_kind() == kind_polygon_mesh ? &mesh : nullptr;
}

template <class I>
center_class* shape_object<I>::as_light(void*) {
    enter("shape.as_light");
    return center_if(kind_light);
}

template <class I>
center_class* shape_object<I>::as_sphere(void*) {
    enter("shape.as_sphere");
    return center_if(kind_sphere);
}

template <class I>
center_class* shape_object<I>::as_disk(void*) {
    enter("shape.as_disk");
    return center_if(kind_disk);
}

template <class I>
joint_interface* shape_object<I>::rotator_joint(void*) {
    enter("shape.rotator_joint");
    return joint_if(part_rotator);
}

template <class I>
joint_interface* shape_object<I>::slider_joint(void*) {
    enter("shape.slider_joint");
    return joint_if(part_slider);
}

template <class I>
joint_interface* shape_object<I>::scale_joint(void*) {
    enter("shape.scale_joint");
    return joint_if(part_scale);
}

template <class I>
joint_interface* shape_object<I>::uniscale_joint(void*) {
    enter("shape.uniscale_joint");
    return joint_if(part_uniscale);
}

template <class I>
joint_interface* shape_object<I>::ball_joint(void*) {
    enter("shape.ball_joint");
    return joint_if(part_ball);
}

template class shape_object<shape_class>;
template class shape_object<part_class>;

int part_shape::get_part_kind(void*) {
    enter("part.get_part_kind");
    return part_kind();
}

shape_class* part_shape::link_target(void*) {
    enter("part.link_target");
    return link_to ? &link_to->iface() : nullptr;
}

void part_shape::select_as_camera(void*) {
    enter("part.select_as_camera");
    if (part_kind() != part_camera)
        throw host_error("select_as_camera: " + path() + " is not a camera joint");
    scene().use_camera(camera_index);
}

bool part_shape::get_surface_direction(void*) {
    enter("part.get_surface_direction");
    return surface_direction;
}

std::unique_ptr<shape_node> make_shape_node(scene_model& scene, shape_node* parent,
                                            std::string name, int object_kind, int part_kind) {
    std::unique_ptr<shape_node> node;
    if (object_kind == kind_part)
        node = std::make_unique<part_shape>(scene, parent, std::move(name), object_kind,
                                            part_kind);
    else
        node = std::make_unique<plain_shape>(scene, parent, std::move(name), object_kind,
                                             part_kind);
    node->interface_address = &node->iface();
    return node;
}

}  // namespace host
