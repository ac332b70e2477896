// Host shapes and the views the plug-in reads and writes points through.
//
// Ownership: every pointer returned here is borrowed from the host and stays valid until
// the scene changes, except the joint views, which are counted: the caller releases them
// with Release() on every path. Every operation may throw a host exception.
#pragma once

#include "math_values.h"
#include "shape_kind_ids.h"
#include "unknown_interface.h"
#include "uuid_class.h"

class scene_interface;
class part_class;

// Whether an element (vertex, control point or whole shape) carries its own frame.
class skin_class {
public:
    // Non-zero: get_skin_matrix is the element's local-to-world matrix. May throw.
    virtual int is_skinned(void* reserved = nullptr) = 0;
    // The element's own local-to-world matrix. May throw.
    virtual mat4 get_skin_matrix(void* reserved = nullptr) = 0;

protected:
    ~skin_class() = default;
};

// A vertex of a polygon mesh; positions in the mesh's local frame.
class vertex_class {
public:
    virtual vec3 get_point_position(void* reserved = nullptr) = 0;
    virtual void set_point_position(vec3 const& p, void* reserved = nullptr) = 0;
    // The vertex's skin record. Borrowed, never null. May throw.
    virtual skin_class* get_skin(void* reserved = nullptr) = 0;

protected:
    ~vertex_class() = default;
};

// A control point of a line: the anchor, four handles (absolute positions in the same
// frame as the anchor) and two link flags. Every accessor may throw.
class control_point_class {
public:
    virtual vec3 get_point_position(void* reserved = nullptr) = 0;  // the anchor
    virtual void set_point_position(vec3 const& p, void* reserved = nullptr) = 0;
    virtual vec3 get_in_handle(void* reserved = nullptr) = 0;
    virtual void set_in_handle(vec3 const& p, void* reserved = nullptr) = 0;
    virtual vec3 get_out_handle(void* reserved = nullptr) = 0;
    virtual void set_out_handle(vec3 const& p, void* reserved = nullptr) = 0;
    virtual vec3 get_l_in_handle(void* reserved = nullptr) = 0;
    virtual void set_l_in_handle(vec3 const& p, void* reserved = nullptr) = 0;
    virtual vec3 get_l_out_handle(void* reserved = nullptr) = 0;
    virtual void set_l_out_handle(vec3 const& p, void* reserved = nullptr) = 0;
    // In and Out handles tied together.
    virtual bool get_linked(void* reserved = nullptr) = 0;
    virtual void set_linked(bool linked, void* reserved = nullptr) = 0;
    // L in and L out handles tied together.
    virtual bool get_l_linked(void* reserved = nullptr) = 0;
    virtual void set_l_linked(bool linked, void* reserved = nullptr) = 0;
    // The control point's skin record. Borrowed, never null. May throw.
    virtual skin_class* get_skin(void* reserved = nullptr) = 0;

protected:
    ~control_point_class() = default;
};

// The polygon-mesh view of a shape (as_polygon_mesh).
class polygon_mesh_class {
public:
    // Vertex i. Borrowed. Throws when i is out of range.
    virtual vertex_class* vertex_at(int index, void* reserved = nullptr) = 0;

protected:
    ~polygon_mesh_class() = default;
};

// The light, sphere and disk views (as_light, as_sphere, as_disk): one centre in the
// shape's local frame. May throw.
class center_class {
public:
    virtual vec3 get_center(void* reserved = nullptr) = 0;
    virtual void set_center(vec3 const& p, void* reserved = nullptr) = 0;

protected:
    ~center_class() = default;
};

// The joint views (rotator_joint, slider_joint, scale_joint, uniscale_joint, ball_joint).
// Counted: the caller releases the view. Positions in the joint's local frame. Rotator and
// scale joints store the second point as an axis vector from the first point; a slider
// stores its end point; a uniscale joint keeps its pivot in the first point.
class joint_interface : public IUnknown {
public:
    virtual vec3 get_first_point(void* reserved = nullptr) = 0;
    virtual void set_first_point(vec3 const& p, void* reserved = nullptr) = 0;
    virtual vec3 get_second_point(void* reserved = nullptr) = 0;
    virtual void set_second_point(vec3 const& p, void* reserved = nullptr) = 0;
    virtual vec3 get_pivot(void* reserved = nullptr) = 0;  // ball joint
    virtual void set_pivot(vec3 const& p, void* reserved = nullptr) = 0;
};

// A shape of the host's scene tree. Its object kind is an object_kind_id (shape_kind_ids.h);
// others exist.
class shape_class {
public:
    virtual int get_object_kind(void* reserved = nullptr) = 0;
    // The shape's name. Borrowed text. May throw.
    virtual char const* get_name(void* reserved = nullptr) = 0;
    // The scene holding the shape. Counted: the caller releases it. May throw.
    virtual scene_interface* get_scene(void* reserved = nullptr) = 0;
    virtual bool has_parent(void* reserved = nullptr) = 0;
    // The parent shape, or null at the top. Borrowed. May throw.
    virtual shape_class* get_parent(void* reserved = nullptr) = 0;
    virtual bool has_children(void* reserved = nullptr) = 0;
    // Children walk: first_child, then next_sibling until the result equals child_end
    // (a sentinel that is not itself a child). Borrowed. May throw.
    virtual shape_class* first_child(void* reserved = nullptr) = 0;
    virtual shape_class* next_sibling(void* reserved = nullptr) = 0;
    virtual shape_class* child_end(void* reserved = nullptr) = 0;
    // Points in the flat numbering: control points of a line, vertices of a mesh, the sum
    // over the contents of a part, 1 for any other shape. May throw.
    virtual int point_count(void* reserved = nullptr) = 0;
    // The indices of the active (selected) points, in selection order. Writes at most
    // capacity entries to buffer (may be null) and returns the full count. May throw.
    virtual int get_active_points(int* buffer, int capacity, void* reserved = nullptr) = 0;
    // Local-to-world matrix and its inverse. May throw.
    virtual mat4 get_world_matrix(void* reserved = nullptr) = 0;
    virtual mat4 get_world_to_local_matrix(void* reserved = nullptr) = 0;
    // The shape's skin record. Borrowed, never null. May throw.
    virtual skin_class* get_skin(void* reserved = nullptr) = 0;
    // Control point i (part-wide index for a surface part). Borrowed. Throws when the
    // shape has no control points or i is out of range.
    virtual control_point_class* control_point_at(int index, void* reserved = nullptr) = 0;
    // Moves the shape's own geometry by m in its local frame; children follow. May throw.
    virtual void apply_transformation(mat4 const& m, void* reserved = nullptr) = 0;
    // Shapes linked to this one through the extension component named by id. Writes at
    // most capacity pointers (borrowed) to buffer (may be null); returns the full count.
    virtual int get_linked_shapes(tq::uuid_class const& id, shape_class** buffer, int capacity,
                                  void* reserved = nullptr) = 0;
    // Position in a pre-order walk of the scene tree. May throw.
    virtual int get_sequence_number(void* reserved = nullptr) = 0;
    virtual bool is_modifiable(void* reserved = nullptr) = 0;

    // Views. Borrowed; null when the shape is not of that kind. May throw.
    virtual part_class* as_part(void* reserved = nullptr) = 0;
    virtual polygon_mesh_class* as_polygon_mesh(void* reserved = nullptr) = 0;
    virtual center_class* as_light(void* reserved = nullptr) = 0;
    virtual center_class* as_sphere(void* reserved = nullptr) = 0;
    virtual center_class* as_disk(void* reserved = nullptr) = 0;
    // Joint views. Counted: the caller releases them; null when the shape is not that
    // joint. May throw.
    virtual joint_interface* rotator_joint(void* reserved = nullptr) = 0;
    virtual joint_interface* slider_joint(void* reserved = nullptr) = 0;
    virtual joint_interface* scale_joint(void* reserved = nullptr) = 0;
    virtual joint_interface* uniscale_joint(void* reserved = nullptr) = 0;
    virtual joint_interface* ball_joint(void* reserved = nullptr) = 0;

protected:
    virtual ~shape_class() = default;
};

// A part: a shape that holds other shapes. Its part kind is a part_kind_id
// (shape_kind_ids.h).
class part_class : public shape_class {
public:
    virtual int get_part_kind(void* reserved = nullptr) = 0;
    // The shape a link part stands for, or null. Borrowed. May throw.
    virtual shape_class* link_target(void* reserved = nullptr) = 0;
    // Makes the scene's current camera follow this camera joint. May throw.
    virtual void select_as_camera(void* reserved = nullptr) = 0;
    // A surface part's direction flag: true when its lines run along the first index.
    virtual bool get_surface_direction(void* reserved = nullptr) = 0;

protected:
    ~part_class() override = default;
};
