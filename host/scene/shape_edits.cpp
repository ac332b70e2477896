// The host's own edits of what a shape holds: inserting and removing a line's control
// point or a mesh's vertex, renaming, the modifiable flag and a surface part's direction.
// Like move_point, none of them is a host call or an undo step; each ends with the
// modification listener, as a host tells its plug-ins about any change.
#include <algorithm>
#include <stdexcept>

#include "scene/scene_model.h"
#include "text/quoted_word.h"

namespace host {

namespace {

// Where the points of holder (a line or a mesh) start in the flat numbering of shape, once
// for each time they appear in it: a link part shows its target's points again. base runs
// through the numbering. Links must not form a cycle (count_points refuses one).
void starts_in(shape_node const& shape, shape_node const& holder, int& base,
               std::vector<int>& starts) {
    if (!shape.is_part()) {
        if (&shape == &holder) starts.push_back(base);
        base += shape.count_points();
    } else if (shape.part_kind() == part_link) {
        if (shape.link_to) starts_in(*shape.link_to, holder, base, starts);
    } else {
        for (auto const& child : shape.children()) starts_in(*child, holder, base, starts);
    }
}

}  // namespace

shape_node& scene_model::require_point_holder(std::string const& path,
                                              char const* operation) const {
    shape_node& node = require(path);
    if (node.object_kind() != kind_line && node.object_kind() != kind_polygon_mesh)
        throw std::invalid_argument(std::string(operation) + ": " + path +
                                    " is not a line or a polygon mesh");
    return node;
}

void scene_model::renumber_active_points(shape_node const& holder, int index, int step) {
    for (shape_node* shape : all_shapes()) {
        if (shape->active_points.empty()) continue;
        std::vector<int> starts;
        int base = 0;
        try {
            shape->count_points();
            starts_in(*shape, holder, base, starts);
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

void scene_model::insert_point(std::string const& path, int index, vec3 const& p) {
    shape_node& node = require_point_holder(path, "insert_point");
    if (!is_finite(p)) throw std::invalid_argument("insert_point: non-finite position");
    int n = node.count_points();
    if (index < 0 || index > n)
        throw std::invalid_argument("insert_point: " + path + " has " + std::to_string(n) +
                                    " points, a new one goes at 0-" + std::to_string(n) +
                                    ", not " + std::to_string(index));
    renumber_active_points(node, index, 1);
    auto& g = node.geometry;
    if (node.object_kind() == kind_line) {
        control_point_data point;
        point.anchor = point.in = point.out = point.l_in = point.l_out = p;
        g.points.insert(g.points.begin() + index, point);
    } else {
        g.vertices.insert(g.vertices.begin() + index, vertex_data{p});
    }
    notify_modified(&node);
}

void scene_model::remove_point(std::string const& path, int index) {
    shape_node& node = require_point_holder(path, "remove_point");
    if (index < 0 || index >= node.count_points())
        throw std::invalid_argument("remove_point: " + path + " has no point " +
                                    std::to_string(index));
    renumber_active_points(node, index, -1);
    auto& g = node.geometry;
    if (node.object_kind() == kind_line)
        g.points.erase(g.points.begin() + index);
    else
        g.vertices.erase(g.vertices.begin() + index);  // a skin matrix it had stays unused
    notify_modified(&node);
}

void scene_model::rename_shape(std::string const& path, std::string const& name) {
    shape_node& node = require(path);
    if (name.empty() || name.find('/') != std::string::npos)
        throw std::invalid_argument(
            "rename_shape: a name must be non-empty and contain no \"/\"");
    auto const& level = node.parent() ? node.parent()->children() : top;
    for (auto const& other : level)
        if (other.get() != &node && other->name() == name)
            throw std::invalid_argument(
                "rename_shape: another shape at the same level is named " + quoted_word(name));
    node.shape_name = name;
    notify_modified(&node);
}

void scene_model::set_modifiable(std::string const& path, bool modifiable) {
    shape_node& node = require(path);
    node.modifiable = modifiable;
    notify_modified(&node);
}

void scene_model::set_surface_direction(std::string const& path, bool direction) {
    shape_node& node = require(path);
    if (node.part_kind() != part_surface)
        throw std::invalid_argument("set_surface_direction: " + path + " is not a surface part");
    node.surface_direction = direction;
    notify_modified(&node);
}

}  // namespace host
