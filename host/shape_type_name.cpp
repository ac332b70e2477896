#include "shape_type_name.h"

#include "shape_node.h"

namespace host {

char const* shape_type_name(int object_kind, int part_kind) {
    switch (object_kind) {
    case kind_part: break;
    case kind_light: return "Light";
    case kind_line: return "Line";
    case kind_sphere: return "Sphere";
    case kind_disk: return "Disk";
    case kind_polygon_mesh: return "Polygon mesh";
    case kind_master_surface: return "Master surface";
    default: return "Other";
    }
    switch (part_kind) {
    case part_simple: return "Simple part";
    case part_surface: return "Surface part";
    case part_rotator: return "Rotator joint";
    case part_slider: return "Slider joint";
    case part_scale: return "Scale joint";
    case part_uniscale: return "Uniscale joint";
    case part_light_joint: return "Light joint";
    case part_path: return "Path joint";
    case part_morph: return "Morph joint";
    case part_switch: return "SWITCH_JOINT";  // the plug-in's own spelling
    case part_custom: return "Custom joint";
    case part_ball: return "Ball joint";
    case part_camera: return "Camera joint";
    case part_link: return "Link part";
    case part_surface_m: return "Surface M part";
    case part_sound: return "Sound part";
    default: return "Other";
    }
}

char const* shape_type_name(shape_node const& shape) {
    return shape_type_name(shape.object_kind(), shape.part_kind());
}

}  // namespace host
