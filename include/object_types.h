// What the plug-in calls a host shape: its object type, found from the object kind the host
// reports and, for a part, its part kind (shape_kind_ids.h), with the type's name as the
// window shows it. The reference host names shapes the same way in its dumps.
#pragma once

#include "shape_kind_ids.h"

// Object types the plug-in switches on; -1 means no shape. Part kind 11 (part_camera) is
// object type 12 (camera_joint).
enum object_type_id {
    simple_part = 0,
    surface_part = 1,
    rotator_joint = 2,
    slider_joint = 3,
    scale_joint = 4,
    uniscale_joint = 5,
    light_joint = 6,
    path_joint = 7,
    morph_joint = 8,
    switch_joint = 9,
    custom_joint = 10,
    ball_joint = 11,
    camera_joint = 12,
    link_part = 13,
    light_shape = 14,
    line_shape = 15,
    sphere_shape = 16,
    disk_shape = 17,
    polygon_mesh = 18,
    master_surface = 19,
    master_image = 20,
    surface_m_part = 21,
    image_m_part = 22,
    sound_part = 23,
    other_shape = 24,
};

// What each object type is.
struct object_type_row {
    char const* name;
    char const* padded;     // blanks up to exactly 14 characters
    bool variable_points;   // the host numbers its points (control points, vertices)
    int fixed_points;       // otherwise the number of points of the type
};

// The object type of a shape; part_kind is read only when object_kind is kind_part.
int object_type_of(int object_kind, int part_kind);
// The row of an object type from simple_part to other_shape.
object_type_row const& object_type_row_of(int type);
