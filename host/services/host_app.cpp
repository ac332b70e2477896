#include "services/host_app.h"

#include <stdexcept>

#include "checks/host_checks.h"
#include "resources/module_resource.h"
#include "resources/resource_file.h"
#include "host_component_ids.h"
#include "host_scene.h"
#include "windowinterface"

namespace host {

host_app::host_app(std::string const& prefs_file, std::string const& new_lang)
    : store(std::make_unique<preference_store>(prefs_file)), lang(new_lang) {
    if (!is_known_language(lang))
        throw std::invalid_argument("unknown language \"" + lang + "\" (expected en or ja)");
}

host_app::~host_app() {
    if (!loaded() && !module) return;
    try {
        unload();
    } catch (...) {
        // A window that outlives its release keeps its module mapped; nothing else to do.
    }
}

// --- what the plug-in calls ---

plugin_services_interface* host_app::get_plugin_services(void*) {
    host_call("get_plugin_services");
    return &service_object;
}

scene_interface* host_app::get_scene_interface(void*) {
    host_call("get_scene_interface");
    hand_out(current_scene);
    return current_scene;
}

marking_interface* host_app::get_plugin_interface(tq::uuid_class const& id, void*) {
    host_call("get_plugin_interface");
    return id == elements_preference_uuid ? marking : nullptr;
}

preference_store_interface* host_app::get_preference_store(void*) {
    host_call("get_preference_store");
    hand_out(store.get());
    return store.get();
}

dialog_interface* host_app::create_dialog(tq::uuid_class const& id, void*) {
    host_call("create_dialog");
    auto dialog = new resource_dialog(id, resources, lang, next_answer, finished_dialog,
                                      dialog_failure);
    if (presenter) dialog->use_presenter(&presenter);
    hand_out(dialog);
    return dialog;
}

void host_app::show_message(char const* text, int a, int b, void*) {
    host_call("show_message", nullptr, text, a, b);
    shown_messages.emplace_back(text ? text : "");
}

// --- resources ---

void host_app::set_language(std::string const& new_lang) {
    if (!is_known_language(new_lang))
        throw std::invalid_argument("unknown language \"" + new_lang + "\" (expected en or ja)");
    if (!resources.empty()) use_strings(resources, new_lang);
    lang = new_lang;
}

void host_app::set_resource_dir(std::string const& dir) { use_strings(dir, lang); }

void host_app::use_strings(std::string const& dir, std::string const& table_lang) {
    // Read first: a table that cannot be read leaves the current one in place.
    module_resource text = read_module_resource(dir, table_lang, "TEXT");
    auto table = std::make_unique<string_table>(string_table::parse(text.text, text.source));
    resources = dir;
    strings = std::move(table);
    service_object.use_strings(strings.get());
}

// --- the module ---

registration host_app::inspect(std::string const& module_path) {
    if (module) throw std::logic_error("inspect: a module is already loaded");
    module = std::make_unique<plugin_module>(module_path);
    try {
        set_resource_dir(module->resource_dir());
        registration answers = module->register_plugin(*this);
        drop_module();
        return answers;
    } catch (...) {
        drop_module();
        throw;
    }
}

registration host_app::load(std::string const& module_path) {
    if (module) throw std::logic_error("load: a module is already loaded");
    module = std::make_unique<plugin_module>(module_path);
    registration answers;
    try {
        set_resource_dir(module->resource_dir());
        answers = module->register_plugin(*this);
        window_object = module->create_window(*this);
    } catch (...) {
        // No window exists (its constructor cleaned up after itself): unload at once.
        drop_module();
        throw;
    }
    service_object.open_window(*window_object);
    try {
        window_object->initialize(nullptr);
    } catch (...) {
        try {
            unload();
        } catch (...) {
            // The module is kept mapped; the initialize failure is the one to report.
        }
        throw;
    }
    return answers;
}

void host_app::attach_window(window_interface& window) {
    if (window_object) throw std::logic_error("attach_window: a window is already open");
    window_object = &window;
    service_object.open_window(window);
}

void host_app::unload() {
    if (!module && !window_object) throw std::logic_error("unload: nothing is loaded");
    unsigned long left = 0;
    if (window_object) {
        window_interface* window = window_object;
        window_object = nullptr;
        left = window->Release();
        if (service_object.has_window(*window)) service_object.close_window(*window);
    }
    if (left != 0) {
        std::string path = module ? module->path() : std::string("attached window");
        if (module) kept_modules.push_back(std::move(module));
        throw module_error(path + ": the window outlived its release (" + std::to_string(left) +
                           " references left); its module stays loaded");
    }
    drop_module();
}

registration host_app::restart() {
    if (!module) throw std::logic_error("restart: no module is loaded");
    std::string path = module->path();
    unload();
    return load(path);
}

void host_app::drop_module() {
    if (!module) return;
    service_object.use_strings(nullptr);
    strings.reset();
    module.reset();
}

// --- notifications ---

window_interface& host_app::require_window(char const* what) const {
    if (!window_object) throw std::logic_error(std::string(what) + ": no plug-in window is open");
    return *window_object;
}

namespace {

// The flag a notification was answered with goes into the call record: the reference host
// does not act on it, but a host may, so a script can check it.
bool answered(char const* notification, bool flag) {
    faults().notification_answer(notification, flag);
    return flag;
}

}  // namespace

bool host_app::active_scene_changed() {
    bool flag = true;
    require_window("active_scene_changed").active_scene_changed(flag, current_scene, nullptr);
    return answered("active_scene_changed", flag);
}

bool host_app::active_shapes_changed(std::vector<shape_class*> const& before,
                                     std::vector<shape_class*> const& after) {
    bool flag = true;
    require_window("active_shapes_changed")
        .active_shapes_changed(flag, current_scene, static_cast<int>(before.size()),
                               before.data(), static_cast<int>(after.size()), after.data(),
                               nullptr);
    return answered("active_shapes_changed", flag);
}

bool host_app::shapes_modified(std::vector<shape_class*> const& shapes) {
    bool flag = true;
    require_window("shapes_modified")
        .shapes_modified(flag, current_scene, static_cast<int>(shapes.size()), shapes.data(),
                         nullptr);
    return answered("shapes_modified", flag);
}

bool host_app::current_joint_value_changed(std::vector<part_class*> const& joints) {
    bool flag = true;
    require_window("current_joint_value_changed")
        .current_joint_value_changed(flag, current_scene, static_cast<int>(joints.size()),
                                     joints.data(), nullptr);
    return answered("current_joint_value_changed", flag);
}

bool host_app::figure_unit_changed() {
    bool flag = true;
    require_window("figure_unit_changed").figure_unit_changed(flag, current_scene, nullptr);
    return answered("figure_unit_changed", flag);
}

bool host_app::shapes_being_deleted(std::vector<shape_class*> const& shapes) {
    bool flag = true;
    require_window("shapes_being_deleted")
        .shapes_being_deleted(flag, current_scene, static_cast<int>(shapes.size()),
                              shapes.data(), nullptr);
    return answered("shapes_being_deleted", flag);
}

void host_app::idle() { require_window("idle").idle(nullptr); }

void host_app::hide_window() {
    service_object.set_window_shown(require_window("hide_window"), false);
}

void host_app::show_window() {
    service_object.set_window_shown(require_window("show_window"), true);
}

}  // namespace host
