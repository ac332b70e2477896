#include "scene_files/scene_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "scene_files/scene_json.h"
#include "scene_files/scene_kind_words.h"
#include "host_component_ids.h"
#include "checks/host_checks.h"
#include "scene/flat_numbering.h"
#include "scene/shape_points.h"

namespace host {

namespace {

using json = json_value;

template <std::size_t N>
std::string choices(kind_word const (&table)[N]) {
    std::string text;
    for (auto const& entry : table) text += (text.empty() ? "" : ", ") + std::string(entry.word);
    return text;
}

char const* json_kind(json const& value) {
    switch (value.kind()) {
        case json_kind::null: return "null";
        case json_kind::boolean: return "a boolean";
        case json_kind::string: return "a text";
        case json_kind::array: return "an array";
        case json_kind::object: return "an object";
        default: return "a number";
    }
}

// A place in the file ("shapes/curve/points[1]/anchor"), written out only for a message:
// a file of a million points names none of them unless one is wrong.
class place {
public:
    place(char const* text) : literal(text) {}  // NOLINT: a fixed place such as "active"
    explicit place(std::string const& text) : text(&text) {}
    // The parent must outlive this place.
    place(place const& parent, char const* key) : parent(&parent), key(key) {}
    place(place const& parent, std::size_t index) : parent(&parent), index(index) {}
    std::string str() const {
        if (literal) return literal;
        if (text) return *text;
        return parent->str() + (key ? "/" + std::string(key) : "[" + std::to_string(index) + "]");
    }

private:
    char const* literal = nullptr;
    std::string const* text = nullptr;
    place const* parent = nullptr;
    char const* key = nullptr;
    std::size_t index = 0;
};

// Links, linked shapes and the active points wait until the whole tree exists.
struct deferred_shape {
    shape_node* node;
    std::string where;
    json source;
};

class scene_loader {
public:
    scene_loader(std::string source, scene_model& scene) : file(std::move(source)), scene(scene) {}

    void load(json const& root) {
        if (!root.is_object())
            fail("top level", std::string("expected an object, got ") + json_kind(root));
        for (std::string_view key : root.sorted_keys())
            if (key != "figure_unit" && key != "shapes" && key != "active" && key != "state_flag")
                fail("top level", "unknown key \"" + std::string(key) + "\"");
        if (root.contains("figure_unit")) {
            float unit = number(root["figure_unit"], "figure_unit");
            if (!(unit > 0)) fail("figure_unit", "expected a positive number");
            scene.set_figure_unit(unit);
        }
        if (root.contains("state_flag"))
            scene.set_state_flag(boolean(root["state_flag"], "state_flag"));
        if (root.contains("shapes")) {
            json shapes = root["shapes"];
            if (!shapes.is_array())
                fail("shapes", std::string("expected an array, got ") + json_kind(shapes));
            load_tree(shapes);
        }
        for (auto const& shape : deferred) resolve_links(shape);
        for (auto const& shape : deferred) resolve_points(shape);
        for (auto const& shape : deferred) check_world(shape);
        if (root.contains("active")) {
            json active = root["active"];
            if (!active.is_string())
                fail("active", std::string("expected a path, got ") + json_kind(active));
            scene.set_active_shape(path(active, "active")->path());
        }
    }

private:
    [[noreturn]] void fail(place const& where, std::string const& problem) const {
        throw scene_file_error(file + ": " + where.str() + ": " + problem);
    }
    [[noreturn]] void fail(std::string const& where, std::string const& problem) const {
        fail(place(where), problem);
    }
    [[noreturn]] void fail(char const* where, std::string const& problem) const {
        fail(place(where), problem);
    }

    float number(json const& value, place const& where) const {
        if (!value.is_number())
            fail(where, std::string("expected a number, got ") + json_kind(value));
        double d = value.get_double();
        float f = static_cast<float>(d);
        if (!std::isfinite(d) || !std::isfinite(f)) fail(where, "number out of range");
        return f;
    }

    bool boolean(json const& value, place const& where) const {
        if (!value.is_boolean())
            fail(where, std::string("expected true or false, got ") + json_kind(value));
        return value.get_bool();
    }

    // Exactly count numbers into out.
    void numbers(json const& value, std::size_t count, place const& where, float* out) const {
        auto expected = [count] { return "expected " + std::to_string(count) + " numbers"; };
        if (!value.is_array()) fail(where, expected() + ", got " + json_kind(value));
        if (value.size() != count)
            fail(where, expected() + ", got " + std::to_string(value.size()));
        std::size_t i = 0;
        for (json element : value.elements()) {
            if (!element.is_number())
                fail(where,
                     expected() + ", element " + std::to_string(i) + " is " + json_kind(element));
            out[i++] = number(element, where);
        }
    }

    vec3 point(json const& value, place const& where) const {
        float v[3];
        numbers(value, 3, where, v);
        return {v[0], v[1], v[2]};
    }

    mat4 matrix(json const& value, place const& where) const {
        float v[16];
        numbers(value, 16, where, v);
        mat4 m;
        for (int i = 0; i < 16; ++i) m.m[i / 4][i % 4] = v[i];
        return m;
    }

    skin_data skin(json const& value, place const& where) const {
        return {true, matrix(value, where)};
    }

    shape_node* path(json const& value, place const& where) const {
        if (!value.is_string())
            fail(where, std::string("expected a path, got ") + json_kind(value));
        auto found = by_path.find(value.get_string());
        shape_node* node = found == by_path.end() ? nullptr : found->second;
        if (!node) fail(where, "no shape at path \"" + value.get_string() + "\"");
        return node;
    }

    template <std::size_t N>
    int lookup(json const& value, kind_word const (&table)[N], char const* what,
               place const& where) const {
        if (!value.is_string())
            fail(where, std::string("expected a text, got ") + json_kind(value));
        for (auto const& entry : table)
            if (value.get_string() == entry.word) return entry.id;
        fail(where, "unknown " + std::string(what) + " \"" + value.get_string() +
                        "\" (expected " + choices(table) + ")");
    }

    // The keys a shape may carry: each with the object kind or part kind it belongs to
    // (any: every shape).
    static constexpr int any = -1;
    struct shape_key {
        char const* key;
        int kind;
        int part;
    };
    static constexpr shape_key shape_keys[] = {
        {"name", any, any}, {"type", any, any}, {"matrix", any, any}, {"modifiable", any, any},
        {"active_points", any, any}, {"skin", any, any}, {"linked_joint", any, any},
        {"linked_skin", any, any},
        {"points", kind_line, any}, {"vertices", kind_polygon_mesh, any},
        {"center", kind_sphere, any}, {"center", kind_disk, any}, {"center", kind_light, any},
        {"part", kind_part, any}, {"children", kind_part, any},
        {"direction", any, part_surface},
        {"first_point", any, part_rotator}, {"second_point", any, part_rotator},
        {"first_point", any, part_scale}, {"second_point", any, part_scale},
        {"first_point", any, part_slider}, {"second_point", any, part_slider},
        {"first_point", any, part_uniscale},
        {"pivot", any, part_ball},
        {"eye", any, part_camera}, {"target", any, part_camera},
        {"link_target", any, part_link},
    };

    // Refuses a key that no shape carries, or that this type and part kind do not.
    void check_key(std::string const& where, std::string const& key, int kind, int part) {
        bool known = false;
        for (shape_key const& k : shape_keys) {
            if (key != k.key) continue;
            if ((k.kind == any || k.kind == kind) && (k.part == any || k.part == part)) return;
            known = true;
        }
        fail(where, known ? "key \"" + key + "\" does not apply to this shape type"
                          : "unknown key \"" + key + "\"");
    }

    // Parts nest at most this deep: deeper trees are refused before anything that walks
    // them (the plug-in's point numbering among them) could run out of stack.
    static constexpr int max_depth = 5000;

    // One shape still to be read: its JSON, its parent and its place in the file.
    struct pending {
        json value;
        shape_node* parent;
        std::string slot;
        int depth;
        std::string top;  // the top-level shape's place, for a message about depth
    };

    // The shapes of the file in file order, without recursion: a deep file cannot exhaust
    // the stack, and each level checks its names against a set of its own.
    void load_tree(json const& shapes) {
        std::vector<pending> stack;
        push_reversed(stack, shapes, nullptr, "shapes", 1, "");
        while (!stack.empty()) {
            pending next = std::move(stack.back());
            stack.pop_back();
            load_shape(next, stack);
        }
    }

    void load_shape(pending const& item, std::vector<pending>& stack) {
        json const& value = item.value;
        shape_node* parent = item.parent;
        std::string const& slot = item.slot;
        if (!value.is_object())
            fail(slot, std::string("expected a shape object, got ") + json_kind(value));
        if (!value.contains("name")) fail(slot, "missing key \"name\"");
        json name_value = value["name"];
        place slot_place(slot);
        if (!name_value.is_string())
            fail(place(slot_place, "name"),
                 std::string("expected a text, got ") + json_kind(name_value));
        std::string name = name_value.get_string();
        if (name.empty() || name.find('/') != std::string::npos)
            fail(place(slot_place, "name"), "a name must be non-empty and contain no \"/\"");
        std::string where = parent ? deferred[parent_entry(parent)].where + "/" + name
                                   : "shapes/" + name;
        if (!names_at[parent].insert(name).second)
            fail(where, "another shape at the same level has this name");

        if (!value.contains("type")) fail(where, "missing key \"type\"");
        place here(where);
        int kind = lookup(value["type"], shape_type_words, "type", place(here, "type"));
        int part = -1;
        if (kind == kind_part) {
            if (!value.contains("part")) fail(where, "missing key \"part\"");
            part = lookup(value["part"], part_kind_words, "part kind", place(here, "part"));
        }
        for (std::string_view key : value.sorted_keys()) check_key(where, std::string(key), kind, part);

        shape_node& node = scene.add_shape(parent, name, kind, part);
        auto& g = node.geometry;
        if (value.contains("matrix")) {
            g.local = matrix(value["matrix"], place(here, "matrix"));
            auto const& m = g.local.m;
            if (m[0][3] != 0 || m[1][3] != 0 || m[2][3] != 0 || m[3][3] == 0)
                fail(place(here, "matrix"), "column 3 must be (0, 0, 0, w) with w not 0");
        }
        if (value.contains("modifiable"))
            node.modifiable = boolean(value["modifiable"], place(here, "modifiable"));
        if (value.contains("skin")) g.skin = skin(value["skin"], place(here, "skin"));
        if (value.contains("direction"))
            node.surface_direction = boolean(value["direction"], place(here, "direction"));
        for (auto [key, field] : {std::pair{"center", &shape_geometry::center},
                                  std::pair{"first_point", &shape_geometry::first},
                                  std::pair{"second_point", &shape_geometry::second},
                                  std::pair{"pivot", &shape_geometry::pivot},
                                  std::pair{"eye", &shape_geometry::eye},
                                  std::pair{"target", &shape_geometry::target}})
            if (value.contains(key)) g.*field = point(value[key], place(here, key));
        if (value.contains("points")) load_points(node, value["points"], place(here, "points"));
        if (value.contains("vertices"))
            load_vertices(node, value["vertices"], place(here, "vertices"));
        entry_of[&node] = deferred.size();
        by_path.emplace(where.substr(std::strlen("shapes/")), &node);
        deferred.push_back({&node, where, value});

        if (value.contains("children")) {
            json children = value["children"];
            if (!children.is_array())
                fail(place(here, "children"),
                     std::string("expected an array, got ") + json_kind(children));
            std::string const& top = parent ? item.top : where;
            if (children.size() > 0 && item.depth >= max_depth)
                fail(top, "parts nest deeper than " + std::to_string(max_depth) + " levels");
            push_reversed(stack, children, &node, where + "/children", item.depth + 1, top);
        }
    }

    // The shapes of list onto the stack, the first on top, each at "slot[i]".
    static void push_reversed(std::vector<pending>& stack, json const& list, shape_node* parent,
                              std::string const& slot, int depth, std::string const& top) {
        std::size_t first = stack.size(), i = 0;
        for (json each : list.elements())
            stack.push_back({each, parent, slot + "[" + std::to_string(i++) + "]", depth, top});
        std::reverse(stack.begin() + static_cast<std::ptrdiff_t>(first), stack.end());
    }

    std::size_t parent_entry(shape_node* parent) const { return entry_of.at(parent); }

    void load_points(shape_node& node, json const& points, place const& where) {
        if (!points.is_array())
            fail(where, std::string("expected an array, got ") + json_kind(points));
        node.geometry.points.reserve(points.size());
        std::size_t i = 0;
        for (json p : points.elements()) {
            place at(where, i++);
            if (!p.is_object())
                fail(at, std::string("expected a control point object, got ") + json_kind(p));
            for (std::string_view key : p.sorted_keys()) {
                static std::set<std::string_view> const keys{"anchor", "in",     "out",      "l_in",
                                                             "l_out",  "linked", "l_linked", "skin"};
                if (!keys.count(key)) fail(at, "unknown key \"" + std::string(key) + "\"");
            }
            if (!p.contains("anchor")) fail(at, "missing key \"anchor\"");
            control_point_data cp;
            cp.anchor = point(p["anchor"], place(at, "anchor"));
            auto handle = [&](char const* key) {
                return p.contains(key) ? point(p[key], place(at, key)) : cp.anchor;
            };
            cp.in = handle("in");
            cp.out = handle("out");
            cp.l_in = handle("l_in");
            cp.l_out = handle("l_out");
            if (p.contains("linked")) cp.linked = boolean(p["linked"], place(at, "linked"));
            if (p.contains("l_linked"))
                cp.l_linked = boolean(p["l_linked"], place(at, "l_linked"));
            if (p.contains("skin")) cp.skin = skin(p["skin"], place(at, "skin"));
            node.add_control_point(cp);
        }
    }

    void load_vertices(shape_node& node, json const& vertices, place const& where) {
        if (!vertices.is_array())
            fail(where, std::string("expected an array, got ") + json_kind(vertices));
        node.geometry.vertices.reserve(vertices.size());
        std::size_t i = 0;
        for (json v : vertices.elements()) {
            place at(where, i);
            vertex_data vertex;
            bool skinned = false;
            mat4 skin_matrix;
            if (v.is_object()) {
                for (std::string_view key : v.sorted_keys())
                    if (key != "position" && key != "skin")
                        fail(at, "unknown key \"" + std::string(key) + "\"");
                if (!v.contains("position")) fail(at, "missing key \"position\"");
                vertex.position = point(v["position"], place(at, "position"));
                if (v.contains("skin")) {
                    skin_matrix = matrix(v["skin"], place(at, "skin"));
                    skinned = true;
                }
            } else {
                vertex.position = point(v, at);
            }
            node.add_vertex(vertex);
            if (skinned) node.geometry.set_vertex_skin(i, skin_matrix);
            ++i;
        }
    }

    void resolve_links(deferred_shape const& shape) {
        json value = shape.source;
        if (value.contains("link_target"))
            shape.node->link_to =
                path(value["link_target"], place(shape.where + "/link_target"));
        link_list(shape, "linked_joint", extend_joint_window_uuid);
        link_list(shape, "linked_skin", extend_skin_window_uuid);
    }

    void link_list(deferred_shape const& shape, char const* key, tq::uuid_class const& component) {
        json value = shape.source;
        if (!value.contains(key)) return;
        std::string where = shape.where + "/" + key;
        json list = value[key];
        if (!list.is_array())
            fail(where, std::string("expected an array of paths, got ") + json_kind(list));
        auto& shapes = shape.node->linked_shapes(component);
        place base(where);
        std::size_t i = 0;
        for (json each : list.elements()) shapes.push_back(path(each, place(base, i++)));
    }

    void resolve_points(deferred_shape const& shape) {
        int count = 0;
        try {
            count = counts.of(*shape.node);
        } catch (host_error const&) {
            fail(shape.where, "link parts form a cycle");
        }
        json value = shape.source;
        if (!value.contains("active_points")) return;
        std::string where = shape.where + "/active_points";
        json list = value["active_points"];
        if (!list.is_array())
            fail(where, std::string("expected an array of indices, got ") + json_kind(list));
        shape.node->active_points.reserve(list.size());
        place base(where);
        std::size_t i = 0;
        for (json element : list.elements()) {
            place at(base, i++);
            if (!element.is_number_integer())
                fail(at, std::string("expected an index, got ") + json_kind(element));
            long long index = element.get_integer();
            if (index < 0 || index >= count)
                fail(at, "index " + std::to_string(index) + " out of range (the shape has " +
                             std::to_string(count) + " points)");
            shape.node->active_points.push_back(static_cast<int>(index));
        }
    }

    // Every world coordinate the shape shows must be a number in single precision: a
    // matrix that overflows one (a huge scale, a tiny w) is refused here rather than shown
    // as null later.
    void check_world(deferred_shape const& shape) {
        shape_node const& node = *shape.node;
        auto const& g = node.geometry;
        // Parents come first in the file's order: each world matrix is one product away.
        auto parent_world = node.parent() ? worlds.find(node.parent()) : worlds.end();
        dmat4 chain = parent_world == worlds.end() ? node.world_matrix()
                                                   : to_double(g.local) * parent_world->second;
        worlds[&node] = chain;
        auto refuse = [&](std::string const& what) {
            fail(shape.where, what + " is not a finite number in single precision in world "
                                     "coordinates (check the matrices above it)");
        };
        if (!is_finite(to_float(chain))) refuse("the world matrix");
        for_each_point(node, [&](shape_point const& p) {
            if (is_finite(world_position(p, chain))) return;
            if (p.role == point_role::vertex) refuse("vertex " + std::to_string(p.index));
            if (p.role == point_role::anchor || is_handle(p.role))
                refuse("control point " + std::to_string(p.index));
            refuse("a point");
        });
    }

    std::string file;
    scene_model& scene;
    std::vector<deferred_shape> deferred;
    std::unordered_map<shape_node const*, std::size_t> entry_of;  // node -> its deferred entry
    std::unordered_map<shape_node const*, std::unordered_set<std::string>> names_at;
    flat_point_counts counts;  // the shapes' point counts, each counted once
    std::unordered_map<shape_node const*, dmat4> worlds;
    std::unordered_map<std::string, shape_node*> by_path;  // links name shapes by path
};

// The parsed text of a scene file; the parser's refusals in the house form.
std::unique_ptr<scene_json> parse(std::string const& text, std::string const& source) {
    try {
        return std::make_unique<scene_json>(text);
    } catch (duplicate_key const& e) {
        throw scene_file_error(source + ": " + e.where + ": duplicate key \"" + e.key + "\"");
    } catch (number_overflow const& e) {
        throw scene_file_error(source + ": " + e.where + ": number out of range");
    } catch (malformed_json const& e) {
        throw scene_file_error(source + ": malformed JSON: " + e.what());
    }
}

std::unique_ptr<scene_model> build(std::unique_ptr<scene_json> document,
                                   std::string const& source) {
    auto scene = std::make_unique<scene_model>();
    scene_loader(source, *scene).load(document->root());
    return scene;
}

}  // namespace

std::unique_ptr<scene_model> load_scene_text(std::string const& text, std::string const& source) {
    return build(parse(text, source), source);
}

std::unique_ptr<scene_model> load_scene_file(std::string const& path) {
    // The text is let go before the scene is built: a large file is not held twice.
    std::unique_ptr<scene_json> document;
    {
        // A folder opens as a file on Linux (its size reads as huge), not at all on Windows.
        std::error_code ignored;
        if (std::filesystem::is_directory(path, ignored))
            throw scene_file_error(path + ": is a folder, not a scene file");
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"),
                                                           std::fclose);
        if (!in) throw scene_file_error(path + ": cannot open the file");
        std::string text;
        if (std::fseek(in.get(), 0, SEEK_END) == 0) {
            long size = std::ftell(in.get());
            // One allocation for the whole text.
            if (size > 0) text.reserve(static_cast<std::size_t>(size));
            std::rewind(in.get());
        }
        char buffer[1 << 16];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) text.append(buffer, n);
        document = parse(text, path);
    }
    return build(std::move(document), path);
}

}  // namespace host
