#include "scene_dump.h"

#include <ostream>
#include <sstream>

#include "host_component_ids.h"
#include "scene_file.h"
#include "scene_model.h"
#include "shape_type_name.h"

#include "shortest_decimal.h"

namespace host {

namespace {

using json = nlohmann::ordered_json;

json to_json(vec3 const& p) { return json::array({shortest_decimal(p.x), shortest_decimal(p.y), shortest_decimal(p.z)}); }

json to_json(mat4 const& m) {
    json values = json::array();
    for (auto const& row : m.m)
        for (float v : row) values.push_back(shortest_decimal(v));
    return values;
}


vec3 add(vec3 const& a, vec3 const& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

json located(vec3 const& local, dmat4 const& world) {
    return {{"local", to_json(local)}, {"world", to_json(transform(local, world))}};
}

json indexed(std::size_t index, vec3 const& local, dmat4 const& world) {
    json point = {{"index", index}};
    point.update(located(local, world));
    return point;
}

dmat4 frame(skin_data const& skin, dmat4 const& shape_world) {
    return skin.skinned ? to_double(skin.matrix) : shape_world;
}

// Control points and vertices use their own skin, else the shape's world matrix; the other
// points are the shape's and use the shape's skin, else its world matrix.
json points_of(shape_node const& shape) {
    auto const& g = shape.geometry;
    dmat4 chain = shape.world_matrix();
    dmat4 world = frame(g.skin, chain);
    json points = json::array();
    auto single = [&](std::initializer_list<vec3> list) {
        std::size_t index = 0;
        for (vec3 const& p : list) points.push_back(indexed(index++, p, world));
    };
    switch (shape.object_kind()) {
    case kind_line:
        for (std::size_t i = 0; i < g.points.size(); ++i) {
            auto const& cp = g.points[i];
            dmat4 f = frame(cp.skin, chain);
            json point = indexed(i, cp.anchor, f);
            point["in"] = located(cp.in, f);
            point["out"] = located(cp.out, f);
            point["l_in"] = located(cp.l_in, f);
            point["l_out"] = located(cp.l_out, f);
            point["linked"] = cp.linked;
            point["l_linked"] = cp.l_linked;
            if (cp.skin.skinned) point["skin"] = to_json(cp.skin.matrix);
            points.push_back(point);
        }
        return points;
    case kind_polygon_mesh:
        for (std::size_t i = 0; i < g.vertices.size(); ++i) {
            skin_data skin = g.vertex_skin(i);
            json point = indexed(i, g.vertices[i].position, frame(skin, chain));
            if (skin.skinned) point["skin"] = to_json(skin.matrix);
            points.push_back(point);
        }
        return points;
    case kind_light:
    case kind_sphere:
    case kind_disk: single({g.center}); return points;
    default: break;
    }
    switch (shape.part_kind()) {
    case part_rotator:
    case part_scale: single({g.first, add(g.first, g.second)}); break;
    case part_slider: single({g.first, g.second}); break;
    case part_uniscale: single({g.first}); break;
    case part_ball: single({g.pivot}); break;
    case part_camera: single({g.eye, g.target}); break;
    default: break;
    }
    return points;
}

json paths(std::vector<shape_node*> const& shapes) {
    json list = json::array();
    for (shape_node const* s : shapes) list.push_back(s->path());
    return list;
}

}  // namespace

nlohmann::ordered_json dump_scene_json(scene_model const& scene) {
    json shapes = json::array();
    int sequence = 0;
    for (shape_node* shape : scene.all_shapes()) {
        auto const& g = shape->geometry;
        json entry = {{"path", shape->path()},
                      {"type", shape_type_name(*shape)},
                      {"object_kind", shape->object_kind()},
                      {"sequence", sequence++},
                      {"modifiable", shape->modifiable},
                      {"matrix", to_json(g.local)},
                      {"world_matrix", to_json(to_float(shape->world_matrix()))}};
        if (shape->is_part()) entry["part_kind"] = shape->part_kind();
        if (g.skin.skinned) entry["skin"] = to_json(g.skin.matrix);
        try {
            entry["point_count"] = shape->count_points();
        } catch (host_error const&) {
            entry["point_count"] = nullptr;
        }
        if (!shape->active_points.empty()) entry["active_points"] = shape->active_points;
        if (shape->part_kind() == part_surface) entry["direction"] = shape->surface_direction;
        if (shape->part_kind() == part_link)
            entry["link_target"] = shape->link_to ? json(shape->link_to->path()) : json(nullptr);
        if (shape->camera()) entry["camera_index"] = shape->camera_index;
        for (auto const& set : shape->linked) {
            if (set.component == extend_joint_window_uuid)
                entry["linked_joint"] = paths(set.shapes);
            else if (set.component == extend_skin_window_uuid)
                entry["linked_skin"] = paths(set.shapes);
        }
        entry["points"] = points_of(*shape);
        shapes.push_back(entry);
    }
    return {{"figure_unit", shortest_decimal(scene.figure_unit())},
            {"active", scene.active_shape() ? json(scene.active_shape()->path()) : json(nullptr)},
            {"camera_index", scene.camera_index()},
            {"shapes", shapes}};
}

namespace {

bool is_flat(json const& value) {
    for (auto const& element : value)
        if (element.is_structured()) return false;
    return true;
}

// One line with a blank after each separator.
std::string one_line(json const& value) {
    if (!value.is_structured()) return value.dump();
    std::string text = value.is_object() ? "{" : "[";
    bool first = true;
    for (auto const& [key, element] : value.items()) {
        if (!first) text += ", ";
        if (value.is_object()) text += json(key).dump() + ": ";
        text += one_line(element);
        first = false;
    }
    return text + (value.is_object() ? "}" : "]");
}

// Like dump(2), but a value that fits stays on one line (a point, a matrix, a handle).
void write(json const& value, std::ostream& out, int depth) {
    std::string line = one_line(value);
    if (!value.is_structured() || value.empty() || is_flat(value) || line.size() <= 72) {
        out << line;
        return;
    }
    std::string pad(2 * (depth + 1), ' ');
    out << (value.is_object() ? "{\n" : "[\n");
    bool first = true;
    for (auto const& [key, element] : value.items()) {
        out << (first ? "" : ",\n") << pad;
        if (value.is_object()) out << json(key).dump() << ": ";
        write(element, out, depth + 1);
        first = false;
    }
    out << "\n" << std::string(2 * depth, ' ') << (value.is_object() ? "}" : "]");
}

}  // namespace

std::string dump_scene_text(scene_model const& scene) {
    std::ostringstream out;
    write(dump_scene_json(scene), out, 0);
    out << "\n";
    return out.str();
}

int run_dump_scene(std::string const& path, std::ostream& out, std::ostream& err) {
    try {
        auto scene = load_scene_file(path);
        out << dump_scene_text(*scene);
        return 0;
    } catch (scene_file_error const& e) {
        err << e.what() << "\n";
        return 1;
    }
}

}  // namespace host
