// The reference host's root: the tessel_interface the plug-in is created on. It owns the
// plug-in services object, the preference store, the string table and the loaded module,
// and offers the host's side: loading and unloading the module, the scene it announces,
// the notifications and idle ticks a host sends, dialog choices and shown messages.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "resources/string_table.h"
#include "host_component_ids.h"
#include "mark_elements.h"
#include "services/plugin_module.h"
#include "services/plugin_services.h"
#include "services/preference_store.h"
#include "services/resource_dialog.h"
#include "services/user_controls.h"
#include "tessel_interface.h"

class part_class;
class shape_class;

namespace host {

// The integer-family identifier under which the marking component is registered.

class host_app final : public tessel_interface {
public:
    // prefs_file: where the preference store lives ("" keeps it in memory only);
    // lang: "en" or "ja". Throws std::invalid_argument for another language and host_error
    // for an unreadable preference file.
    explicit host_app(std::string const& prefs_file = "", std::string const& lang = "en");
    // Releases the window and unloads the module if one is loaded.
    ~host_app();
    host_app(host_app const&) = delete;
    host_app& operator=(host_app const&) = delete;

    // --- What the plug-in calls ---
    plugin_services_interface* get_plugin_services(void* reserved = nullptr) override;
    // The scene given to set_scene, AddRef'ed for the caller; null when there is none.
    scene_interface* get_scene_interface(void* reserved = nullptr) override;
    // The marking component for elements_preference_uuid, null for anything else.
    marking_interface* get_plugin_interface(tq::uuid_class const& id,
                                            void* reserved = nullptr) override;
    // The one preference store, AddRef'ed for the caller.
    preference_store_interface* get_preference_store(void* reserved = nullptr) override;
    // A new dialog reading its description from the module's resources, one reference.
    dialog_interface* create_dialog(tq::uuid_class const& id, void* reserved = nullptr) override;
    // Records text; the runner prints it.
    void show_message(char const* text, int a, int b, void* reserved = nullptr) override;

    // --- The host's side ---
    plugin_services& services() { return service_object; }
    // What the user does to the plug-in's controls.
    user_controls& user() { return user_side; }
    preference_store& preferences() { return *store; }

    std::string const& language() const { return lang; }
    // Switches the string table (and later dialogs) to lang, "en" or "ja".
    void set_language(std::string const& new_lang);
    // Where string tables and dialog descriptions are read from; load sets it to the
    // module's resources. Reads the string table of the current language at once.
    void set_resource_dir(std::string const& dir);
    std::string const& resource_dir() const { return resources; }

    // The current scene. Borrowed: the caller keeps it alive while it is set; the plug-in
    // gets counted references to it through get_scene_interface.
    void set_scene(scene_interface* scene) { current_scene = scene; }
    scene_interface* scene() const { return current_scene; }
    // Borrowed as well; null removes it.
    void set_marking_component(marking_interface* component) { marking = component; }

    std::vector<std::string> const& messages() const { return shown_messages; }
    void clear_messages() { shown_messages.clear(); }

    // Choices (item id -> state) the next dialog's ask applies; unnamed items keep theirs.
    void queue_dialog_choices(std::map<int, bool> const& choices) {
        next_answer.choices = choices;
    }
    // Whether the next dialog's ask, when no presenter is set, answers Cancel (else OK).
    void queue_dialog_cancel(bool cancel) { next_answer.cancel = cancel; }
    // Shows later dialogs to a person (a desktop front end); an empty one removes it.
    void set_dialog_presenter(dialog_presenter given) { presenter = std::move(given); }
    // The last dialog run to its end, with OK or Cancel.
    dialog_run const& last_dialog() const { return finished_dialog; }
    // Why the last dialog's description could not be read ("" when it could): the plug-in
    // gets an exception and may say nothing, so the host keeps the reason.
    std::string const& dialog_problem() const { return dialog_failure; }
    // Forgets the last dialog run and its problem, before a new one is asked for.
    void forget_dialog() {
        finished_dialog = {};
        dialog_failure.clear();
    }

    // Registration answers of the module at path without creating a window; the module is
    // unloaded again. Throws module_error / host_error with the file named.
    registration inspect(std::string const& module_path);
    // Loads the module, registers it, creates its window (shown, at the default spot) and
    // initializes it. On any failure nothing stays loaded and the error passes on.
    registration load(std::string const& module_path);
    // Releases the window and unloads the module (if any). If the window outlives its
    // release the module stays mapped (its code is still in use) and module_error reports it.
    void unload();
    // Takes over one reference to a window made elsewhere (a test's own window), gives it a
    // host window and sends it the notifications from now on; unload releases it. Does not
    // call initialize.
    void attach_window(window_interface& window);
    // unload, then load the same module again; the preference store stays as it is.
    registration restart();
    bool loaded() const { return window_object != nullptr; }
    // The plug-in's window, borrowed from the host's one reference; null when not loaded.
    window_interface* window() const { return window_object; }

    // Notifications as a host sends them to the window, each with a fresh flag (starting
    // true, so that a callback that writes nothing shows) and a null reserved pointer; the
    // scene argument is the current scene. They answer the flag as the window left it.
    // Exceptions out of the window pass on. Without a window they throw std::logic_error.
    bool active_scene_changed();
    bool active_shapes_changed(std::vector<shape_class*> const& before,
                               std::vector<shape_class*> const& after);
    bool shapes_modified(std::vector<shape_class*> const& shapes);
    bool current_joint_value_changed(std::vector<part_class*> const& joints);
    bool figure_unit_changed();
    bool shapes_being_deleted(std::vector<shape_class*> const& shapes);
    // One idle tick: the window's idle(nullptr).
    void idle();
    // The user hides or shows the plug-in's window.
    void hide_window();
    void show_window();

private:
    window_interface& require_window(char const* what) const;
    void use_strings(std::string const& dir, std::string const& table_lang);
    void drop_module();

    plugin_services service_object;
    user_controls user_side{service_object};
    std::unique_ptr<preference_store> store;
    std::string lang;
    std::string resources;
    std::unique_ptr<string_table> strings;
    scene_interface* current_scene = nullptr;
    marking_interface* marking = nullptr;
    std::vector<std::string> shown_messages;
    dialog_answer next_answer;
    dialog_run finished_dialog;
    dialog_presenter presenter;
    std::string dialog_failure;
    std::unique_ptr<plugin_module> module;
    window_interface* window_object = nullptr;
    // Modules whose window survived its release: never unmapped.
    std::vector<std::unique_ptr<plugin_module>> kept_modules;
};

}  // namespace host
