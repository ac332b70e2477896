// Object types: classification of host shapes and the per-type tables.
#include "shape_class.h"

#include "required_view.h"

namespace {

// What each object type is, indexed by object type. The two names differ for the switch
// joint ("SWITCH_JOINT", padded "Switch_joint"), as the host has always shown them.
struct type_row {
    char const* name;
    char const* padded;     // blanks up to exactly 14 characters
    bool variable_points;   // the host numbers its points (control points, vertices)
    int fixed_points;       // otherwise the number of points of the type
};

type_row const types[] = {
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
static_assert(sizeof types / sizeof types[0] == other_shape + 1, "one row per object type");

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

int Shape_class::set_object_type() {
    undo_flag = false;
    surface_dad = nullptr;
    if (shape == nullptr) {
        object_type = -1;
        variable_points = false;
        fixed_point_number = 0;
        return -1;
    }
    int kind = shape->get_object_kind();
    object_type = kind == kind_part ? part_type(require(shape->as_part()).get_part_kind())
                                    : object_kind_type(kind);
    variable_points = types[object_type].variable_points;
    fixed_point_number = types[object_type].fixed_points;
    return object_type;
}

char const* Shape_class::get_type_name(bool padded) const {
    if (object_type < 0 || object_type > other_shape) return "";
    return padded ? types[object_type].padded : types[object_type].name;
}

bool Shape_class::has_variable_points() const {
    if (!variable_points) return false;
    try {
        return shape->point_count() > 0;
    } catch (...) {
        return false;
    }
}

shape_class* Shape_class::get_surface_dad() {
    if (object_type != line_shape || !shape->has_parent()) return nullptr;
    shape_class* parent = shape->get_parent();
    if (parent == nullptr) return nullptr;
    part_class* part = parent->as_part();
    return part != nullptr && part->get_part_kind() == part_surface ? parent : nullptr;
}
