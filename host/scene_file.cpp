#include "scene_file.h"

#include <cmath>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

namespace host {

namespace {

using nlohmann::json;

struct name_value {
    char const* name;
    int value;
};

name_value const shape_types[] = {
    {"part", kind_part},
    {"line", kind_line},
    {"polygon_mesh", kind_polygon_mesh},
    {"sphere", kind_sphere},
    {"disk", kind_disk},
    {"light", kind_light},
    {"master_surface", kind_master_surface},
    {"other", kind_other},
};

name_value const part_types[] = {
    {"simple", part_simple},
    {"surface", part_surface},
    {"rotator", part_rotator},
    {"slider", part_slider},
    {"scale", part_scale},
    {"uniscale", part_uniscale},
    {"light_joint", part_light_joint},
    {"path", part_path},
    {"morph", part_morph},
    {"switch", part_switch},
    {"custom", part_custom},
    {"ball", part_ball},
    {"camera", part_camera},
    {"link", part_link},
    {"surface_m", part_surface_m},
    {"sound", part_sound},
};

template <std::size_t N>
std::string choices(name_value const (&table)[N]) {
    std::string text;
    for (auto const& entry : table) text += (text.empty() ? "" : ", ") + std::string(entry.name);
    return text;
}

char const* json_kind(json const& value) {
    switch (value.type()) {
        case json::value_t::null: return "null";
        case json::value_t::boolean: return "a boolean";
        case json::value_t::string: return "a text";
        case json::value_t::array: return "an array";
        case json::value_t::object: return "an object";
        default: return "a number";
    }
}

// Links, linked shapes and the active points wait until the whole tree exists.
struct deferred_shape {
    shape_node* node;
    std::string where;
    json const* source;
};

class scene_loader {
public:
    scene_loader(std::string source, scene_model& scene) : file(std::move(source)), scene(scene) {}

    void load(json const& root) {
        if (!root.is_object())
            fail("top level", std::string("expected an object, got ") + json_kind(root));
        for (auto const& [key, value] : root.items())
            if (key != "figure_unit" && key != "shapes" && key != "active" && key != "state_flag")
                fail("top level", "unknown key \"" + key + "\"");
        if (root.contains("figure_unit")) {
            float unit = number(root["figure_unit"], "figure_unit");
            if (!(unit > 0)) fail("figure_unit", "expected a positive number");
            scene.set_figure_unit(unit);
        }
        if (root.contains("state_flag"))
            scene.set_state_flag(boolean(root["state_flag"], "state_flag"));
        if (root.contains("shapes")) {
            json const& shapes = root["shapes"];
            if (!shapes.is_array())
                fail("shapes", std::string("expected an array, got ") + json_kind(shapes));
            for (std::size_t i = 0; i < shapes.size(); ++i)
                load_shape(shapes[i], nullptr, "shapes[" + std::to_string(i) + "]");
        }
        for (auto const& shape : deferred) resolve_links(shape);
        for (auto const& shape : deferred) resolve_points(shape);
        if (root.contains("active")) {
            json const& active = root["active"];
            if (!active.is_string())
                fail("active", std::string("expected a path, got ") + json_kind(active));
            scene.set_active_shape(path(active, "active")->path());
        }
    }

private:
    [[noreturn]] void fail(std::string const& where, std::string const& problem) const {
        throw scene_file_error(file + ": " + where + ": " + problem);
    }

    float number(json const& value, std::string const& where) const {
        if (!value.is_number())
            fail(where, std::string("expected a number, got ") + json_kind(value));
        double d = value.get<double>();
        float f = static_cast<float>(d);
        if (!std::isfinite(d) || !std::isfinite(f)) fail(where, "number out of range");
        return f;
    }

    bool boolean(json const& value, std::string const& where) const {
        if (!value.is_boolean())
            fail(where, std::string("expected true or false, got ") + json_kind(value));
        return value.get<bool>();
    }

    std::vector<float> numbers(json const& value, std::size_t count,
                               std::string const& where) const {
        std::string expected = "expected " + std::to_string(count) + " numbers";
        if (!value.is_array()) fail(where, expected + ", got " + json_kind(value));
        if (value.size() != count) fail(where, expected + ", got " + std::to_string(value.size()));
        std::vector<float> out;
        for (std::size_t i = 0; i < count; ++i) {
            if (!value[i].is_number())
                fail(where,
                     expected + ", element " + std::to_string(i) + " is " + json_kind(value[i]));
            out.push_back(number(value[i], where));
        }
        return out;
    }

    vec3 point(json const& value, std::string const& where) const {
        auto v = numbers(value, 3, where);
        return {v[0], v[1], v[2]};
    }

    mat4 matrix(json const& value, std::string const& where) const {
        auto v = numbers(value, 16, where);
        mat4 m;
        for (int i = 0; i < 16; ++i) m.m[i / 4][i % 4] = v[i];
        return m;
    }

    skin_data skin(json const& value, std::string const& where) const {
        return {true, matrix(value, where)};
    }

    shape_node* path(json const& value, std::string const& where) const {
        if (!value.is_string())
            fail(where, std::string("expected a path, got ") + json_kind(value));
        shape_node* node = scene.find(value.get<std::string>());
        if (!node) fail(where, "no shape at path \"" + value.get<std::string>() + "\"");
        return node;
    }

    template <std::size_t N>
    int lookup(json const& value, name_value const (&table)[N], char const* what,
               std::string const& where) const {
        if (!value.is_string())
            fail(where, std::string("expected a text, got ") + json_kind(value));
        for (auto const& entry : table)
            if (value.get<std::string>() == entry.name) return entry.value;
        fail(where, "unknown " + std::string(what) + " \"" + value.get<std::string>() +
                        "\" (expected " + choices(table) + ")");
    }

    // The keys a shape of this type and part kind may carry, besides the common ones.
    static std::set<std::string> keys_for(int kind, int part) {
        std::set<std::string> keys{"name",          "type", "matrix",       "modifiable",
                                   "active_points", "skin", "linked_joint", "linked_skin"};
        switch (kind) {
            case kind_line: keys.insert("points"); break;
            case kind_polygon_mesh: keys.insert("vertices"); break;
            case kind_sphere:
            case kind_disk:
            case kind_light: keys.insert("center"); break;
            case kind_part: keys.insert({"part", "children"}); break;
            default: break;
        }
        switch (part) {
            case part_surface: keys.insert("direction"); break;
            case part_rotator:
            case part_scale:
            case part_slider: keys.insert({"first_point", "second_point"}); break;
            case part_uniscale: keys.insert("first_point"); break;
            case part_ball: keys.insert("pivot"); break;
            case part_camera: keys.insert({"eye", "target"}); break;
            case part_link: keys.insert("link_target"); break;
            default: break;
        }
        return keys;
    }

    void load_shape(json const& value, shape_node* parent, std::string const& slot) {
        if (!value.is_object())
            fail(slot, std::string("expected a shape object, got ") + json_kind(value));
        if (!value.contains("name")) fail(slot, "missing key \"name\"");
        json const& name_value = value["name"];
        if (!name_value.is_string())
            fail(slot + "/name", std::string("expected a text, got ") + json_kind(name_value));
        std::string name = name_value.get<std::string>();
        if (name.empty() || name.find('/') != std::string::npos)
            fail(slot + "/name", "a name must be non-empty and contain no \"/\"");
        std::string where = "shapes/" + (parent ? parent->path() + "/" : std::string()) + name;
        for (auto const& sibling : parent ? parent->children() : scene.roots())
            if (sibling->name() == name)
                fail(where, "another shape at the same level has this name");

        if (!value.contains("type")) fail(where, "missing key \"type\"");
        int kind = lookup(value["type"], shape_types, "type", where + "/type");
        int part = -1;
        if (kind == kind_part) {
            if (!value.contains("part")) fail(where, "missing key \"part\"");
            part = lookup(value["part"], part_types, "part kind", where + "/part");
        }
        auto allowed = keys_for(kind, part);
        for (auto const& [key, unused] : value.items()) {
            (void)unused;
            if (!allowed.count(key)) {
                bool known = keys_for(kind_part, part_surface).count(key) || key == "points" ||
                             key == "vertices" || key == "center" || key == "first_point" ||
                             key == "second_point" || key == "pivot" || key == "eye" ||
                             key == "target" || key == "link_target";
                fail(where, (known ? "key \"" + key + "\" does not apply to this shape type"
                                   : "unknown key \"" + key + "\""));
            }
        }

        shape_node& node = scene.add_shape(parent, name, kind, part);
        auto& g = node.geometry;
        if (value.contains("matrix")) {
            g.local = matrix(value["matrix"], where + "/matrix");
            auto const& m = g.local.m;
            if (m[0][3] != 0 || m[1][3] != 0 || m[2][3] != 0 || m[3][3] == 0)
                fail(where + "/matrix", "column 3 must be (0, 0, 0, w) with w not 0");
        }
        if (value.contains("modifiable"))
            node.modifiable = boolean(value["modifiable"], where + "/modifiable");
        if (value.contains("skin")) g.skin = skin(value["skin"], where + "/skin");
        if (value.contains("direction"))
            node.surface_direction = boolean(value["direction"], where + "/direction");
        if (value.contains("center")) g.center = point(value["center"], where + "/center");
        if (value.contains("first_point"))
            g.first = point(value["first_point"], where + "/first_point");
        if (value.contains("second_point"))
            g.second = point(value["second_point"], where + "/second_point");
        if (value.contains("pivot")) g.pivot = point(value["pivot"], where + "/pivot");
        if (value.contains("eye")) g.eye = point(value["eye"], where + "/eye");
        if (value.contains("target")) g.target = point(value["target"], where + "/target");
        if (value.contains("points")) load_points(node, value["points"], where + "/points");
        if (value.contains("vertices")) load_vertices(node, value["vertices"], where + "/vertices");
        deferred.push_back({&node, where, &value});

        if (value.contains("children")) {
            json const& children = value["children"];
            if (!children.is_array())
                fail(where + "/children",
                     std::string("expected an array, got ") + json_kind(children));
            for (std::size_t i = 0; i < children.size(); ++i)
                load_shape(children[i], &node, where + "/children[" + std::to_string(i) + "]");
        }
    }

    void load_points(shape_node& node, json const& points, std::string const& where) {
        if (!points.is_array())
            fail(where, std::string("expected an array, got ") + json_kind(points));
        for (std::size_t i = 0; i < points.size(); ++i) {
            std::string at = where + "[" + std::to_string(i) + "]";
            json const& p = points[i];
            if (!p.is_object())
                fail(at, std::string("expected a control point object, got ") + json_kind(p));
            for (auto const& [key, unused] : p.items()) {
                (void)unused;
                static std::set<std::string> const keys{"anchor", "in",     "out",      "l_in",
                                                        "l_out",  "linked", "l_linked", "skin"};
                if (!keys.count(key)) fail(at, "unknown key \"" + key + "\"");
            }
            if (!p.contains("anchor")) fail(at, "missing key \"anchor\"");
            control_point_data cp;
            cp.anchor = point(p["anchor"], at + "/anchor");
            auto handle = [&](char const* key) {
                return p.contains(key) ? point(p[key], at + "/" + key) : cp.anchor;
            };
            cp.in = handle("in");
            cp.out = handle("out");
            cp.l_in = handle("l_in");
            cp.l_out = handle("l_out");
            if (p.contains("linked")) cp.linked = boolean(p["linked"], at + "/linked");
            if (p.contains("l_linked")) cp.l_linked = boolean(p["l_linked"], at + "/l_linked");
            if (p.contains("skin")) cp.skin = skin(p["skin"], at + "/skin");
            node.add_control_point(cp);
        }
    }

    void load_vertices(shape_node& node, json const& vertices, std::string const& where) {
        if (!vertices.is_array())
            fail(where, std::string("expected an array, got ") + json_kind(vertices));
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            std::string at = where + "[" + std::to_string(i) + "]";
            json const& v = vertices[i];
            vertex_data vertex;
            if (v.is_object()) {
                for (auto const& [key, unused] : v.items()) {
                    (void)unused;
                    if (key != "position" && key != "skin") fail(at, "unknown key \"" + key + "\"");
                }
                if (!v.contains("position")) fail(at, "missing key \"position\"");
                vertex.position = point(v["position"], at + "/position");
                if (v.contains("skin")) vertex.skin = skin(v["skin"], at + "/skin");
            } else {
                vertex.position = point(v, at);
            }
            node.add_vertex(vertex);
        }
    }

    void resolve_links(deferred_shape const& shape) {
        json const& value = *shape.source;
        if (value.contains("link_target"))
            shape.node->link_to = path(value["link_target"], shape.where + "/link_target");
        link_list(shape, "linked_joint", tq::uuid_class(0x50090010u));
        link_list(shape, "linked_skin", tq::uuid_class(0x50090082u));
    }

    void link_list(deferred_shape const& shape, char const* key, tq::uuid_class const& component) {
        json const& value = *shape.source;
        if (!value.contains(key)) return;
        std::string where = shape.where + "/" + key;
        json const& list = value[key];
        if (!list.is_array())
            fail(where, std::string("expected an array of paths, got ") + json_kind(list));
        auto& shapes = shape.node->linked_shapes(component);
        for (std::size_t i = 0; i < list.size(); ++i)
            shapes.push_back(path(list[i], where + "[" + std::to_string(i) + "]"));
    }

    void resolve_points(deferred_shape const& shape) {
        int count = 0;
        try {
            count = shape.node->count_points();
        } catch (host_error const&) {
            fail(shape.where, "link parts form a cycle");
        }
        json const& value = *shape.source;
        if (!value.contains("active_points")) return;
        std::string where = shape.where + "/active_points";
        json const& list = value["active_points"];
        if (!list.is_array())
            fail(where, std::string("expected an array of indices, got ") + json_kind(list));
        for (std::size_t i = 0; i < list.size(); ++i) {
            std::string at = where + "[" + std::to_string(i) + "]";
            if (!list[i].is_number_integer())
                fail(at, std::string("expected an index, got ") + json_kind(list[i]));
            long long index = list[i].get<long long>();
            if (index < 0 || index >= count)
                fail(at, "index " + std::to_string(index) + " out of range (the shape has " +
                             std::to_string(count) + " points)");
            shape.node->active_points.push_back(static_cast<int>(index));
        }
    }

    std::string file;
    scene_model& scene;
    std::vector<deferred_shape> deferred;
};

// The parser keeps only the last of two equal keys; this watch refuses them instead, so a
// repeated key cannot silently override the first. It tracks where in the document the
// parser is, to name the object in the message.
class duplicate_key_watch {
public:
    explicit duplicate_key_watch(std::string const& source) : file(source) {}

    bool operator()(int, json::parse_event_t event, json& parsed) {
        switch (event) {
            case json::parse_event_t::object_start:
            case json::parse_event_t::array_start:
                next_element();
                frames.push_back({event == json::parse_event_t::array_start, {}, -1, {}});
                break;
            case json::parse_event_t::key: {
                frame& top = frames.back();
                top.key = parsed.get<std::string>();
                if (!top.keys.insert(top.key).second)
                    throw scene_file_error(file + ": " + where() + ": duplicate key \"" + top.key +
                                           "\"");
                break;
            }
            case json::parse_event_t::value: next_element(); break;
            case json::parse_event_t::object_end:
            case json::parse_event_t::array_end: frames.pop_back(); break;
        }
        return true;
    }

private:
    struct frame {
        bool is_array;
        std::string key;
        int index;
        std::set<std::string> keys;
    };

    void next_element() {
        if (!frames.empty() && frames.back().is_array) ++frames.back().index;
    }

    // The path of the innermost object, e.g. shapes[0]/points[1].
    std::string where() const {
        std::string path;
        for (std::size_t i = 0; i + 1 < frames.size(); ++i)
            path += frames[i].is_array ? "[" + std::to_string(frames[i].index) + "]"
                                       : (path.empty() ? "" : "/") + frames[i].key;
        return path.empty() ? "top level" : path;
    }

    std::string file;
    std::vector<frame> frames;
};

}  // namespace

std::unique_ptr<scene_model> load_scene_text(std::string const& text, std::string const& source) {
    json root;
    try {
        root = json::parse(text, duplicate_key_watch(source));
    } catch (json::parse_error const& e) {
        std::string what = e.what();
        auto start = what.find("] ");
        throw scene_file_error(source + ": malformed JSON: " +
                               (start == std::string::npos ? what : what.substr(start + 2)));
    }
    auto scene = std::make_unique<scene_model>();
    scene_loader(source, *scene).load(root);
    return scene;
}

std::unique_ptr<scene_model> load_scene_file(std::string const& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw scene_file_error(path + ": cannot open the file");
    std::ostringstream text;
    text << in.rdbuf();
    return load_scene_text(text.str(), path);
}

}  // namespace host
