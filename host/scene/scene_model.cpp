#include "scene/scene_model.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

#include "scene/shape_object.h"

namespace host {

namespace {

void collect(shape_node& node, std::vector<shape_node*>& into) {
    into.push_back(&node);
    for (auto const& child : node.children()) collect(*child, into);
}

}  // namespace

scene_model::scene_model()
    : counted("scene"), scene_camera(*this, nullptr, &default_eye, &default_target) {}

// Roots go first so that no shape outlives the scene members it refers to.
scene_model::~scene_model() {
    active = nullptr;
    top.clear();
}

shape_node& scene_model::add_shape(shape_node* parent, std::string name, int object_kind,
                                   int part_kind) {
    auto node = make_shape_node(*this, parent, std::move(name), object_kind, part_kind);
    shape_node& added = *node;
    auto& siblings = parent ? parent->child_nodes : top;
    added.sibling_index = siblings.size();
    siblings.push_back(std::move(node));
    if (added.is_part() && added.part_kind() == part_link) ++link_parts;
    return added;
}

shape_node* scene_model::find(std::string const& path) const {
    if (path.empty()) return nullptr;
    auto const* level = &top;
    shape_node* found = nullptr;
    std::size_t start = 0;
    while (true) {
        std::size_t slash = path.find('/', start);
        std::string name = path.substr(start, slash == std::string::npos ? std::string::npos
                                                                         : slash - start);
        found = nullptr;
        for (auto const& node : *level)
            if (node->name() == name) {
                found = node.get();
                break;
            }
        if (!found || slash == std::string::npos) return found;
        level = &found->children();
        start = slash + 1;
    }
}

std::vector<shape_node*> scene_model::all_shapes() const {
    std::vector<shape_node*> shapes;
    for (auto const& node : top) collect(*node, shapes);
    return shapes;
}

int scene_model::sequence_number(shape_node const& node) const {
    auto shapes = all_shapes();
    auto at = std::find(shapes.begin(), shapes.end(), &node);
    return at == shapes.end() ? -1 : static_cast<int>(at - shapes.begin());
}

shape_class* scene_model::top_level_end() {
    if (!top_end) {
        top_end = make_shape_node(*this, nullptr, "", kind_other, -1);
        top_end->is_end_marker = true;
    }
    return &top_end->iface();
}

// ---- scene_interface ----

shape_class* scene_model::get_active_shape(void*) {
    host_call("scene.get_active_shape");
    return active ? &active->iface() : nullptr;
}

void scene_model::begin_update(void*) {
    host_call("scene.begin_update");
    ++update_begins;
    ++update_level;
}

void scene_model::end_update(void*) {
    host_call("scene.end_update");
    ++update_ends;
    if (update_level == 0)
        update_underflow = true;
    else
        --update_level;
}

void scene_model::refresh(void*) {
    host_call("scene.refresh");
    ++refreshes;
}

bool scene_model::get_state_flag(void*) {
    host_call("scene.get_state_flag");
    return state_flag && suspend_level == 0;
}

void scene_model::suspend_state_flag(void*) {
    host_call("scene.suspend_state_flag");
    ++suspends;
    ++suspend_level;
}

void scene_model::resume_state_flag(void*) {
    host_call("scene.resume_state_flag");
    ++resumes;
    if (suspend_level == 0)
        resume_underflow = true;
    else
        --suspend_level;
}

float scene_model::get_figure_unit_factor(void*) {
    host_call("scene.get_figure_unit_factor");
    return unit_factor;
}

int scene_model::get_camera_index(void*) {
    host_call("scene.get_camera_index");
    return current_camera;
}

void scene_model::set_camera_index(int index, void*) {
    host_call("scene.set_camera_index", nullptr, index);
    current_camera = index;
}

camera_class* scene_model::get_camera(void*) {
    host_call("scene.get_camera");
    if (current_camera == 0) return &scene_camera;
    for (shape_node* node : all_shapes())
        if (node->camera_index == current_camera && node->camera()) return node->camera();
    throw host_error("get_camera: no camera with index " + std::to_string(current_camera));
}

shape_node* scene_model::node_of(shape_class* shape) const {
    shape_node* node = shape ? shape_node::from(shape) : nullptr;
    if (!node || &node->scene() != this || sequence_number(*node) < 0)
        throw host_error("undo record: a shape that is not in this scene");
    return node;
}

void scene_model::begin_undo_record(int count, shape_class* const* shapes, bool flag_a,
                                    bool flag_b, int kind, void*) {
    host_call("scene.begin_undo_record", count > 0 && shapes ? shapes[0] : nullptr, count, flag_a,
              flag_b, kind);
    if (count < 0 || (count > 0 && !shapes))
        throw host_error("begin_undo_record: bad shape array");
    std::vector<shape_node*> nodes;
    for (int i = 0; i < count; ++i) nodes.push_back(node_of(shapes[i]));
    history.begin(nodes, {"begin", {shapes, shapes + count}, flag_a, flag_b, kind});
}

void scene_model::end_undo_record(int count, shape_class* const* shapes, bool flag_a,
                                  bool flag_b, int kind, void*) {
    host_call("scene.end_undo_record", count > 0 && shapes ? shapes[0] : nullptr, count, flag_a,
              flag_b, kind);
    if (count < 0 || (count > 0 && !shapes))
        throw host_error("end_undo_record: bad shape array");
    std::vector<shape_class*> given(shapes, shapes + count);
    history.end({"end", given, flag_a, flag_b, kind});
}

void scene_model::commit_undo(void*) {
    host_call("scene.commit_undo");
    history.commit();
}

// ---- checks ----

void scene_model::clear_write_log() {
    write_log.clear();
    non_finite_writes = 0;
}

void scene_model::set_modification_listener(modification_listener callback) {
    listener = std::move(callback);
}

void scene_model::check_write(char const* operation, shape_node* shape, float const* values,
                              int count) {
    coordinate_write record{operation,
                            shape ? &shape->iface() : nullptr,
                            shape ? shape->path() : std::string(),
                            std::vector<float>(values, values + count),
                            true,
                            shape ? shape->modifiable : true};
    for (float v : record.values)
        if (!std::isfinite(v)) record.finite = false;
    write_log.push_back(record);
    if (!record.finite) {
        ++non_finite_writes;
        throw host_error(std::string(operation) + ": refused a non-finite coordinate");
    }
}

void scene_model::check_write(char const* operation, shape_node* shape, vec3 const& p) {
    float values[3] = {p.x, p.y, p.z};
    check_write(operation, shape, values, 3);
}

void scene_model::notify_modified(shape_node* shape) {
    if (!listener) return;
    std::vector<shape_class*> shapes;
    if (shape) shapes.push_back(&shape->iface());
    listener(shapes);
}

scene_interface* scene_model::new_reference() {
    hand_out(this);
    return this;
}

// ---- the host's own changes ----

shape_node& scene_model::require(std::string const& path) const {
    shape_node* node = find(path);
    if (!node) throw std::invalid_argument("no shape at path \"" + path + "\"");
    return *node;
}

std::vector<shape_class*> scene_model::subtree(std::string const& path) const {
    std::vector<shape_node*> nodes;
    collect(require(path), nodes);
    std::vector<shape_class*> shapes;
    for (shape_node* node : nodes) shapes.push_back(&node->iface());
    return shapes;
}

std::vector<shape_class const*> scene_model::delete_shape(
    std::string const& path,
    std::function<void(std::vector<shape_class*> const&)> const& before_free) {
    shape_node& doomed = require(path);
    std::vector<shape_node*> nodes;
    collect(doomed, nodes);
    std::vector<shape_class*> shapes;
    for (shape_node* node : nodes) shapes.push_back(&node->iface());
    if (before_free) before_free(shapes);

    // Drop every reference the rest of the scene holds into the subtree.
    std::set<shape_node const*> gone(nodes.begin(), nodes.end());
    if (gone.count(active)) active = nullptr;
    for (shape_node* node : nodes) {
        if (node->camera_index == current_camera && node->camera()) current_camera = 0;
        if (node->is_part() && node->part_kind() == part_link) --link_parts;
    }
    for (shape_node* node : all_shapes()) {
        if (gone.count(node)) continue;
        if (gone.count(node->link_to)) node->link_to = nullptr;
        for (auto& set : node->linked)
            set.shapes.erase(std::remove_if(set.shapes.begin(), set.shapes.end(),
                                            [&](shape_node* s) { return gone.count(s) > 0; }),
                             set.shapes.end());
    }

    auto& siblings = doomed.parent() ? doomed.parent()->child_nodes : top;
    auto at = std::find_if(siblings.begin(), siblings.end(),
                           [&](auto const& node) { return node.get() == &doomed; });
    std::unique_ptr<shape_node> freed = std::move(*at);
    at = siblings.erase(at);
    for (; at != siblings.end(); ++at) --(*at)->sibling_index;
    freed.reset();
    return {shapes.begin(), shapes.end()};
}

void scene_model::set_active_shape(std::string const& path) {
    active = path.empty() ? nullptr : &require(path);
}

void scene_model::set_active_points(std::string const& path, std::vector<int> points) {
    shape_node& node = require(path);
    int n = node.count_points();
    for (int index : points)
        if (index < 0 || index >= n)
            throw std::invalid_argument("set_active_points: " + path + " has no point " +
                                        std::to_string(index));
    node.active_points = std::move(points);
}

void scene_model::set_figure_unit(float factor) {
    if (!std::isfinite(factor) || factor <= 0)
        throw std::invalid_argument("figure unit must be a finite positive number");
    unit_factor = factor;
}

bool scene_model::restored(std::vector<shape_node*> const& nodes) {
    if (nodes.empty()) return false;
    for (shape_node* node : all_shapes()) {
        if (node->active_points.empty()) continue;
        int n = 0;
        try {
            n = node->count_points();
        } catch (host_error const&) {
            continue;  // a link cycle: nothing to compare with
        }
        auto& active = node->active_points;
        active.erase(std::remove_if(active.begin(), active.end(), [n](int i) { return i >= n; }),
                     active.end());
    }
    if (listener) {
        std::vector<shape_class*> shapes;
        for (shape_node* node : nodes) shapes.push_back(&node->iface());
        listener(shapes);
    }
    return true;
}

bool scene_model::undo() { return restored(history.undo()); }

bool scene_model::redo() { return restored(history.redo()); }

void scene_model::begin_host_step(std::string const& path) { history.begin_host_step({&require(path)}); }

std::vector<std::string> scene_model::violations() const {
    std::vector<std::string> found;
    if (has_non_finite_write()) {
        std::string first;
        for (coordinate_write const& w : writes())
            if (!w.finite) {
                first = w.operation + " on " + (w.path.empty() ? "the scene camera" : w.path);
                break;
            }
        found.push_back("a non-finite coordinate was written into the scene (" +
                        std::to_string(non_finite_write_count()) + " refused, first " +
                        first + ")");
    }
    if (undo_record_open()) found.push_back("an undo record was left open");
    if (!updates_balanced())
        found.push_back("update brackets are unbalanced (" +
                        std::to_string(update_begin_count()) + " begun, " +
                        std::to_string(update_end_count()) + " ended)");
    if (!state_flag_balanced())
        found.push_back("state-flag suspends are unbalanced (" +
                        std::to_string(suspend_count()) + " suspended, " +
                        std::to_string(resume_count()) + " resumed)");
    return found;
}

}  // namespace host
