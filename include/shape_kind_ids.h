// The numbers the host reports for what a shape is: get_object_kind of every shape and
// get_part_kind of a part. Both sides of the boundary use these names. Part kind 11 is the
// camera part, not object type 12 (the plug-in's own camera_joint classification).
#pragma once

enum object_kind_id : int {
    kind_part = 2,
    kind_light = 3,
    kind_line = 4,
    kind_sphere = 5,
    kind_disk = 6,
    kind_polygon_mesh = 7,
    kind_master_surface = 8,
    kind_other = 9,
};

enum part_kind_id : int {
    part_simple = 0,
    part_surface = 1,
    part_rotator = 2,
    part_slider = 3,
    part_scale = 4,
    part_uniscale = 5,
    part_light_joint = 6,
    part_path = 7,
    part_morph = 8,
    part_custom = 9,  // the custom joint is 9...
    part_ball = 10,
    part_camera = 11,
    part_sound = 12,
    part_switch = 13,  // ...and the switch joint 13
    part_surface_m = 100,
    part_link = 101,
};
