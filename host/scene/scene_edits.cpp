// The host's own edits of what a shape holds (scene_edits.h).
#include "scene/scene_edits.h"

#include <algorithm>
#include <stdexcept>

#include "scene/flat_numbering.h"
#include "scene/shape_points.h"
#include "text/quoted_word.h"

namespace host {

namespace {

// The line or polygon mesh at path, for an edit of its points (operation names it).
shape_node& require_point_holder(scene_model const& scene, std::string const& path,
                                 char const* operation) {
    shape_node& node = scene.require(path);
    if (node.object_kind() != kind_line && node.object_kind() != kind_polygon_mesh)
        throw std::invalid_argument(std::string(operation) + ": " + path +
                                    " is not a line or a polygon mesh");
    return node;
}

// Renumbers the active points of every shape after point index of holder was inserted
// (step 1) or removed (step -1); call it before the edit.
void renumber_active_points(scene_model const& scene, shape_node const& holder, int index,
                            int step) {
    for (shape_node* shape : scene.all_shapes()) {
        if (shape->active_points.empty()) continue;
        std::vector<int> starts;
        try {
            starts = flat_starts_of(*shape, holder);
        } catch (host_error const&) {
            continue;  // a link cycle: the shape numbers no point at all
        }
        std::vector<int> kept;
        for (int active : shape->active_points) {
            int moved = active;
            bool removed = false;
            for (int start : starts) {
                int at = start + index;
                if (step < 0 && active == at) removed = true;
                if (step > 0 ? active >= at : active > at) moved += step;
            }
            if (!removed) kept.push_back(moved);
        }
        shape->active_points = std::move(kept);
    }
}

// Whether shape keeps points of its own: a joint part does, any other part numbers its
// children's.
bool keeps_points(shape_node const& shape) {
    bool any = false;
    for_each_point(shape, [&](shape_point const&) { any = true; });
    return any;
}

}  // namespace

void move_point(scene_model& scene, std::string const& path, int index, vec3 const& p) {
    shape_node* node = &scene.require(path);
    if (!is_finite(p)) throw std::invalid_argument("move_point: non-finite position");
    if (node->is_part() && index >= 0 && !keeps_points(*node)) {
        auto found = resolve_flat_index(*node, index);
        node = found.first;
        index = found.second;
    }
    if (!node || !move_shape_point(*node, index, p))
        throw std::invalid_argument("move_point: " + path + " has no point " +
                                    std::to_string(index));
    scene.notify_modified(node);
}

void move_handle(scene_model& scene, std::string const& path, int index, int handle,
                 vec3 const& p) {
    shape_node& node = scene.require(path);
    if (!is_finite(p)) throw std::invalid_argument("move_handle: non-finite position");
    if (handle < 1 || !move_shape_point(node, index, p, handle))
        throw std::invalid_argument("move_handle: " + path + " has no handle " +
                                    std::to_string(handle) + " at point " + std::to_string(index));
    scene.notify_modified(&node);
}

void insert_point(scene_model& scene, std::string const& path, int index, vec3 const& p) {
    shape_node& node = require_point_holder(scene, path, "insert_point");
    if (!is_finite(p)) throw std::invalid_argument("insert_point: non-finite position");
    int n = node.count_points();
    if (index < 0 || index > n)
        throw std::invalid_argument("insert_point: " + path + " has " + std::to_string(n) +
                                    " points, a new one goes at 0-" + std::to_string(n) +
                                    ", not " + std::to_string(index));
    renumber_active_points(scene, node, index, 1);
    auto& g = node.geometry;
    if (node.object_kind() == kind_line) {
        control_point_data point;
        point.anchor = point.in = point.out = point.l_in = point.l_out = p;
        g.points.insert(g.points.begin() + index, point);
    } else {
        g.vertices.insert(g.vertices.begin() + index, vertex_data{p});
    }
    scene.notify_modified(&node);
}

void remove_point(scene_model& scene, std::string const& path, int index) {
    shape_node& node = require_point_holder(scene, path, "remove_point");
    if (index < 0 || index >= node.count_points())
        throw std::invalid_argument("remove_point: " + path + " has no point " +
                                    std::to_string(index));
    renumber_active_points(scene, node, index, -1);
    auto& g = node.geometry;
    if (node.object_kind() == kind_line)
        g.points.erase(g.points.begin() + index);
    else
        g.vertices.erase(g.vertices.begin() + index);  // a skin matrix it had stays unused
    scene.notify_modified(&node);
}

void rename_shape(scene_model& scene, std::string const& path, std::string const& name) {
    shape_node& node = scene.require(path);
    if (name.empty() || name.find('/') != std::string::npos)
        throw std::invalid_argument(
            "rename_shape: a name must be non-empty and contain no \"/\"");
    auto const& level = node.parent() ? node.parent()->children() : scene.roots();
    for (auto const& other : level)
        if (other.get() != &node && other->name() == name)
            throw std::invalid_argument(
                "rename_shape: another shape at the same level is named " + quoted_word(name));
    node.set_name(name);
    scene.notify_modified(&node);
}

void set_modifiable(scene_model& scene, std::string const& path, bool modifiable) {
    shape_node& node = scene.require(path);
    node.modifiable = modifiable;
    scene.notify_modified(&node);
}

void set_surface_direction(scene_model& scene, std::string const& path, bool direction) {
    shape_node& node = scene.require(path);
    if (node.part_kind() != part_surface)
        throw std::invalid_argument("set_surface_direction: " + path + " is not a surface part");
    node.surface_direction = direction;
    scene.notify_modified(&node);
}

}  // namespace host
