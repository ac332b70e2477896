#include "session/host_session.h"

#include <algorithm>
#include <stdexcept>

#include "checks/host_checks.h"
#include "scene_files/scene_file.h"
#include "services/window_snapshot.h"
#include "session/scene_announcement.h"

namespace host {

namespace {

struct named_notification {
    char const* name;
    notification n;
};
constexpr named_notification notifications[] = {
    {"active_shapes_changed", notification::active_shapes_changed},
    {"shapes_modified", notification::shapes_modified},
    {"idle", notification::idle},
};

char const* name_of(notification n) {
    for (named_notification const& known : notifications)
        if (known.n == n) return known.name;
    return "";
}

std::string joined(std::vector<std::string> const& lines) {
    std::string text;
    for (std::string const& line : lines) text += (text.empty() ? "" : ", ") + line;
    return text;
}

}  // namespace

std::optional<notification> notification_named(std::string const& name) {
    for (named_notification const& known : notifications)
        if (name == known.name) return known.n;
    return std::nullopt;
}

std::string const& notification_names() {
    static std::string const names = [] {
        std::string text;
        for (named_notification const& known : notifications)
            text += (text.empty() ? "" : ", ") + std::string(known.name);
        return text;
    }();
    return names;
}

host_session::host_session(std::string module, session_observer& watcher)
    : module_path(std::move(module)), observer(watcher) {}

host_session::~host_session() {
    // The call record and the hook are the one host's: the next session starts without.
    faults().record_calls(false);
    faults().disarm_hook();
    if (!loaded()) return;
    try {
        hostapp->unload();
    } catch (...) {
        // A window that outlived its release keeps its module mapped; nothing more to do.
    }
}

void host_session::reset_checks() {
    faults().record_calls(false);
    faults().reset();
    audit().reset();
}

host_app& host_session::make_host(std::string const& prefs_file, std::string const& lang) {
    hostapp = std::make_unique<host_app>(prefs_file, lang);
    hostapp->set_marking_component(&marking);
    return *hostapp;
}

void host_session::use_scene(std::unique_ptr<scene_model> next) {
    if (current) {
        current->set_modification_listener({});
        retired.push_back(std::move(current));
    }
    current = std::move(next);
    // The scene tells the window about every change, also from inside the plug-in's own
    // writes: that is how a host behaves, and it is what the busy flag is for.
    current->set_modification_listener(
        [this](std::vector<shape_class*> const& shapes) { on_modified(shapes); });
    hostapp->set_scene(current.get());
    observer.on_scene_open();
}

void host_session::load_module() { hostapp->load(module_path); }

std::vector<scene_model const*> host_session::all_scenes() const {
    std::vector<scene_model const*> scenes;
    if (current) scenes.push_back(current.get());
    for (auto const& s : retired) scenes.push_back(s.get());
    return scenes;
}

window_state host_session::window() const {
    if (!loaded()) throw std::logic_error("no plug-in window is open");
    return host::window_snapshot(hostapp->services(), *hostapp->window());
}

void host_session::into_plugin(char const* what, std::function<void()> const& f) {
    ++plugin_depth;
    try {
        f();
    } catch (std::exception const& e) {
        observer.on_failure(failure_kind::escaped,
                        std::string(what) + ": the plug-in let an exception through: " + e.what());
    } catch (...) {
        observer.on_failure(failure_kind::escaped, std::string(what) +
                                                   ": the plug-in let an exception through (not "
                                                   "a std::exception)");
    }
    --plugin_depth;
    observer.on_plugin_return();
}

void host_session::notify(char const* what, std::function<void()> const& f) {
    ++notifying;
    into_plugin(what, f);
    --notifying;
}

void host_session::on_modified(std::vector<shape_class*> const& shapes) {
    if (loaded()) notify("shapes_modified", [&] { hostapp->shapes_modified(shapes); });
    observer.on_scene_change(true);
}

void host_session::announce(bool scene_only) {
    if (!loaded()) return;
    host::announce_scene(*hostapp, *current,
                         [this](char const* what, std::function<void()> const& send) {
                             notify(what, send);
                         },
                         scene_only);
}

void host_session::make_active(std::string const& shape_path) {
    std::vector<shape_class*> before, after;
    if (current->active_shape()) before.push_back(&current->active_shape()->iface());
    current->set_active_shape(shape_path);
    if (current->active_shape()) after.push_back(&current->active_shape()->iface());
    if (loaded())
        notify("active_shapes_changed", [&] { hostapp->active_shapes_changed(before, after); });
    observer.on_scene_change(false);
}

void host_session::select_points(std::string const& shape_path, std::vector<int> indices) {
    // As in a host, selecting points sends no notification: the idle tick finds it.
    current->set_active_points(shape_path, std::move(indices));
    observer.on_scene_change(false);
}

void host_session::idle_tick() {
    if (loaded() && !in_plugin()) into_plugin("idle", [&] { hostapp->idle(); });
}

void host_session::hide_window() {
    if (!loaded()) return;
    hostapp->hide_window();
    observer.on_window_change();
}

void host_session::show_window() {
    if (!loaded()) return;
    hostapp->show_window();
    observer.on_window_change();
}

// The scene's listener tells the plug-in and the front end when something was restored.
bool host_session::undo() { return current->undo(); }

bool host_session::redo() { return current->redo(); }

void host_session::delete_shape(std::string const& shape_path) {
    current->delete_shape(shape_path, [&](std::vector<shape_class*> const& doomed) {
        if (loaded())
            notify("shapes_being_deleted", [&] { hostapp->shapes_being_deleted(doomed); });
    });
    observer.on_scene_change(true);
    observer.on_tree_change();
}

void host_session::set_figure_unit(float factor) {
    current->set_figure_unit(factor);
    observer.on_scene_change(true);
    if (loaded()) notify("figure_unit_changed", [&] { hostapp->figure_unit_changed(); });
}

void host_session::set_state_flag(bool on) { current->set_state_flag(on); }

void host_session::joint_changed(part_class* joint) {
    if (loaded())
        notify("current_joint_value_changed", [&] { hostapp->current_joint_value_changed({joint}); });
}

void host_session::during(std::string const& operation, notification n) {
    char const* name = name_of(n);
    faults().before_call(operation, name, [this, n, name] {
        if (!loaded()) return;
        std::vector<shape_class*> active;
        if (current && current->active_shape()) active.push_back(&current->active_shape()->iface());
        // Sent as the host sends it at any other time, but never held back for being
        // inside the plug-in: that is the point.
        notify(name, [&] {
            switch (n) {
            case notification::active_shapes_changed: hostapp->active_shapes_changed({}, active); break;
            case notification::shapes_modified: hostapp->shapes_modified(active); break;
            case notification::idle: hostapp->idle(); break;
            }
        });
    });
}

void host_session::during_delete(std::string const& operation, std::string const& shape_path) {
    // The deletion frees the subtree: it waits for a call that is not about one of its
    // shapes, made from a user's event or a tick, so that neither the host (answering the
    // call) nor the plug-in (inside a notification about them) holds a freed shape.
    auto ready = [this, shape_path](shape_class const* shape) {
        if (plugin_depth != 1 || notifying > 0 || !current) return false;
        if (!shape || !current->find(shape_path)) return true;
        std::vector<shape_class*> doomed = current->subtree(shape_path);
        return std::find(doomed.begin(), doomed.end(), shape) == doomed.end();
    };
    faults().before_call(
        operation, "shapes_being_deleted",
        [this, shape_path] {
            if (current && current->find(shape_path)) delete_shape(shape_path);
        },
        ready);
}

void host_session::move_window(int left, int top) {
    window_state s = window();
    tq::rectangle_class r = dragged_frame(s.frame, left, top);
    // Only the frame moves: a host sends a window no event for being dragged, so the
    // plug-in sees the new place when it next asks (a refresh, a hidden-to-shown tick).
    // The move goes through the host's frame operation and counts as one host call, but
    // it is the user's, not the plug-in's: the call record does not show it.
    unrecorded_calls users_own;
    hostapp->services().set_frame_rectangle(*hostapp->window(), &r);
    observer.on_window_change();
}

void host_session::open_scene(std::string const& file) {
    use_scene(load_scene_file(file));
    path = file;
    announce();
    observer.on_tree_change();
}

void host_session::restart(std::string const& lang) {
    try {
        if (!lang.empty()) hostapp->set_language(lang);
        if (hostapp->loaded())
            hostapp->restart();
        else
            hostapp->load(module_path);  // a reload after a failed restart
    } catch (std::exception const& e) {
        observer.on_failure(failure_kind::host, std::string("restart: ") + e.what());
        observer.on_window_change();
        return;
    }
    announce();
}

void host_session::collect() {
    // The component keeps its whole record for marker(); only the new tail is taken.
    std::vector<mark_request> const& all = marking.requests();
    if (marks_collected > all.size()) marks_collected = 0;  // cleared from outside
    if (marks_collected < all.size()) {
        std::vector<scene_model const*> scenes = all_scenes();
        for (; marks_collected < all.size(); ++marks_collected)
            marks_since.push_back({path_in(scenes, all[marks_collected].shape), all[marks_collected]});
    }
    collect_calls(all_scenes(), calls_since);
}

std::vector<collected_mark> host_session::take_marks() {
    std::vector<collected_mark> taken;
    taken.swap(marks_since);
    return taken;
}

std::vector<collected_call> host_session::take_calls() {
    std::vector<collected_call> taken;
    taken.swap(calls_since);
    return taken;
}

std::vector<std::string> host_session::finish_run() {
    // Oldest scene first, the current one last.
    std::vector<std::string> problems;
    auto violations_of = [&](scene_model const& s) {
        for (std::string const& problem : s.violations()) problems.push_back("after the script: " + problem);
    };
    for (auto const& s : retired) violations_of(*s);
    if (current) violations_of(*current);
    if (loaded()) {
        try {
            hostapp->unload();
        } catch (std::exception const& e) {
            problems.push_back(std::string("releasing the window: ") + e.what());
        }
    }
    std::vector<std::string> left = audit().outstanding();
    if (!left.empty())
        problems.push_back("after the window was released, counted host objects are still held: " + joined(left));
    std::vector<std::string> const& twice = audit().over_released();
    if (!twice.empty())
        problems.push_back("counted host objects were released with no reference held: " + joined(twice));
    return problems;
}

}  // namespace host
