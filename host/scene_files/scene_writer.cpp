#include "scene_files/scene_writer.h"

#include <fstream>

#include <nlohmann/json.hpp>

#include "scene_files/scene_kind_words.h"
#include "host_component_ids.h"
#include "text/shortest_decimal.h"

namespace host {

namespace {

using json = nlohmann::ordered_json;

// A point or a matrix as the file holds it.
template <class Value>
json to_json(Value const& v) {
    return json(shortest_decimals(v));
}

json paths(std::vector<shape_node*> const& shapes) {
    json list = json::array();
    for (shape_node const* s : shapes) list.push_back(s->path());
    return list;
}

json shape_json(shape_node const& shape) {
    auto const& g = shape.geometry;
    json out = {{"name", shape.name()}, {"type", shape_type_word(shape.object_kind())}};
    if (shape.is_part()) out["part"] = part_kind_word(shape.part_kind());
    out["matrix"] = to_json(g.local);
    out["modifiable"] = shape.modifiable;
    if (!shape.active_points.empty()) out["active_points"] = shape.active_points;
    if (g.skin.skinned) out["skin"] = to_json(g.skin.matrix);
    for (auto const& set : shape.linked) {
        if (set.shapes.empty()) continue;
        if (set.component == extend_joint_window_uuid) out["linked_joint"] = paths(set.shapes);
        if (set.component == extend_skin_window_uuid) out["linked_skin"] = paths(set.shapes);
    }
    switch (shape.part_kind()) {
    case part_surface: out["direction"] = shape.surface_direction; break;
    case part_rotator:
    case part_scale:
    case part_slider:
        out["first_point"] = to_json(g.first);
        out["second_point"] = to_json(g.second);
        break;
    case part_uniscale: out["first_point"] = to_json(g.first); break;
    case part_ball: out["pivot"] = to_json(g.pivot); break;
    case part_camera:
        out["eye"] = to_json(g.eye);
        out["target"] = to_json(g.target);
        break;
    case part_link:
        if (shape.link_to) out["link_target"] = shape.link_to->path();
        break;
    default: break;
    }
    switch (shape.object_kind()) {
    case kind_line: {
        json points = json::array();
        for (control_point_data const& cp : g.points) {
            json p = {{"anchor", to_json(cp.anchor)}, {"in", to_json(cp.in)},
                      {"out", to_json(cp.out)},       {"l_in", to_json(cp.l_in)},
                      {"l_out", to_json(cp.l_out)},   {"linked", cp.linked},
                      {"l_linked", cp.l_linked}};
            if (cp.skin.skinned) p["skin"] = to_json(cp.skin.matrix);
            points.push_back(p);
        }
        out["points"] = points;
        break;
    }
    case kind_polygon_mesh: {
        json vertices = json::array();
        for (std::size_t i = 0; i < g.vertices.size(); ++i) {
            skin_data skin = g.vertex_skin(i);
            vec3 const& position = g.vertices[i].position;
            vertices.push_back(skin.skinned ? json{{"position", to_json(position)},
                                                   {"skin", to_json(skin.matrix)}}
                                            : to_json(position));
        }
        out["vertices"] = vertices;
        break;
    }
    case kind_sphere:
    case kind_disk:
    case kind_light: out["center"] = to_json(g.center); break;
    default: break;
    }
    if (shape.is_part()) {
        json children = json::array();
        for (auto const& child : shape.children()) children.push_back(shape_json(*child));
        out["children"] = children;
    }
    return out;
}

bool is_flat(json const& value) {
    for (auto const& element : value)
        if (element.is_structured()) return false;
    return true;
}

// Indented, but an array or object of plain values stays on one line.
void write(json const& value, std::string& out, int depth) {
    if (!value.is_structured() || value.empty() || is_flat(value)) {
        if (!value.is_structured()) {
            out += value.dump();
            return;
        }
        bool object = value.is_object();
        out += object ? "{" : "[";
        bool first = true;
        for (auto const& [key, element] : value.items()) {
            out += first ? "" : ", ";
            if (object) out += json(key).dump() + ": ";
            out += element.dump();
            first = false;
        }
        out += object ? "}" : "]";
        return;
    }
    std::string pad(2 * (depth + 1), ' ');
    out += value.is_object() ? "{\n" : "[\n";
    bool first = true;
    for (auto const& [key, element] : value.items()) {
        out += (first ? "" : ",\n") + pad;
        if (value.is_object()) out += json(key).dump() + ": ";
        write(element, out, depth + 1);
        first = false;
    }
    out += "\n" + std::string(2 * depth, ' ') + (value.is_object() ? "}" : "]");
}

}  // namespace

std::string scene_file_text(scene_model const& scene) {
    json root = {{"figure_unit", shortest_decimal(scene.figure_unit())},
                 {"state_flag", scene.state_flag_value()}};
    if (scene.active_shape()) root["active"] = scene.active_shape()->path();
    json shapes = json::array();
    for (auto const& top : scene.roots()) shapes.push_back(shape_json(*top));
    root["shapes"] = shapes;
    std::string text;
    write(root, text, 0);
    return text + "\n";
}

void save_scene_file(scene_model const& scene, std::string const& path) {
    std::string text = scene_file_text(scene);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())) ||
        !(out.flush()))
        throw scene_file_error(path + ": cannot write the file");
}

}  // namespace host
