// Shape_class: the plug-in's own view of one host shape. Classifies it into an object
// type, maps the flat point numbering, converts between frames, reads and writes points
// and brackets writes in host undo records. Host exceptions are caught where each
// operation says; every counted host object is released on every path.
#pragma once

#include "host_shape.h"
#include "math_values.h"
#include "object_types.h"
#include "surface_point.h"

// The answer of a failed read: three NaNs with the bit pattern 0x7FA00000.
vec3 invalid_position();
bool is_invalid_position(vec3 const& p);

class Shape_class {
public:
    Shape_class() : undo_flag(false), surface_dad(nullptr), shape(nullptr) { set_object_type(); }
    explicit Shape_class(shape_class* s) : undo_flag(false), surface_dad(nullptr), shape(s) {
        set_object_type();
    }

    // Recomputes the cached type facts from shape; returns the new object type. Also
    // forgets the undo state (undo_flag, surface_dad) of the previous shape.
    int set_object_type();
    // The name of the current object type (types 0-24); padded names are 14 characters.
    char const* get_type_name(bool padded) const;
    // The surface part that directly owns a line, else null. May throw.
    shape_class* get_surface_dad();
    // A type with variable points that has at least one; false on a host exception.
    bool has_variable_points() const;
    // The first active point, or -1. May throw.
    int first_active_point() const;
    // The shape holding flat index *index (never following links); *index becomes the
    // index inside it. Null when out of range. May throw.
    shape_class* substance_shape(int* index) const;

    // Frames (row-vector convention): world = local-to-world, local = its inverse. Skinned
    // elements use their own matrix. May throw.
    mat4 get_world(shape_class& s, vertex_class& v);
    mat4 get_world(shape_class& s, control_point_class& cp);
    mat4 get_world(shape_class& s);
    mat4 get_local(shape_class& s, vertex_class& v);
    mat4 get_local(shape_class& s, control_point_class& cp);
    mat4 get_local(shape_class& s);
    mat4 get_local(shape_class& s, int index);
    mat4 get_world(shape_class& s, int index);
    // The world matrix of point index of the wrapped shape. May throw, also when the
    // index names no point.
    mat4 world_matrix(int index);
    // The local matrix of point index of the wrapped shape; identity on any failure.
    mat4 local_matrix(int index);

    // The position of point index (local or world), or invalid_position() on failure.
    vec3 get_position(int index, bool world);
    // Whether point index may be written: the wrapped shape and, for a point inside a part,
    // the shape that holds it answer true to is_modifiable. A negative index asks about
    // the wrapped shape alone. May throw.
    bool may_write(int index) const;
    // Writes point index; a failed or non-finite write is skipped. Never throws.
    void set_position(int index, vec3 const& p, bool world);
    // Undo bracket around the writes of one user action. May throw; the scene is released.
    void start_undo(bool b);
    void end_undo();
    // end_undo's record closing, on a scene the caller holds (for a shape about to go).
    // May throw; called again after a failed commit, it commits without ending the record
    // a second time.
    void end_undo_on(scene_interface& scene);

    // Control points as surface points; false on any failure.
    bool is_surface_point(int index);
    bool get_surface_point(int index, Surface_point& out, bool world);
    bool set_surface_point(int index, Surface_point const& value, bool world);

    bool undo_flag;            // argument of the last start_undo
    shape_class* surface_dad;  // the surface part captured by start_undo
    bool undo_ended = false;   // the record of the last start_undo was ended, maybe not committed
    shape_class* shape;        // the wrapped shape; not owned
    int object_type;           // object_type_id, or -1 without a shape
    bool variable_points;
    int fixed_point_number;
};

// The recursive worker of Shape_class::substance_shape. May throw.
shape_class* substance_shape(shape_class& shape, int* index, bool follow_links);
// The flat index in part of point index of its child: the points of the children before
// it, plus index. -1 when child is not among part's children or has no point index.
// May throw.
long long flat_index_of(shape_class& part, shape_class const& child, int index);
