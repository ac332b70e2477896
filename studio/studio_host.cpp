#include "studio_host.h"

#include <stdexcept>

#include "checks/host_checks.h"
#include "files/scene_file.h"
#include "files/scene_writer.h"
#include "scene/scene_edits.h"
#include "session/scene_announcement.h"

namespace studio {

studio_host::studio_host(studio_options given, QObject* parent)
    : QObject(parent), options(std::move(given)) {}

studio_host::~studio_host() {
    if (!loaded()) return;
    try {
        hostapp->unload();
    } catch (...) {
        // A window that outlived its release keeps its module mapped; nothing more to do.
    }
}

void studio_host::report(std::string const& line) {
    ++failure_count;
    Q_EMIT failure(QString::fromStdString(line));
}

void studio_host::pass_messages() {
    // Taken before they are shown: a message box runs the event loop, and what runs in it
    // must not find the same messages again.
    std::vector<std::string> shown = hostapp->messages();
    hostapp->clear_messages();
    for (std::string const& m : shown) Q_EMIT message(QString::fromStdString(m));
}

void studio_host::set_modified(bool on) {
    if (changed == on) return;
    changed = on;
    Q_EMIT modified_changed(on);
}



bool studio_host::start(std::string const& scene_path) {
    host::faults().record_calls(false);
    host::faults().reset();
    host::audit().reset();
    start_problem.clear();
    try {
        hostapp = std::make_unique<host::host_app>(options.prefs_file, options.lang);
        hostapp->set_marking_component(&marking);
        if (presenter) hostapp->set_dialog_presenter(presenter);
    } catch (std::exception const& e) {
        report(e.what());
        return false;
    }
    // A scene that cannot be opened leaves the studio with an empty one: the person sees
    // why and opens another.
    std::unique_ptr<host::scene_model> opened;
    try {
        if (!scene_path.empty()) opened = host::load_scene_file(scene_path);
        path = scene_path;
    } catch (std::exception const& e) {
        start_problem = e.what();
        report(e.what());
    }
    use_scene(opened ? std::move(opened) : std::make_unique<host::scene_model>());
    try {
        hostapp->load(options.module_path);
    } catch (std::exception const& e) {
        report(std::string("cannot load the plug-in: ") + e.what());
        return false;
    }
    if (options.announce) announce();
    Q_EMIT scene_replaced();
    return start_problem.empty();
}

host::window_state studio_host::window_model() const {
    if (!loaded()) throw std::logic_error("no plug-in window is open");
    return hostapp->services().state(*hostapp->window());
}

std::vector<host::scene_model const*> studio_host::all_scenes() const {
    std::vector<host::scene_model const*> scenes;
    if (current) scenes.push_back(current.get());
    for (auto const& s : retired) scenes.push_back(s.get());
    return scenes;
}

void studio_host::into_plugin(char const* what, std::function<void()> const& f) {
    std::size_t marks_before = mark_count();
    ++plugin_depth;
    try {
        f();
    } catch (std::exception const& e) {
        report(std::string(what) + ": the plug-in let an exception through: " + e.what());
    } catch (...) {
        report(std::string(what) + ": the plug-in let an exception through (not a std::exception)");
    }
    --plugin_depth;
    if (hostapp) pass_messages();
    Q_EMIT window_changed();
    // The scene view draws the marks: it is told only when the plug-in made a request.
    if (mark_count() != marks_before) Q_EMIT scene_changed();
}

void studio_host::use_scene(std::unique_ptr<host::scene_model> next) {
    if (current) {
        current->set_modification_listener({});
        retired.push_back(std::move(current));
    }
    current = std::move(next);
    // Every change, also from inside the plug-in's own writes, is told to the window.
    current->set_modification_listener([this](std::vector<shape_class*> const& shapes) {
        ++revision;
        set_modified(true);
        if (loaded()) into_plugin("shapes_modified", [&] { hostapp->shapes_modified(shapes); });
        Q_EMIT scene_changed();
    });
    hostapp->set_scene(current.get());
    ++revision;
    set_modified(false);
}

void studio_host::announce() {
    if (!loaded()) return;
    host::announce_scene(*hostapp, *current, [this](char const* what, std::function<void()> const& send) {
        into_plugin(what, send);
    });
}

void studio_host::make_active(std::string const& shape_path) {
    std::vector<shape_class*> before, after;
    if (current->active_shape()) before.push_back(&current->active_shape()->iface());
    current->set_active_shape(shape_path);
    if (current->active_shape()) after.push_back(&current->active_shape()->iface());
    if (loaded())
        into_plugin("active_shapes_changed", [&] { hostapp->active_shapes_changed(before, after); });
    Q_EMIT scene_changed();
}

void studio_host::select_points(std::string const& shape_path, std::vector<int> indices) {
    // As in a host, selecting points sends no notification: the idle tick finds it.
    current->set_active_points(shape_path, std::move(indices));
    Q_EMIT scene_changed();
}

void studio_host::move_point(std::string const& shape_path, int index, vec3 const& local) {
    // The scene's modification listener sends shapes_modified.
    host::move_point(*current, shape_path, index, local);
}

void studio_host::begin_drag(std::string const& shape_path) { current->begin_host_step(shape_path); }

void studio_host::drag_point(std::string const& shape_path, int index, vec3 const& local) {
    host::move_point(*current, shape_path, index, local);
}

void studio_host::drag_handle(std::string const& shape_path, int index, int handle,
                              vec3 const& local) {
    host::move_handle(*current, shape_path, index, handle, local);
}

void studio_host::end_drag() { current->commit_host_step(); }

bool studio_host::undo() {
    // The scene's listener tells the plug-in and the views when something was restored.
    return current->undo();
}

bool studio_host::redo() { return current->redo(); }

void studio_host::idle_tick() {
    if (loaded() && plugin_depth == 0) into_plugin("idle", [&] { hostapp->idle(); });
}

void studio_host::hide_window() {
    if (!loaded()) return;
    hostapp->hide_window();
    Q_EMIT window_changed();
}

void studio_host::show_window() {
    if (!loaded()) return;
    hostapp->show_window();
    Q_EMIT window_changed();
}

void studio_host::open_scene(std::string const& file) {
    use_scene(host::load_scene_file(file));
    path = file;
    announce();
    Q_EMIT scene_replaced();
}

void studio_host::save_scene(std::string const& file) {
    host::save_scene_file(*current, file);
    path = file;
    set_modified(false);
}

void studio_host::delete_shape(std::string const& shape_path) {
    current->delete_shape(shape_path, [&](std::vector<shape_class*> const& doomed) {
        if (loaded())
            into_plugin("shapes_being_deleted", [&] { hostapp->shapes_being_deleted(doomed); });
    });
    ++revision;
    set_modified(true);
    Q_EMIT scene_replaced();
}

void studio_host::set_figure_unit(float factor) {
    current->set_figure_unit(factor);
    set_modified(true);
    if (loaded()) into_plugin("figure_unit_changed", [&] { hostapp->figure_unit_changed(); });
    Q_EMIT scene_changed();
}

void studio_host::joint_changed(std::string const& shape_path) {
    host::shape_node* node = current->find(shape_path);
    auto* joint = node ? dynamic_cast<part_class*>(&node->iface()) : nullptr;
    if (!joint) throw std::invalid_argument("\"" + shape_path + "\" is not a part");
    if (loaded())
        into_plugin("current_joint_value_changed",
                    [&] { hostapp->current_joint_value_changed({joint}); });
}

void studio_host::restart(std::string const& lang) {
    try {
        if (!lang.empty()) hostapp->set_language(lang);
        if (hostapp->loaded())
            hostapp->restart();
        else
            hostapp->load(options.module_path);
    } catch (std::exception const& e) {
        report(std::string("restart: ") + e.what());
        Q_EMIT window_changed();
        return;
    }
    announce();
}

std::map<host::shape_node const*, std::set<int>> studio_host::marked_points() const {
    std::map<shape_class const*, std::set<int>> by_shape;
    for (host::mark_request const& r : marking.requests()) {
        std::set<int>& marked = by_shape[r.shape];
        marked.clear();
        if (r.operation == 3) marked.insert(r.indices.begin(), r.indices.end());
    }
    std::map<host::shape_node const*, std::set<int>> out;
    if (!current) return out;
    // Only shapes still in the current scene: a request for a deleted shape has no place.
    for (host::shape_node* node : current->all_shapes()) {
        auto found = by_shape.find(&node->iface());
        if (found != by_shape.end() && !found->second.empty()) out[node] = found->second;
    }
    return out;
}

}  // namespace studio
