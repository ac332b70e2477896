#include "scene/shape_node.h"

#include <algorithm>
#include <stdexcept>

#include "checks/host_checks.h"
#include "scene/flat_numbering.h"
#include "scene/scene_model.h"
#include "scene/shape_object.h"

namespace host {

shape_node::shape_node(scene_model& scene, shape_node* parent, std::string name,
                       int object_kind, int part_kind)
    : owner_scene(scene),
      parent_node(parent),
      shape_name(std::move(name)),
      kind(object_kind),
      part(object_kind == kind_part ? part_kind : -1),
      life_token(std::make_shared<shape_node*>(this)) {
    if (kind == kind_part && part == part_camera) {
        camera_index = scene.new_camera_index();
        camera_object = std::make_unique<camera_view>(scene, this, &geometry.eye,
                                                      &geometry.target);
    }
}

shape_node::~shape_node() { *life_token = nullptr; }

shape_node* shape_node::from(shape_class* shape) { return dynamic_cast<shape_node*>(shape); }

std::string shape_node::path() const {
    return parent_node ? parent_node->path() + "/" + shape_name : shape_name;
}

void shape_node::add_control_point(control_point_data const& point) {
    geometry.points.push_back(point);
}

void shape_node::add_vertex(vertex_data const& vertex) { geometry.vertices.push_back(vertex); }

control_point_object& shape_node::control_point_view(int index) {
    std::size_t i = static_cast<std::size_t>(index);
    if (index < 0 || i >= geometry.points.size())
        throw std::out_of_range("control_point_view: index " + std::to_string(index) +
                                " out of range");
    // Views are never dropped: the plug-in may still hold one of a removed point.
    while (point_views.size() <= i)
        point_views.push_back(
            std::make_unique<control_point_object>(*this, static_cast<int>(point_views.size())));
    return *point_views[i];
}

vertex_object& shape_node::vertex_view(int index) {
    std::size_t i = static_cast<std::size_t>(index);
    if (index < 0 || i >= geometry.vertices.size())
        throw std::out_of_range("vertex_view: index " + std::to_string(index) + " out of range");
    if (vertex_views.size() <= i) vertex_views.resize(geometry.vertices.size());
    if (!vertex_views[i]) vertex_views[i] = std::make_unique<vertex_object>(*this, index);
    return *vertex_views[i];
}

std::vector<shape_node*>& shape_node::linked_shapes(tq::uuid_class const& component) {
    for (auto& set : linked)
        if (set.component == component) return set.shapes;
    linked.push_back({component, {}});
    return linked.back().shapes;
}

int shape_node::count_points() const { return flat_point_count(*this); }

dmat4 shape_node::world_matrix() const {
    dmat4 m = to_double(geometry.local);
    for (shape_node const* up = parent_node; up; up = up->parent_node)
        m = m * to_double(up->geometry.local);
    return m;
}

void shape_node::refuse_as_end_marker(char const* operation) {
    throw host_error(std::string(operation) + ": child_end is a sentinel, not a shape");
}

scene_interface* shape_node::do_get_scene() { return owner_scene.new_reference(); }

shape_class* shape_node::do_first_child() {
    return child_nodes.empty() ? &end_marker().iface() : &child_nodes.front()->iface();
}

shape_class* shape_node::do_next_sibling() {
    auto const& siblings = parent_node ? parent_node->child_nodes : owner_scene.roots();
    std::size_t next = sibling_index + 1;
    if (next < siblings.size()) return &siblings[next]->iface();
    return parent_node ? &parent_node->end_marker().iface() : owner_scene.top_level_end();
}

shape_class* shape_node::do_child_end() { return &end_marker().iface(); }

shape_node& shape_node::end_marker() {
    if (!end_sentinel) {
        end_sentinel = make_shape_node(owner_scene, nullptr, "", kind_other, -1);
        end_sentinel->is_end_marker = true;
    }
    return *end_sentinel;
}

int shape_node::do_get_active_points(int* buffer, int capacity) const {
    int n = static_cast<int>(active_points.size());
    if (buffer)
        for (int i = 0; i < n && i < capacity; ++i) buffer[i] = active_points[i];
    return n;
}

mat4 shape_node::do_get_world_to_local_matrix() const {
    dmat4 inverse;
    if (!invert(world_matrix(), inverse))
        throw host_error("get_world_to_local_matrix: the world matrix of " + path() +
                         " is singular");
    return to_float(inverse);
}

control_point_class* shape_node::do_control_point_at(int index) {
    shape_node* holder = this;
    int inner = index;
    if (kind == kind_part && part == part_surface) {
        // A surface part numbers the control points of its lines one line after another.
        auto found = resolve_flat_index(*this, index);
        holder = found.first;
        inner = found.second;
        if (!holder || holder->kind != kind_line)
            throw host_error("control_point_at: index " + std::to_string(index) +
                             " is not a control point of surface part " + path());
    } else if (kind != kind_line) {
        throw host_error("control_point_at: " + path() + " has no control points");
    }
    if (inner < 0 || inner >= static_cast<int>(holder->geometry.points.size()))
        throw host_error("control_point_at: index " + std::to_string(index) +
                         " out of range for " + path());
    return &holder->control_point_view(inner);
}

// The shape's own geometry moves by m in its local frame: the local matrix becomes
// m * local, so the shape and all its children move together; skinned elements keep their
// own matrices.
void shape_node::do_apply_transformation(mat4 const& m) {
    owner_scene.check_write("shape.apply_transformation", this, &m.m[0][0], 16);
    geometry.local = to_float(to_double(m) * to_double(geometry.local));
    owner_scene.notify_modified(this);
}

int shape_node::do_get_linked_shapes(tq::uuid_class const& id, shape_class** buffer,
                                     int capacity) {
    for (auto const& set : linked) {
        if (set.component != id) continue;
        int n = static_cast<int>(set.shapes.size());
        if (buffer)
            for (int i = 0; i < n && i < capacity; ++i) buffer[i] = &set.shapes[i]->iface();
        return n;
    }
    return 0;
}

vertex_class* shape_node::do_vertex_at(int index) {
    if (index < 0 || index >= static_cast<int>(geometry.vertices.size()))
        throw host_error("vertex_at: index " + std::to_string(index) + " out of range for " +
                         path());
    return &vertex_view(index);
}

center_class* shape_node::center_if(int wanted_kind) {
    return kind == wanted_kind ? &center : nullptr;
}

joint_interface* shape_node::joint_if(int wanted_part_kind) {
    if (kind != kind_part || part != wanted_part_kind) return nullptr;
    return new joint_view(*this);
}

}  // namespace host
