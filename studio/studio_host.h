// The reference host as the studio drives it: the host's session (host_session.h) with
// what only the studio does besides (save a scene, drag points, redo, the marked points
// the scene view draws), and the session's news as Qt signals: a failure, a message, a
// changed window or scene. After every call into the plug-in the window widget follows the
// host's window model.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "saved_state.h"
#include "session/host_session.h"

namespace studio {

struct studio_options {
    std::string module_path;
    std::string lang = "en";
    std::string prefs_file;  // "" keeps the preferences in memory only
    bool announce = true;    // false: start leaves the scene unannounced (--no-announce)
};

class studio_host final : public QObject, private host::session_observer {
    Q_OBJECT
public:
    explicit studio_host(studio_options options, QObject* parent = nullptr);

    // Makes the host, opens the scene file (or an empty scene for ""), loads the module
    // and announces the scene unless told not to. False, with failure() emitted, when it
    // cannot start. A scene file that cannot be opened leaves an empty scene, with the
    // plug-in loaded, and its reason in open_problem().
    bool start(std::string const& scene_path);
    // Why the scene file given to start could not be opened ("" when it could).
    std::string const& open_problem() const { return start_problem; }

    // The settings dialog's presenter, handed to the host at start.
    void set_dialog_presenter(host::dialog_presenter given) { presenter = std::move(given); }

    // The session; what it does is told through the signals below.
    host::host_session& session() { return core; }
    // The host root; only after start.
    host::host_app& app() { return core.app(); }
    std::string const& language() const { return core.has_host() ? core.app().language() : options.lang; }
    // Borrowed; null before start.
    host::scene_model* scene() const { return core.scene(); }
    std::string const& scene_path() const { return core.scene_path(); }
    host::marking_component const& marker() const { return core.marker(); }
    bool loaded() const { return core.loaded(); }
    // The plug-in's window as the host's model has it; throws std::logic_error when none.
    host::window_state window_model() const { return core.window(); }

    // Runs f, a call into the plug-in (what names it in a report); an exception out of it
    // is reported as the plug-in's failure. Then the window widget follows the model.
    void into_plugin(char const* what, std::function<void()> const& f) { core.into_plugin(what, f); }

    // --- What a person does (each throws std::invalid_argument / scene_file_error on a
    // refused input; the plug-in's exceptions are reported, not thrown) ---
    void make_active(std::string const& shape_path) { core.make_active(shape_path); }
    void select_points(std::string const& shape_path, std::vector<int> indices) {
        core.select_points(shape_path, std::move(indices));
    }
    // A drag in the scene view: begin_drag opens one host undo step for the shape at path,
    // drag_point and drag_handle move (a host-side edit, then shapes_modified), end_drag
    // files the step. handle: 1 In, 2 Out, 3 L in, 4 L out.
    void begin_drag(std::string const& shape_path);
    void drag_point(std::string const& shape_path, int index, vec3 const& local);
    void drag_handle(std::string const& shape_path, int index, int handle, vec3 const& local);
    void end_drag();
    // Between begin_drag and end_drag (or cancel_drag).
    bool in_drag() const { return dragging; }
    // Calls the drag off: its shape is put back as it was at begin_drag, with no step.
    void cancel_drag();
    // The host's undo and redo; false when nothing changes (see undo_history.h).
    bool undo() { return core.undo(); }
    bool redo() { return core.redo(); }
    bool can_undo() const { return scene() && scene()->can_undo(); }
    bool can_redo() const { return scene() && scene()->can_redo(); }
    // One idle tick, unless a call into the plug-in is under way (a modal dialog the
    // plug-in opened runs the event loop inside its callback).
    void idle_tick() { core.idle_tick(); }
    void hide_window() { core.hide_window(); }
    void show_window() { core.show_window(); }
    void open_scene(std::string const& file) { core.open_scene(file); }  // replaces, announces
    void save_scene(std::string const& file);
    // Unloads and reloads the module, then announces the scene; lang "" keeps the language.
    void restart(std::string const& lang = "") { core.restart(lang); }

    // Points the plug-in has marked, per shape: the last mark request for a shape that is
    // not followed by a clear. Flat point indices of that shape.
    std::map<host::shape_node const*, std::set<int>> marked_points() const;

    // The number of failures reported since start.
    int failures() const { return failure_count; }

    // Whether the scene's content (points, shapes, figure unit) differs from what was
    // opened or saved, by the person's or the plug-in's edits; selecting is not a change,
    // nor an edit that changed nothing, and undoing back to the saved content clears it.
    bool modified() const { return changed; }
    // Counts every change of the scene's geometry or of the scene object: the scene view
    // rebuilds what it draws when it moved on.
    long geometry_revision() const { return revision; }
    // Counts the marking requests the plug-in made.
    std::size_t mark_count() const { return core.marker().requests().size(); }

Q_SIGNALS:
    // After every call into the plug-in and every host-side change of its window.
    void window_changed();
    // Shapes, points or the active shape changed.
    void scene_changed();
    // A new scene object (open, start) or a shape was deleted or renamed: the tree must be
    // rebuilt.
    void scene_replaced();
    // One line: a refused action or the plug-in's failure.
    void failure(QString const& line);
    // A text the plug-in showed with show_message.
    void message(QString const& text);
    // modified() changed.
    void modified_changed(bool modified);

private:
    // session_observer
    void on_failure(host::failure_kind, std::string const& line) override { report(line); }
    void on_plugin_return() override;
    void on_window_change() override { Q_EMIT window_changed(); }
    void on_scene_change(bool content) override;
    void on_scene_open() override;
    void on_tree_change() override { Q_EMIT scene_replaced(); }

    void report(std::string const& line);
    void pass_messages();
    // The scene's content changed (or, with false, was saved or opened).
    void set_modified(bool on);
    // Compares the scene with what was opened or saved.
    void follow_content() { set_modified(scene() && !saved.matches(*scene())); }

    studio_options options;
    host::dialog_presenter presenter;
    int failure_count = 0;
    std::string start_problem;
    bool changed = false;
    saved_state saved;    // the content last opened or saved
    bool dragging = false;  // between begin_drag and end_drag: compared once, at the end
    bool content_due = false;  // the plug-in changed the content: compared when it returns
    long revision = 0;
    std::size_t marks_seen = 0;  // marking requests the scene view was told of
    // Last: it goes first, while the signals' receivers still live.
    host::host_session core;
};

}  // namespace studio
