#include "scene_dump.h"

#include <ostream>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <vector>

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

namespace {

json shape_json(shape_node& shape, int sequence) {
    auto const& g = shape.geometry;
    json entry = {{"path", shape.path()},
                  {"type", shape_type_name(shape)},
                  {"object_kind", shape.object_kind()},
                  {"sequence", sequence},
                  {"modifiable", shape.modifiable},
                  {"matrix", to_json(g.local)},
                  {"world_matrix", to_json(to_float(shape.world_matrix()))}};
    if (shape.is_part()) entry["part_kind"] = shape.part_kind();
    if (g.skin.skinned) entry["skin"] = to_json(g.skin.matrix);
    try {
        entry["point_count"] = shape.count_points();
    } catch (host_error const&) {
        entry["point_count"] = nullptr;
    }
    if (!shape.active_points.empty()) entry["active_points"] = shape.active_points;
    if (shape.part_kind() == part_surface) entry["direction"] = shape.surface_direction;
    if (shape.part_kind() == part_link)
        entry["link_target"] = shape.link_to ? json(shape.link_to->path()) : json(nullptr);
    if (shape.camera()) entry["camera_index"] = shape.camera_index;
    for (auto const& set : shape.linked) {
        if (set.component == extend_joint_window_uuid)
            entry["linked_joint"] = paths(set.shapes);
        else if (set.component == extend_skin_window_uuid)
            entry["linked_skin"] = paths(set.shapes);
    }
    entry["points"] = points_of(shape);
    return entry;
}

// The scene's own values, with the shapes left empty.
json scene_head(scene_model const& scene) {
    return {{"figure_unit", shortest_decimal(scene.figure_unit())},
            {"active", scene.active_shape() ? json(scene.active_shape()->path()) : json(nullptr)},
            {"camera_index", scene.camera_index()},
            {"shapes", json::array()}};
}

}  // namespace

nlohmann::ordered_json dump_scene_json(scene_model const& scene) {
    json dump = scene_head(scene);
    int sequence = 0;
    for (shape_node* shape : scene.all_shapes()) dump["shapes"].push_back(shape_json(*shape, sequence++));
    return dump;
}

namespace {

// Appends a scalar as JSON text: integers, booleans and null without a serializer of their
// own, and each number a scene repeats (0 and 1 of every matrix) formatted once.
void append_scalar(json const& value, std::string& out) {
    char digits[24];
    switch (value.type()) {
    case json::value_t::null: out += "null"; return;
    case json::value_t::boolean: out += value.get<bool>() ? "true" : "false"; return;
    case json::value_t::number_integer:
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value.get<std::int64_t>()).ptr);
        return;
    case json::value_t::number_unsigned:
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value.get<std::uint64_t>()).ptr);
        return;
    case json::value_t::number_float: {
        struct cached {
            std::uint64_t bits = 1;  // no finite double's bits: nothing matches at first
            std::string text;
        };
        static thread_local std::vector<cached> recent(1024);
        double d = value.get<double>();
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        cached& slot = recent[(bits ^ (bits >> 29) ^ (bits >> 47)) % recent.size()];
        if (slot.bits != bits || slot.text.empty()) slot = {bits, value.dump()};
        out += slot.text;
        return;
    }
    default: out += value.dump(); return;
    }
}

// Appends a key as JSON text and ": "; the dump's keys are plain words, anything else is
// escaped by the library.
void append_key(std::string const& key, std::string& out) {
    for (char c : key)
        if (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20) {
            out += json(key).dump() + ": ";
            return;
        }
    out += '"';
    out += key;
    out += "\": ";
}

bool holds_structure(json const& value) {
    for (auto const& element : value)
        if (element.is_structured()) return true;
    return false;
}

// Appends value on one line, with a blank after each separator; stops, returning false,
// once more than limit characters were appended.
bool append_flat(json const& value, std::string& out, std::size_t limit) {
    std::size_t start = out.size();
    if (!value.is_structured()) {
        append_scalar(value, out);
        return out.size() - start <= limit;
    }
    bool object = value.is_object();
    out += object ? '{' : '[';
    bool first = true;
    for (auto const& [key, element] : value.items()) {
        if (!first) out += ", ";
        first = false;
        if (object) append_key(key, out);
        std::size_t used = out.size() - start;
        if (used > limit || !append_flat(element, out, limit - used)) return false;
    }
    out += object ? '}' : ']';
    return out.size() - start <= limit;
}

// Like dump(2), but a value that fits stays on one line (a point, a matrix, a handle): a
// scalar, an empty value, one holding no array or object, or one of at most 72 characters
// on one line.
void append_layout(json const& value, int depth, std::string& out) {
    std::size_t const unlimited = std::string::npos / 2, fits = 72;
    std::size_t start = out.size();
    if (!value.is_structured() || value.empty() || !holds_structure(value)) {
        append_flat(value, out, unlimited);
        return;
    }
    if (append_flat(value, out, fits)) return;
    out.resize(start);
    std::string pad(2 * (depth + 1), ' ');
    bool object = value.is_object();
    out += object ? "{\n" : "[\n";
    bool first = true;
    for (auto const& [key, element] : value.items()) {
        out += first ? "" : ",\n";
        first = false;
        out += pad;
        if (object) append_key(key, out);
        append_layout(element, depth + 1, out);
    }
    out += '\n';
    out.append(2 * static_cast<std::size_t>(depth), ' ');
    out += object ? '}' : ']';
}

void write(json const& value, std::ostream& out, int depth) {
    std::string text;
    append_layout(value, depth, text);
    out << text;
}

}  // namespace

void write_scene_dump(scene_model const& scene, std::ostream& out) {
    json head = scene_head(scene);
    std::vector<shape_node*> shapes = scene.all_shapes();
    if (shapes.empty()) {
        write(head, out, 0);
        out << "\n";
        return;
    }
    // The layout write() gives the whole document, one shape at a time: a scene with shapes
    // never fits one line, nor does its list of shapes.
    std::string text = "{\n";
    for (auto const& [key, value] : head.items()) {
        if (key == "shapes") continue;
        text += "  ";
        append_key(key, text);
        append_scalar(value, text);
        text += ",\n";
    }
    text += "  \"shapes\": [\n";
    int sequence = 0;
    for (shape_node* shape : shapes) {
        text += sequence ? ",\n    " : "    ";
        append_layout(shape_json(*shape, sequence++), 2, text);
        out << text;
        text.clear();
    }
    out << "\n  ]\n}\n";
}

std::string dump_scene_text(scene_model const& scene) {
    std::ostringstream out;
    write_scene_dump(scene, out);
    return out.str();
}

int run_dump_scene(std::string const& path, std::ostream& out, std::ostream& err) {
    try {
        auto scene = load_scene_file(path);
        write_scene_dump(*scene, out);
        return 0;
    } catch (scene_file_error const& e) {
        err << e.what() << "\n";
        return 1;
    }
}

}  // namespace host
