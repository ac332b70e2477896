#include "studio_host.h"

#include <malloc.h>

#include "scene_files/scene_file.h"
#include "scene_files/scene_writer.h"
#include "scene/scene_edits.h"

namespace studio {

studio_host::studio_host(studio_options given, QObject* parent)
    : QObject(parent), options(std::move(given)), core(options.module_path, *this) {}

void studio_host::report(std::string const& line) {
    ++failure_count;
    Q_EMIT failure(QString::fromStdString(line));
}

void studio_host::pass_messages() {
    // Taken before they are shown: a message box runs the event loop, and what runs in it
    // must not find the same messages again.
    std::vector<std::string> shown = core.app().messages();
    core.app().clear_messages();
    for (std::string const& m : shown) Q_EMIT message(QString::fromStdString(m));
}

void studio_host::set_modified(bool on) {
    if (changed == on) return;
    changed = on;
    Q_EMIT modified_changed(on);
}

void studio_host::on_plugin_return() {
    // What the plug-in changed is compared once, when its outermost call returns.
    if (content_due && !core.in_plugin()) {
        content_due = false;
        follow_content();
    }
    if (core.has_host()) pass_messages();
    Q_EMIT window_changed();
    // The scene view draws the marks: it is told only when the plug-in made a request.
    if (mark_count() == marks_seen) return;
    marks_seen = mark_count();
    Q_EMIT scene_changed();
}

void studio_host::on_scene_change(bool content) {
    if (content) {
        ++revision;
        // A drag's every move is a change; whether it came back is looked at when it ends.
        // The plug-in's writes are looked at when it returns, a host edit at once.
        if (dragging)
            set_modified(true);
        else if (core.in_plugin())
            content_due = true;
        else
            follow_content();
    }
    Q_EMIT scene_changed();
}

void studio_host::on_scene_open() {
    ++revision;
    saved.take(*scene());
    set_modified(false);
}

bool studio_host::start(std::string const& scene_path) {
    host::host_session::reset_checks();
    start_problem.clear();
    try {
        host::host_app& app = core.make_host(options.prefs_file, options.lang);
        if (presenter) app.set_dialog_presenter(presenter);
    } catch (std::exception const& e) {
        report(e.what());
        return false;
    }
    // A scene that cannot be opened leaves the studio with an empty one: the person sees
    // why and opens another.
    std::unique_ptr<host::scene_model> opened;
    try {
        if (!scene_path.empty()) opened = host::load_scene_file(scene_path);
        core.set_scene_path(scene_path);
    } catch (std::exception const& e) {
        start_problem = e.what();
        report(e.what());
    }
    core.use_scene(opened ? std::move(opened) : std::make_unique<host::scene_model>());
    try {
        core.load_module();
    } catch (std::exception const& e) {
        report(std::string("cannot load the plug-in: ") + e.what());
        return false;
    }
    if (options.announce) core.announce();
    Q_EMIT scene_replaced();
    return start_problem.empty();
}

void studio_host::begin_drag(std::string const& shape_path) {
    scene()->begin_host_step(shape_path);
    dragging = true;
}

// A drag's moves are host-side edits: the scene's listener tells the plug-in and the views.
void studio_host::drag_point(std::string const& shape_path, int index, vec3 const& local) {
    host::move_point(*scene(), shape_path, index, local);
}

void studio_host::drag_handle(std::string const& shape_path, int index, int handle,
                              vec3 const& local) {
    host::move_handle(*scene(), shape_path, index, handle, local);
}

void studio_host::end_drag() {
    scene()->commit_host_step();
    dragging = false;
    follow_content();
    Q_EMIT scene_changed();  // the undo step is there now
}

void studio_host::cancel_drag() {
    scene()->cancel_host_step();
    dragging = false;
    follow_content();
}

void studio_host::save_scene(std::string const& file) {
    host::save_scene_file(*scene(), file);
    // The file's text is made from a JSON tree of small allocations (hundreds of megabytes
    // for a million vertices); freed, they stay with the allocator until trimmed.
    malloc_trim(0);
    core.set_scene_path(file);
    saved.take(*scene());
    set_modified(false);
}

std::map<host::shape_node const*, std::set<int>> studio_host::marked_points() const {
    std::map<shape_class const*, std::set<int>> by_shape;
    for (host::mark_request const& r : marker().requests()) {
        std::set<int>& marked = by_shape[r.shape];
        marked.clear();
        if (r.operation == 3) marked.insert(r.indices.begin(), r.indices.end());
    }
    std::map<host::shape_node const*, std::set<int>> out;
    if (!scene()) return out;
    // Only shapes still in the current scene: a request for a deleted shape has no place.
    for (host::shape_node* node : scene()->all_shapes()) {
        auto found = by_shape.find(&node->iface());
        if (found != by_shape.end() && !found->second.empty()) out[node] = found->second;
    }
    return out;
}

}  // namespace studio
