// Default bodies of the host's callback interface.
#include "plugininterface"

#include <cstdint>
#include <typeinfo>
#include <vector>

int plugin_interface::get_id(void*) { return 0; }
int plugin_interface::get_property_type(int, void*) { return 0; }
int plugin_interface::get_property_id(int, void*) { return 0; }
char const* plugin_interface::get_property_name(tessel_interface*, int, void*) { return 0; }
void plugin_interface::get_bool_property_value(int, bool&, void*) {}
void plugin_interface::set_bool_property_value(int, bool, void*) {}
void plugin_interface::get_int_property_value(int, int&, void*) {}
void plugin_interface::set_int_property_value(int, int, void*) {}
void plugin_interface::get_float_property_value(int, float&, void*) {}
void plugin_interface::set_float_property_value(int, float, void*) {}
void plugin_interface::get_vec3_property_value(int, vec3&, void*) {}
void plugin_interface::set_vec3_property_value(int, vec3 const&, void*) {}
void plugin_interface::get_rgb_property_value(int, vec3&, void*) {}
void plugin_interface::set_rgb_property_value(int, vec3 const&, void*) {}
void plugin_interface::get_selection_property_value(int, unsigned int&, void*) {}
void plugin_interface::set_selection_property_value(int, unsigned int, void*) {}
void plugin_interface::get_string_property_value(int, char const*&, void*) {}
void plugin_interface::set_string_property_value(int, char const*, void*) {}
char const* plugin_interface::get_dialog_title(tessel_interface*, void*) { return 0; }
void plugin_interface::get_double_property_value(int, double&, void*) {}
void plugin_interface::set_double_property_value(int, double, void*) {}
char const* plugin_interface::get_property_unit(tessel_interface*, int, void*) { return 0; }
void plugin_interface::shapes_moved(bool& flag, scene_interface*, int, shape_class* const*, mat4 const&, void*) { flag = false; }
void plugin_interface::active_shapes_changed(bool& flag, scene_interface*, int, shape_class* const*, int, shape_class* const*, void*) { flag = false; }
void plugin_interface::current_joint_value_changed(bool& flag, scene_interface*, int, part_class* const*, void*) { flag = false; }
void plugin_interface::scene_opened(bool& flag, scene_interface*, void*) { flag = false; }
void plugin_interface::scene_closed(bool& flag, scene_interface*, void*) { flag = false; }
void plugin_interface::do_it(tessel_interface*, scene_interface*, void*) {}
void plugin_interface::camera_changed(bool& flag, scene_interface*, void*) { flag = false; }
void plugin_interface::sequence_changed(bool& flag, float, scene_interface*, int, part_class* const*, void*) { flag = false; }
void plugin_interface::shapes_copied(bool& flag, scene_interface*, int, shape_class* const*, mat4 const&, void*) { flag = false; }
void plugin_interface::name_changed(bool& flag, char const*, shape_class&, void*) { flag = false; }
void plugin_interface::shapes_being_deleted(bool& flag, scene_interface*, int, shape_class* const*, void*) { flag = false; }
void plugin_interface::shapes_created(bool& flag, scene_interface*, int, shape_class* const*, void*) { flag = false; }
void plugin_interface::idle_task(bool& flag, scene_interface*, void*) { flag = false; }
bool plugin_interface::must_remember_properties(void*) { return true; }
bool plugin_interface::has_reset_button() const { return false; }
bool plugin_interface::has_default_button() const { return false; }
int plugin_interface::get_bool_default_value(int, void*) { return 0; }
int plugin_interface::get_int_default_value(int, void*) { return 0; }
float const* plugin_interface::get_float_default_value(int, void*) { return 0; }
vec3 const* plugin_interface::get_vec3_default_value(int, void*) { return 0; }
vec3 const* plugin_interface::get_rgb_default_value(int, void*) { return 0; }
int plugin_interface::get_selection_default_value(int, void*) { return 0; }
char const* plugin_interface::get_string_default_value(int, void*) { return 0; }
double const* plugin_interface::get_double_default_value(int, void*) { return 0; }
void plugin_interface::mac_event_obsolete(void*) {}
bool plugin_interface::accepts_sphere(void*) const { return false; }
bool plugin_interface::accepts_disk(void*) const { return false; }
bool plugin_interface::accepts_rectangle(void*) const { return false; }
bool plugin_interface::accepts_translation(void*) const { return false; }
bool plugin_interface::set_sphere(vec3 const&, float, int) { return true; }
bool plugin_interface::set_disk(vec3 const&, float, int, void*) { return true; }
bool plugin_interface::set_rectangle(vec3 const&, vec3 const&, int, void*) { return true; }
bool plugin_interface::set_translation(mat4 const&, vec3 const&, int) { return true; }
bool plugin_interface::select_control(bool, bool) { return false; }
bool plugin_interface::pre_create(scene_interface*, void*) { return true; }
void plugin_interface::joint_matrix(bool& flag, part_class&, float, mat4&, void*) { flag = false; }
void plugin_interface::shapes_inserted(bool& flag, scene_interface*, int, shape_class* const*, void*) { flag = false; }
void plugin_interface::current_joint_value_changing(bool& flag, scene_interface*, int, part_class* const*, void*) { flag = false; }
void plugin_interface::active_scene_changed(bool& flag, scene_interface*, void*) { flag = false; }
bool plugin_interface::undoable(void*) const { return false; }
int plugin_interface::plugin_interface_test_1(void*) { return 1; }
void plugin_interface::make_wireframe_obsolete(shape_class&, mat4 const&, int, void*) {}
bool plugin_interface::accepts_wireframe(void*) { return false; }
void plugin_interface::append_preference_items(dialog_interface*, void*) {}
void plugin_interface::preference_ok(dialog_interface*, void*) {}
void plugin_interface::setup_preference_items(dialog_interface*, void*) {}
bool plugin_interface::accepts_prequickrendering(void*) { return false; }
void plugin_interface::prequickrendering(scene_interface*, int, void*) {}
void plugin_interface::figure_scale_changed(bool& flag, scene_interface*, void*) { flag = false; }
void plugin_interface::figure_unit_changed(bool& flag, scene_interface*, void*) { flag = false; }
void plugin_interface::make_wireframe(shape_class&, mat4 const&, int, int, void*) {}
void plugin_interface::surface_changed(bool& flag, surface_interface*, void*) { flag = false; }
void plugin_interface::diffuse_changed(bool& flag, shape_class&, void*) { flag = false; }
void plugin_interface::surface_being_deleted(bool& flag, surface_interface*, void*) { flag = false; }
int plugin_interface::get_property_plugin_id(int, void*) { return 0; }
void plugin_interface::delete_self(void*) {}
void plugin_interface::create_line_mode_entered(bool& flag, scene_interface*, int, void*) { flag = false; }
void plugin_interface::create_line_mode_exited(bool& flag, scene_interface*, int, void*) { flag = false; }
void plugin_interface::creating_shape_changed(bool& flag, shape_class&, void*) { flag = false; }
char const* plugin_interface::get_exception_string() const { return 0; }
void plugin_interface::context(dll_interface*, void*) {}
void plugin_interface::scene_being_saved(bool& flag, scene_interface*, void*) { flag = false; }
void plugin_interface::local_light_changed(bool& flag, shape_class&, void*) { flag = false; }
void plugin_interface::distant_light_changed(bool& flag, scene_interface*, int, void*) { flag = false; }
void plugin_interface::current_distant_light_index_changed(bool& flag, int, void*) { flag = false; }
void plugin_interface::current_mapping_index_changed(bool& flag, int, void*) { flag = false; }
int plugin_interface::get_property_lines(int, void*) { return 0; }
void plugin_interface::get_rgba_property_value(int, vec4&, void*) {}
void plugin_interface::set_rgba_property_value(int, vec4 const&, void*) {}
void plugin_interface::cleanup(void*) {}
void plugin_interface::initialize_dialog(dialog_interface&, void*) {}
bool plugin_interface::respond(dialog_interface&, dialog_item_class&, int, void*) { return false; }
void plugin_interface::load_dialog_data(dialog_interface&, void*) {}
void plugin_interface::save_dialog_data(dialog_interface&, void*) {}
void plugin_interface::shapes_modified(bool& flag, scene_interface*, int, shape_class* const*, void*) { flag = false; }
int plugin_interface::get_property_flag(int, void*) { return 0; }
void plugin_interface::sequence_mode_changed(bool& flag, scene_interface*, bool, void*) { flag = false; }
void plugin_interface::browser_updated(bool& flag, scene_interface*, void*) { flag = false; }
void plugin_interface::surface_updated(bool& flag, scene_interface*, void*) { flag = false; }
void plugin_interface::get_list_property_value(int, std::vector<tq::list_item_value_class>&, void*) {}
void plugin_interface::set_list_property_value(int, std::vector<tq::list_item_value_class> const&, void*) {}
void plugin_interface::setup_rendering_view(bool& flag, rendering_context_interface*, void*) { flag = false; }
void plugin_interface::sound_stopped(bool& flag, void*) { flag = false; }
void plugin_interface::dialog_idle(dialog_interface&, void*) {}
bool plugin_interface::can_choose_directory(int, void*) { return false; }
bool plugin_interface::can_choose_file(int, void*) { return false; }
char const* plugin_interface::get_include_resource_name(int, void*) { return 0; }
void plugin_interface::create_rendering_objects(bool& flag, shape_class&, scene_interface&, void*) { flag = false; }
void plugin_interface::pre_rendering(bool& flag, rendering_context_interface*, void*) { flag = false; }
void plugin_interface::post_rendering(bool& flag, rendering_context_interface*) { flag = false; }
bool plugin_interface::operation_118(void*) { return false; }
void plugin_interface::register_tags(void*) {}

int plugin_interface::terminate(dialog_interface&, int code, void*) { return code; }

tq::uuid_class plugin_interface::get_uuid(void*) {
    return tq::uuid_class(static_cast<std::uint32_t>(get_id(nullptr)));
}

tq::uuid_class plugin_interface::get_property_plugin_uuid(int, void*) { return tq::uuid_class(); }

bool plugin_interface::allow_shading_display(bool& flag, shape_class&, void*) {
    flag = false;
    return true;
}

void plugin_interface::modify_joint_matrix(bool& flag, shape_class const& shape,
                                           joint_value_class const&, float t, mat4& matrix,
                                           void*) {
    // A run-time type check of the host's object: only parts have a joint matrix.
    if (auto part = dynamic_cast<part_class const*>(&shape))
        joint_matrix(flag, const_cast<part_class&>(*part), t, matrix, nullptr);
}

int plugin_interface::version() const {
    try {
        return get_tessel_version();
    } catch (int thrown) {
        return thrown;
    }
}

tq::uuid_class plugin_interface::uuid() {
    if (version() >= 390398) return get_uuid(nullptr);
    return tq::uuid_class(static_cast<std::uint32_t>(get_id(nullptr)));
}
