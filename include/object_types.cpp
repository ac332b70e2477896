#include "object_types.h"

namespace {

// Indexed by object type. The two names differ for the switch joint ("SWITCH_JOINT", padded
// "Switch_joint"), as the host has always shown them.
object_type_row const rows[] = {
    {"Simple part", "Simple part   ", false, 0},
    {"Surface part", "Surface part  ", true, 0},
    {"Rotator joint", "Rotator joint ", false, 2},
    {"Slider joint", "Slider joint  ", false, 2},
    {"Scale joint", "Scale joint   ", false, 2},
    {"Uniscale joint", "Uniscale joint", false, 1},
    {"Light joint", "Light joint   ", false, 0},
    {"Path joint", "Path joint    ", false, 0},
    {"Morph joint", "Morph joint   ", false, 0},
    {"SWITCH_JOINT", "Switch_joint  ", false, 0},
    {"Custom joint", "Custom joint  ", false, 0},
    {"Ball joint", "Ball joint    ", false, 1},
    {"Camera joint", "Camera joint  ", false, 2},
    {"Link part", "Link part     ", false, 0},
    {"Light", "Light         ", false, 1},
    {"Line", "Line          ", true, 0},
    {"Sphere", "Sphere        ", false, 1},
    {"Disk", "Disk          ", false, 1},
    {"Polygon mesh", "Polygon mesh  ", true, 0},
    {"Master surface", "Master surface", false, 0},
    {"Master image", "Master image  ", false, 0},
    {"Surface M part", "Surface M part", false, 0},
    {"Image M part", "Image M part  ", false, 0},
    {"Sound part", "Sound part    ", false, 0},
    {"Other", "Other         ", false, 0},
};
static_assert(sizeof rows / sizeof rows[0] == other_shape + 1, "one row per object type");

int part_type(int part_kind) {
    switch (part_kind) {
    case part_simple: return simple_part;
    case part_surface: return surface_part;
    case part_rotator: return rotator_joint;
    case part_slider: return slider_joint;
    case part_scale: return scale_joint;
    case part_uniscale: return uniscale_joint;
    case part_light_joint: return light_joint;
    case part_path: return path_joint;
    case part_morph: return morph_joint;
    case part_custom: return custom_joint;
    case part_ball: return ball_joint;
    case part_camera: return camera_joint;
    case part_sound: return sound_part;
    case part_switch: return switch_joint;
    case part_surface_m: return surface_m_part;
    case part_link: return link_part;
    default: return other_shape;
    }
}

int object_kind_type(int kind) {
    switch (kind) {
    case kind_light: return light_shape;
    case kind_line: return line_shape;
    case kind_sphere: return sphere_shape;
    case kind_disk: return disk_shape;
    case kind_polygon_mesh: return polygon_mesh;
    case kind_master_surface: return master_surface;
    default: return other_shape;
    }
}

}  // namespace

int object_type_of(int object_kind, int part_kind) {
    return object_kind == kind_part ? part_type(part_kind) : object_kind_type(object_kind);
}

object_type_row const& object_type_row_of(int type) { return rows[type]; }
