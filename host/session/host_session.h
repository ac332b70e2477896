// One session of the reference host, the same for every front end: the host root with the
// plug-in loaded, the current scene (scenes it replaced kept alive), the marking component,
// and what a person does to them (make a shape active, select and move points, delete,
// undo, change the unit, open a scene, restart). Every call into the plug-in goes through
// into_plugin, which records what the plug-in lets out and never passes it on. A front end
// hears what happened through a session_observer.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scene/scene_model.h"
#include "services/host_app.h"
#include "services/marking_component.h"
#include "services/window_model.h"
#include "session/collected_call.h"
#include "session/collected_mark.h"

namespace host {

enum class failure_kind {
    refused,   // the host refused a script line
    escaped,   // the plug-in let an exception out of a callback
    host,      // the module could not be loaded or reloaded
    violated,  // a host check failed (after the script, or expect-refs)
};

// A notification the host can send from inside one of the plug-in's host calls (during).
enum class notification { active_shapes_changed, shapes_modified, idle };
// The notification of a name ("shapes_modified", as the callbacks are named), or none.
std::optional<notification> notification_named(std::string const& name);
// "active_shapes_changed, shapes_modified, idle", for messages.
std::string const& notification_names();

// What a front end is told. Every method has a default that does nothing.
class session_observer {
public:
    virtual ~session_observer() = default;
    // A failure, as one line without the place in a script.
    virtual void on_failure(failure_kind, std::string const&) {}
    // A call into the plug-in returned (or threw).
    virtual void on_plugin_return() {}
    // The host changed the window (shown, hidden, dragged) without the plug-in.
    virtual void on_window_change() {}
    // Shapes, points, the active shape or the unit changed; content: something a save
    // would keep (points, shapes, unit), not only the selection.
    virtual void on_scene_change(bool /*content*/) {}
    // A new scene object became current (before it is announced).
    virtual void on_scene_open() {}
    // The shape tree changed (a scene opened and announced, a shape deleted or renamed).
    virtual void on_tree_change() {}
};

class host_session {
public:
    // The observer is borrowed and outlives the session.
    host_session(std::string module_path, session_observer& observer);
    // Releases the window if the front end did not.
    ~host_session();
    host_session(host_session const&) = delete;
    host_session& operator=(host_session const&) = delete;

    // Starts the host's checks afresh (fault counts, call record, counted objects).
    static void reset_checks();
    // Makes the host root with the marking component. Throws what host_app throws.
    host_app& make_host(std::string const& prefs_file, std::string const& lang);
    // Makes next the current scene; the one it replaces stays alive.
    void use_scene(std::unique_ptr<scene_model> next);
    // Loads the module (its window is created shown). Throws module_error.
    void load_module();

    // The host (only after make_host), the current scene (null before use_scene), the
    // marking component. Borrowed: they live as long as the session.
    host_app& app() { return *hostapp; }
    host_app const& app() const { return *hostapp; }
    bool has_host() const { return hostapp != nullptr; }
    bool loaded() const { return hostapp && hostapp->loaded(); }
    scene_model* scene() const { return current.get(); }
    marking_component const& marker() const { return marking; }
    // The current scene first, then the ones it replaced.
    std::vector<scene_model const*> all_scenes() const;
    // The file of the current scene ("" when none); kept by open_scene and set_scene_path.
    std::string const& scene_path() const { return path; }
    void set_scene_path(std::string file) { path = std::move(file); }
    // The plug-in's window as the host's model has it. Throws std::logic_error when none.
    window_state window() const;

    // Runs f, a call into the plug-in (what names it); an exception out of it is reported
    // as escaped and not passed on.
    void into_plugin(char const* what, std::function<void()> const& f);
    // Whether a call into the plug-in is under way (a modal dialog runs events inside it).
    bool in_plugin() const { return plugin_depth > 0; }

    // --- What a person does. The scene's refusal is thrown as it comes (std::exception);
    // the plug-in's exceptions are reported, not thrown. ---
    // active_scene_changed, and active_shapes_changed unless scene_only, when loaded.
    void announce(bool scene_only = false);
    void make_active(std::string const& shape_path);  // then active_shapes_changed
    void select_points(std::string const& shape_path, std::vector<int> indices);
    void idle_tick();  // skipped while a call into the plug-in is under way
    void hide_window();
    void show_window();
    bool undo();  // false when there was nothing to undo
    bool redo();
    void delete_shape(std::string const& shape_path);  // shapes_being_deleted first
    void set_figure_unit(float factor);                 // then figure_unit_changed
    void set_state_flag(bool on);
    void joint_changed(part_class* joint);              // current_joint_value_changed
    // The next time the plug-in makes host call operation (host_operations.h), the host
    // first sends n (to the current active shape, if any) and then answers the call: a
    // notification that arrives while the plug-in is inside its own work. One-shot; a
    // second one replaces the first. Throws std::invalid_argument for an unknown operation.
    void during(std::string const& operation, notification n);
    // The same hook, deleting instead: the next time the plug-in makes host call operation
    // while it handles a user's event on its window or an idle tick (the outermost call into
    // it, never a notification, which may hold the very shapes the deletion frees) and the
    // call is not about a shape of the subtree at shape_path, the host first deletes that
    // subtree as delete_shape does, then answers the call; until then the hook waits. The
    // path is looked up when the hook fires: with no shape there then, nothing is deleted.
    void during_delete(std::string const& operation, std::string const& shape_path);
    // The frame dragged to left, top by the user (not recorded in the call record).
    void move_window(int left, int top);
    // Opens the file as the current scene and announces it. Throws scene_file_error.
    void open_scene(std::string const& file);
    // The shape tree changed by a host-side edit (a rename).
    void tree_edited() { observer.on_tree_change(); }
    // Unloads and reloads the module (loads it after a failed restart) and announces the
    // scene; lang "" keeps the language. A failure is reported as a host failure.
    void restart(std::string const& lang = "");

    // The marking requests and recorded host calls made since the last take, with the
    // paths of their shapes as they were when collected. Collect after every action: a
    // shape deleted later still shows its path.
    void collect();
    std::vector<collected_mark> take_marks();
    std::vector<collected_call> take_calls();

    // The host's checks at the end of a run, the same for every front end: every scene's
    // violations (in the order the scenes were opened, the current one last), then the
    // window is released, then the counted objects still held or released with no reference
    // held. What was found wrong, one line each ("after the script: ..."); empty when every
    // check holds.
    std::vector<std::string> finish_run();

private:
    void on_modified(std::vector<shape_class*> const& shapes);
    // into_plugin for a notification (not a user's event or a tick).
    void notify(char const* what, std::function<void()> const& f);

    std::string module_path;
    session_observer& observer;
    marking_component marking;
    // Replaced scenes stay alive until the end: the plug-in may still hold borrowed
    // pointers into them, and a pointer to freed memory is the plug-in's fault to show, not
    // the host's to cause. Declared before the host so that they outlive it.
    std::vector<std::unique_ptr<scene_model>> retired;
    std::unique_ptr<scene_model> current;
    std::unique_ptr<host_app> hostapp;
    std::string path;
    int plugin_depth = 0;
    int notifying = 0;  // notifications under way (nested ones counted)
    std::vector<collected_mark> marks_since;
    std::size_t marks_collected = 0;  // requests of marking taken into marks_since
    std::vector<collected_call> calls_since;
};

}  // namespace host
