#include "checks/host_operations.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace host {

namespace {

// Sorted, for the binary search below.
constexpr std::string_view operations[] = {
    "ask",
    "camera.get_eye", "camera.get_target", "camera.set_eye", "camera.set_target",
    "center.get_center", "center.set_center", "control_point.get_in_handle",
    "control_point.get_l_in_handle", "control_point.get_l_linked",
    "control_point.get_l_out_handle", "control_point.get_linked", "control_point.get_out_handle",
    "control_point.get_point_position", "control_point.get_skin", "control_point.set_in_handle",
    "control_point.set_l_in_handle", "control_point.set_l_linked",
    "control_point.set_l_out_handle", "control_point.set_linked", "control_point.set_out_handle",
    "control_point.set_point_position", "create_button", "create_check_box", "create_child_window",
    "create_dialog", "create_number", "create_popup", "create_static_text", "default_activate",
    "default_clear", "default_deactivate", "default_drag_file", "default_idle", "default_key_down",
    "default_mouse_down", "default_mouse_enter", "default_mouse_exit", "default_mouse_move",
    "default_obsolete", "default_paint", "default_resize", "default_scroll_wheel",
    "default_scrolled", "delete_self", "delete_window", "get_bool", "get_check_box_int_value",
    "get_client_rectangle", "get_frame_rectangle", "get_image_interface", "get_item",
    "get_native_window", "get_number_float_value", "get_plugin_interface", "get_plugin_services",
    "get_popup_int_value", "get_position", "get_preference_store", "get_scene_interface",
    "get_size", "get_text_object", "hide", "hide_window", "invalidate", "invalidate_window",
    "is_window_shown", "joint.get_first_point", "joint.get_pivot", "joint.get_second_point",
    "joint.set_first_point", "joint.set_pivot", "joint.set_second_point", "lookup_text",
    "marking.handle_mark_request", "mesh.vertex_at", "open_read_stream", "open_write_stream",
    "part.get_part_kind", "part.get_surface_direction", "part.link_target",
    "part.select_as_camera", "read_int", "rewind", "scene.begin_undo_record", "scene.begin_update",
    "scene.commit_undo", "scene.end_undo_record", "scene.end_update", "scene.get_active_shape",
    "scene.get_camera", "scene.get_camera_index", "scene.get_figure_unit_factor",
    "scene.get_state_flag", "scene.refresh", "scene.resume_state_flag", "scene.set_camera_index",
    "scene.suspend_state_flag", "select", "set_active", "set_bool", "set_canvas_size",
    "set_check_box_int_value", "set_client_size", "set_frame_rectangle", "set_handler",
    "set_number_columns", "set_number_float_value", "set_popup_int_value", "set_resource_name",
    "set_responder", "set_title", "set_tooltip", "set_window_title", "shape.apply_transformation",
    "shape.as_disk", "shape.as_light", "shape.as_part", "shape.as_polygon_mesh", "shape.as_sphere",
    "shape.ball_joint", "shape.child_end", "shape.control_point_at", "shape.first_child",
    "shape.get_active_points", "shape.get_linked_shapes", "shape.get_name",
    "shape.get_object_kind", "shape.get_parent", "shape.get_scene", "shape.get_sequence_number",
    "shape.get_skin", "shape.get_world_matrix", "shape.get_world_to_local_matrix",
    "shape.has_children", "shape.has_parent", "shape.is_modifiable", "shape.next_sibling",
    "shape.point_count", "shape.rotator_joint", "shape.scale_joint", "shape.slider_joint",
    "shape.uniscale_joint", "show", "show_message", "show_window", "skin.get_skin_matrix",
    "skin.is_skinned", "text_object.get_text", "text_object.set_font_size", "text_object.set_text",
    "text_object.set_vertical_offset", "vertex.get_point_position", "vertex.get_skin",
    "vertex.set_point_position", "write_int"
};

constexpr bool sorted() {
    for (std::size_t i = 1; i < std::size(operations); ++i)
        if (!(operations[i - 1] < operations[i])) return false;
    return true;
}
static_assert(sorted(), "host operation names must stay sorted and unique");

}  // namespace

bool is_host_operation(std::string_view name) {
    return std::binary_search(std::begin(operations), std::end(operations), name);
}

}  // namespace host
