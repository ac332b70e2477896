// The interface shells over shape_node: plain_shape (a shape_class) for every shape that
// is not a part, part_shape (a part_class) for parts, so that the plug-in's run-time type
// check of a part succeeds exactly for parts. Every operation enters the fault injector
// under "shape.<operation>" (or "part.<operation>") before doing anything, so any of them
// may throw host_error.
//
// Ownership as the contract says: shapes, views, control points, vertices and skin records
// are borrowed (they live as long as the shape); get_scene and the joint views return a
// counted reference the caller releases.
//
// apply_transformation(m) makes the local matrix m * local: the shape and all its children
// move by m in the shape's own frame; stored coordinates and the matrices of skinned
// elements stay as they are.
#pragma once

#include <memory>
#include <string>

#include "scene/shape_node.h"

namespace host {

template <class Interface>
class shape_object : public Interface, public shape_node {
public:
    using shape_node::shape_node;
    shape_class& iface() override { return *this; }

    int get_object_kind(void* = nullptr) override;
    char const* get_name(void* = nullptr) override;
    scene_interface* get_scene(void* = nullptr) override;
    bool has_parent(void* = nullptr) override;
    shape_class* get_parent(void* = nullptr) override;
    bool has_children(void* = nullptr) override;
    shape_class* first_child(void* = nullptr) override;
    shape_class* next_sibling(void* = nullptr) override;
    shape_class* child_end(void* = nullptr) override;
    int point_count(void* = nullptr) override;
    int get_active_points(int* buffer, int capacity, void* = nullptr) override;
    mat4 get_world_matrix(void* = nullptr) override;
    mat4 get_world_to_local_matrix(void* = nullptr) override;
    skin_class* get_skin(void* = nullptr) override;
    control_point_class* control_point_at(int index, void* = nullptr) override;
    void apply_transformation(mat4 const& m, void* = nullptr) override;
    int get_linked_shapes(tq::uuid_class const& id, shape_class** buffer, int capacity,
                          void* = nullptr) override;
    int get_sequence_number(void* = nullptr) override;
    bool is_modifiable(void* = nullptr) override;
    part_class* as_part(void* = nullptr) override;
    polygon_mesh_class* as_polygon_mesh(void* = nullptr) override;
    center_class* as_light(void* = nullptr) override;
    center_class* as_sphere(void* = nullptr) override;
    center_class* as_disk(void* = nullptr) override;
    joint_interface* rotator_joint(void* = nullptr) override;
    joint_interface* slider_joint(void* = nullptr) override;
    joint_interface* scale_joint(void* = nullptr) override;
    joint_interface* uniscale_joint(void* = nullptr) override;
    joint_interface* ball_joint(void* = nullptr) override;
};

class plain_shape final : public shape_object<shape_class> {
public:
    using shape_object::shape_object;

protected:
    part_class* part_view() override { return nullptr; }
};

class part_shape final : public shape_object<part_class> {
public:
    using shape_object::shape_object;
    int get_part_kind(void* = nullptr) override;
    shape_class* link_target(void* = nullptr) override;
    // Throws host_error for a part that is not a camera joint.
    void select_as_camera(void* = nullptr) override;
    bool get_surface_direction(void* = nullptr) override;

protected:
    part_class* part_view() override { return this; }
};

// A part_shape for object kind 2, a plain_shape for any other kind.
std::unique_ptr<shape_node> make_shape_node(scene_model& scene, shape_node* parent,
                                            std::string name, int object_kind, int part_kind);

extern template class shape_object<shape_class>;
extern template class shape_object<part_class>;

}  // namespace host
