// One shape of the reference host's scene tree: its name, kinds, place in the tree,
// geometry and the element views it hands out. The host-side logic lives here; the
// interface classes the plug-in sees (shape_class for most shapes, part_class for parts)
// are thin shells over it (shape_object.h), so both share one implementation.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host_shape.h"
#include "scene/scene_matrix.h"
#include "scene/shape_elements.h"
#include "scene/shape_geometry.h"
#include "uuid_class.h"

namespace host {

class scene_model;

// Shapes linked to a shape through one extension component (get_linked_shapes).
struct linked_set {
    tq::uuid_class component;
    std::vector<shape_node*> shapes;
};

class shape_node {
public:
    shape_node(scene_model& scene, shape_node* parent, std::string name, int object_kind,
               int part_kind);
    virtual ~shape_node();
    shape_node(shape_node const&) = delete;
    shape_node& operator=(shape_node const&) = delete;

    // The interface object the plug-in sees.
    virtual shape_class& iface() = 0;
    // Its address without a virtual call, for the call record (host_call).
    shape_class const* traced() const { return interface_address; }
    // The node behind a shape pointer the plug-in hands back; null for a foreign object.
    static shape_node* from(shape_class* shape);

    scene_model& scene() const { return owner_scene; }
    shape_node* parent() const { return parent_node; }
    std::vector<std::unique_ptr<shape_node>> const& children() const { return child_nodes; }
    std::string const& name() const { return shape_name; }
    // The caller keeps the names at one level apart (rename_shape).
    void set_name(std::string name) { shape_name = std::move(name); }
    // Names from the top joined by "/".
    std::string path() const;
    int object_kind() const { return kind; }
    // -1 for shapes that are not parts.
    int part_kind() const { return part; }
    bool is_part() const { return kind == kind_part; }
    // While a node exists its token points at it; views and undo steps hold a copy and
    // see null once the node is freed.
    std::shared_ptr<shape_node*> const& token() const { return life_token; }

    // Plain data the scene file and host-side edits fill in.
    bool modifiable = true;
    bool surface_direction = true;
    std::vector<int> active_points;
    shape_node* link_to = nullptr;  // a link part's target
    int camera_index = -1;              // camera joints: the scene camera they drive
    shape_geometry geometry;
    std::vector<linked_set> linked;

    // Adds a control point. The views the plug-in reaches points through are made when
    // first asked for and live as long as the shape: a point removed by the host leaves its
    // view behind (each call on it then throws host_error), and an undo that brings the
    // point back finds it in place.
    void add_control_point(control_point_data const& point);
    // Adds a vertex; its view is made when first asked for (a mesh may have millions).
    void add_vertex(vertex_data const& vertex);
    // The shapes linked through component (empty when none).
    std::vector<shape_node*>& linked_shapes(tq::uuid_class const& component);

    // The points in the flat numbering, flat_point_count(*this) (flat_numbering.h).
    int count_points() const;
    // Local-to-world matrix: the local matrices up the chain, in double precision.
    dmat4 world_matrix() const;

    // Element views for host code (tests, the runner); no host call is counted. Both throw
    // std::out_of_range for an index outside the line or the mesh.
    control_point_object& control_point_view(int index);
    vertex_object& vertex_view(int index);
    camera_view* camera() { return camera_object.get(); }

protected:
    // Enter an operation on this shape, given values: the fault injector may throw; the
    // child_end sentinel refuses every operation.
    template <class... Values>
    void enter(char const* operation, Values const&... values) const {
        host_call(operation, interface_address, values...);
        if (is_end_marker) refuse_as_end_marker(operation);
    }

    // The shared implementation of the shape_class operations.
    scene_interface* do_get_scene();
    shape_class* do_first_child();
    shape_class* do_next_sibling();
    shape_class* do_child_end();
    int do_get_active_points(int* buffer, int capacity) const;
    mat4 do_get_world_to_local_matrix() const;
    control_point_class* do_control_point_at(int index);
    void do_apply_transformation(mat4 const& m);
    int do_get_linked_shapes(tq::uuid_class const& id, shape_class** buffer, int capacity);
    vertex_class* do_vertex_at(int index);
    center_class* center_if(int wanted_kind);
    joint_interface* joint_if(int wanted_part_kind);
    virtual part_class* part_view() = 0;

    skin_view own_skin{*this, element_kind::shape, 0};
    mesh_view mesh{*this};
    center_view center{*this};

private:
    friend class scene_model;
    friend class mesh_view;
    friend std::unique_ptr<shape_node> make_shape_node(scene_model&, shape_node*, std::string,
                                                       int, int);
    [[noreturn]] static void refuse_as_end_marker(char const* operation);
    shape_node& end_marker();

    scene_model& owner_scene;
    shape_node* parent_node;
    // Where the node stands among its siblings (its parent's children or the scene's
    // roots): next_sibling is one step, not a search. The scene keeps it up to date.
    std::size_t sibling_index = 0;
    std::string shape_name;
    int kind;
    int part;
    bool is_end_marker = false;
    shape_class const* interface_address = nullptr;  // set by make_shape_node
    std::vector<std::unique_ptr<shape_node>> child_nodes;
    std::unique_ptr<shape_node> end_sentinel;  // child_end of this shape, made on demand
    std::vector<std::unique_ptr<control_point_object>> point_views;  // made on demand
    std::vector<std::unique_ptr<vertex_object>> vertex_views;        // made on demand
    std::unique_ptr<camera_view> camera_object;
    std::shared_ptr<shape_node*> life_token;
};

}  // namespace host
