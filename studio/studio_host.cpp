#include "studio_host.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "host_checks.h"
#include "scene_file.h"
#include "scene_writer.h"

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
    for (std::string const& m : hostapp->messages()) Q_EMIT message(QString::fromStdString(m));
    hostapp->clear_messages();
}

bool studio_host::start(std::string const& scene_path) {
    host::faults().record_calls(false);
    host::faults().reset();
    host::audit().reset();
    try {
        hostapp = std::make_unique<host::host_app>(options.prefs_file, options.lang);
        hostapp->set_marking_component(&marking);
        if (presenter) hostapp->set_dialog_presenter(presenter);
        if (scene_path.empty()) {
            use_scene(std::make_unique<host::scene_model>());
        } else {
            std::error_code ignored;
            if (std::filesystem::is_directory(scene_path, ignored))
                throw host::scene_file_error(scene_path + ": is a folder, not a scene file");
            use_scene(host::load_scene_file(scene_path));
        }
        path = scene_path;
    } catch (std::exception const& e) {
        report(e.what());
        return false;
    }
    try {
        hostapp->load(options.module_path);
    } catch (std::exception const& e) {
        report(std::string("cannot load the plug-in: ") + e.what());
        return false;
    }
    if (options.announce) announce();
    Q_EMIT scene_replaced();
    return true;
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
    try {
        f();
    } catch (std::exception const& e) {
        report(std::string(what) + ": the plug-in let an exception through: " + e.what());
    } catch (...) {
        report(std::string(what) + ": the plug-in let an exception through (not a std::exception)");
    }
    if (hostapp) pass_messages();
    Q_EMIT window_changed();
}

void studio_host::use_scene(std::unique_ptr<host::scene_model> next) {
    if (current) {
        current->set_modification_listener({});
        retired.push_back(std::move(current));
    }
    current = std::move(next);
    // Every change, also from inside the plug-in's own writes, is told to the window.
    current->set_modification_listener([this](std::vector<shape_class*> const& shapes) {
        if (loaded()) into_plugin("shapes_modified", [&] { hostapp->shapes_modified(shapes); });
        Q_EMIT scene_changed();
    });
    hostapp->set_scene(current.get());
}

void studio_host::announce() {
    if (loaded()) into_plugin("active_scene_changed", [&] { hostapp->active_scene_changed(); });
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
    current->move_point(shape_path, index, local);
}

bool studio_host::undo() {
    bool done = current->undo();
    Q_EMIT scene_changed();
    return done;
}

void studio_host::idle_tick() {
    if (loaded()) into_plugin("idle", [&] { hostapp->idle(); });
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
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored))
        throw host::scene_file_error(file + ": is a folder, not a scene file");
    use_scene(host::load_scene_file(file));
    path = file;
    announce();
    Q_EMIT scene_replaced();
}

void studio_host::save_scene(std::string const& file) {
    host::save_scene_file(*current, file);
    path = file;
}

void studio_host::delete_shape(std::string const& shape_path) {
    current->delete_shape(shape_path, [&](std::vector<shape_class*> const& doomed) {
        if (loaded())
            into_plugin("shapes_being_deleted", [&] { hostapp->shapes_being_deleted(doomed); });
    });
    Q_EMIT scene_replaced();
}

void studio_host::set_figure_unit(float factor) {
    current->set_figure_unit(factor);
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
