// Object types: classification of host shapes and the per-type tables.
#include "shape_class.h"

#include "required_view.h"

namespace {

// Indexed by object type; entries 25-27 are never read.
bool const var_points_flag[28] = {
    false, true,  false, false, false, false, false, false, false, false,
    false, false, false, false, false, true,  false, false, true,  false,
    false, false, false, false, false, false, false, false};

int const fixed_point_number_table[28] = {
    0, 0, 2, 2, 2, 1, 0, 0, 0, 0, 0, 1, 2, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

char const* const type_names[25] = {
    "Simple part",  "Surface part", "Rotator joint",  "Slider joint", "Scale joint",
    "Uniscale joint", "Light joint", "Path joint",    "Morph joint",  "SWITCH_JOINT",
    "Custom joint", "Ball joint",   "Camera joint",   "Link part",    "Light",
    "Line",         "Sphere",       "Disk",           "Polygon mesh", "Master surface",
    "Master image", "Surface M part", "Image M part", "Sound part",   "Other"};

// Every name padded with blanks to exactly 14 characters.
char const* const padded_type_names[25] = {
    "Simple part   ", "Surface part  ", "Rotator joint ", "Slider joint  ", "Scale joint   ",
    "Uniscale joint", "Light joint   ", "Path joint    ", "Morph joint   ", "Switch_joint  ",
    "Custom joint  ", "Ball joint    ", "Camera joint  ", "Link part     ", "Light         ",
    "Line          ", "Sphere        ", "Disk          ", "Polygon mesh  ", "Master surface",
    "Master image  ", "Surface M part", "Image M part  ", "Sound part    ", "Other         "};

int part_type(int part_kind) {
    switch (part_kind) {
    case 0: return simple_part;
    case 1: return surface_part;
    case 2: return rotator_joint;
    case 3: return slider_joint;
    case 4: return scale_joint;
    case 5: return uniscale_joint;
    case 6: return light_joint;
    case 7: return path_joint;
    case 8: return morph_joint;
    case 9: return custom_joint;   // part kind 9 is the custom joint...
    case 10: return ball_joint;
    case 11: return camera_joint;
    case 12: return sound_part;
    case 13: return switch_joint;  // ...and 13 the switch joint
    case 100: return surface_m_part;
    case 101: return link_part;
    default: return other_shape;
    }
}

int object_kind_type(int kind) {
    switch (kind) {
    case 3: return light_shape;
    case 4: return line_shape;
    case 5: return sphere_shape;
    case 6: return disk_shape;
    case 7: return polygon_mesh;
    case 8: return master_surface;
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
    object_type = kind == 2 ? part_type(require(shape->as_part()).get_part_kind())
                            : object_kind_type(kind);
    variable_points = var_points_flag[object_type];
    fixed_point_number = fixed_point_number_table[object_type];
    return object_type;
}

char const* Shape_class::get_type_name(bool padded) const {
    if (object_type < 0 || object_type > other_shape) return "";
    return padded ? padded_type_names[object_type] : type_names[object_type];
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
    return part != nullptr && part->get_part_kind() == 1 ? parent : nullptr;
}
