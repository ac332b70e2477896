// The element views a host shape hands out: control points, vertices, skin records, the
// mesh and centre views, the scene camera and the counted joint views. Each reads and
// writes the geometry of its shape_node; every write is checked and reported by the scene
// (non-finite values refused, modification listener called).
#pragma once

#include <memory>

#include "checks/host_checks.h"
#include "host_scene.h"
#include "host_shape.h"
#include "scene/shape_geometry.h"

namespace host {

class shape_node;
class scene_model;

enum class element_kind { shape, control_point, vertex };

// The skin record of the shape as a whole, of one control point or of one vertex.
class skin_view final : public skin_class {
public:
    skin_view(shape_node& owner, element_kind kind, int index)
        : owner(owner), kind(kind), index(index) {}
    int is_skinned(void* reserved = nullptr) override;
    mat4 get_skin_matrix(void* reserved = nullptr) override;

private:
    skin_data data() const;
    shape_node& owner;
    element_kind kind;
    int index;
};

class control_point_object final : public control_point_class {
public:
    control_point_object(shape_node& owner, int index)
        : owner(owner), index(index), skin(owner, element_kind::control_point, index) {}
    vec3 get_point_position(void* reserved = nullptr) override;
    void set_point_position(vec3 const& p, void* reserved = nullptr) override;
    vec3 get_in_handle(void* reserved = nullptr) override;
    void set_in_handle(vec3 const& p, void* reserved = nullptr) override;
    vec3 get_out_handle(void* reserved = nullptr) override;
    void set_out_handle(vec3 const& p, void* reserved = nullptr) override;
    vec3 get_l_in_handle(void* reserved = nullptr) override;
    void set_l_in_handle(vec3 const& p, void* reserved = nullptr) override;
    vec3 get_l_out_handle(void* reserved = nullptr) override;
    void set_l_out_handle(vec3 const& p, void* reserved = nullptr) override;
    bool get_linked(void* reserved = nullptr) override;
    void set_linked(bool linked, void* reserved = nullptr) override;
    bool get_l_linked(void* reserved = nullptr) override;
    void set_l_linked(bool linked, void* reserved = nullptr) override;
    skin_class* get_skin(void* reserved = nullptr) override;

private:
    control_point_data& data();
    vec3 read(char const* operation, vec3 control_point_data::*field);
    void write(char const* operation, vec3 control_point_data::*field, vec3 const& p);
    void write_flag(char const* operation, bool control_point_data::*field, bool value);
    shape_node& owner;
    int index;
    skin_view skin;
};

class vertex_object final : public vertex_class {
public:
    vertex_object(shape_node& owner, int index)
        : owner(owner), index(index), skin(owner, element_kind::vertex, index) {}
    vec3 get_point_position(void* reserved = nullptr) override;
    void set_point_position(vec3 const& p, void* reserved = nullptr) override;
    skin_class* get_skin(void* reserved = nullptr) override;

private:
    shape_node& owner;
    int index;
    skin_view skin;
};

class mesh_view final : public polygon_mesh_class {
public:
    explicit mesh_view(shape_node& owner) : owner(owner) {}
    // Throws host_error when index is out of range.
    vertex_class* vertex_at(int index, void* reserved = nullptr) override;

private:
    shape_node& owner;
};

// The centre of a light, sphere or disk.
class center_view final : public center_class {
public:
    explicit center_view(shape_node& owner) : owner(owner) {}
    vec3 get_center(void* reserved = nullptr) override;
    void set_center(vec3 const& p, void* reserved = nullptr) override;

private:
    shape_node& owner;
};

// A scene camera: the eye and target of a camera joint, or of the scene's own default
// camera (joint null) that stands at index 0.
class camera_view final : public camera_class {
public:
    camera_view(scene_model& scene, shape_node* joint, vec3* eye, vec3* target)
        : scene(scene), joint(joint), eye(eye), target(target) {}
    vec3 get_eye(void* reserved = nullptr) override;
    void set_eye(vec3 const& p, void* reserved = nullptr) override;
    vec3 get_target(void* reserved = nullptr) override;
    void set_target(vec3 const& p, void* reserved = nullptr) override;

private:
    void write(char const* operation, vec3* field, vec3 const& p);
    scene_model& scene;
    shape_node* joint;
    vec3* eye;
    vec3* target;
};

// A joint view made for one hand-out: starts with the caller's reference and is deleted
// at its last Release. It outlives nothing: once its shape is deleted from the scene,
// every call throws host_error instead of touching freed memory.
class joint_view final : public counted<joint_interface> {
public:
    explicit joint_view(shape_node& owner);
    vec3 get_first_point(void* reserved = nullptr) override;
    void set_first_point(vec3 const& p, void* reserved = nullptr) override;
    vec3 get_second_point(void* reserved = nullptr) override;
    void set_second_point(vec3 const& p, void* reserved = nullptr) override;
    vec3 get_pivot(void* reserved = nullptr) override;
    void set_pivot(vec3 const& p, void* reserved = nullptr) override;
    // The joint, while it is in the scene.
    shape_class const* counted_shape() const override;

private:
    shape_node& live_owner() const;
    vec3 read(char const* operation, vec3 shape_geometry::*field);
    void write(char const* operation, vec3 shape_geometry::*field, vec3 const& p);
    std::shared_ptr<shape_node*> owner;
};

}  // namespace host
