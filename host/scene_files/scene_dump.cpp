#include "scene_files/scene_dump.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

#include "scene_files/scene_file.h"
#include "host_component_ids.h"
#include "scene/scene_model.h"
#include "scene/shape_points.h"
#include "scene/shape_type_name.h"

#include "text/shortest_decimal.h"

namespace host {

namespace {

using json = nlohmann::ordered_json;

// The dump of one shape, or of the scene's own values, as a tree of values: built once,
// then laid out as text or turned into JSON. The nodes are kept from shape to shape, so a
// scene of many shapes costs few allocations.
class dump_tree {
public:
    enum class kind { null, boolean, integer, number, text, array, object };

    // Empties the tree and makes its root.
    int start(kind type) {
        used = 0;
        return add(-1, "", type);
    }
    // A value under parent; in an object a key given again takes the place of the first.
    int add(int parent, char const* key, kind type) {
        if (parent >= 0 && nodes[parent].type == kind::object)
            for (int c = nodes[parent].first; c >= 0; c = nodes[c].next)
                if (nodes[c].key == key) {
                    reset(c, key, type);
                    nodes[c].first = nodes[c].last = -1;
                    return c;
                }
        if (used == static_cast<int>(nodes.size())) nodes.emplace_back();
        int i = used++;
        reset(i, key, type);
        nodes[i].first = nodes[i].last = nodes[i].next = -1;
        if (parent >= 0) {
            node& p = nodes[parent];
            (p.last >= 0 ? nodes[p.last].next : p.first) = i;
            p.last = i;
        }
        return i;
    }
    void number(int parent, char const* key, double v) { nodes[add(parent, key, kind::number)].value = v; }
    void integer(int parent, char const* key, long long v) { nodes[add(parent, key, kind::integer)].whole = v; }
    void boolean(int parent, char const* key, bool v) { nodes[add(parent, key, kind::boolean)].flag = v; }
    void text(int parent, char const* key, std::string const& v) { nodes[add(parent, key, kind::text)].words = v; }
    void null(int parent, char const* key) { add(parent, key, kind::null); }
    // A point or a matrix.
    template <class Value>
    void decimals(int parent, char const* key, Value const& values) {
        int list = add(parent, key, kind::array);
        for (double v : shortest_decimals(values)) number(list, "", v);
    }

    struct node {
        kind type = kind::null;
        std::string key;
        double value = 0;
        long long whole = 0;
        bool flag = false;
        std::string words;
        int first = -1, last = -1, next = -1;
    };
    node const& operator[](int i) const { return nodes[i]; }

private:
    void reset(int i, char const* key, kind type) {
        nodes[i].type = type;
        nodes[i].key = key;
    }
    std::vector<node> nodes;
    int used = 0;
};

using kind = dump_tree::kind;

void located(dump_tree& t, int parent, shape_point const& p, dmat4 const& chain) {
    t.decimals(parent, "local", p.position);
    t.decimals(parent, "world", world_position(p, chain));
}

char const* handle_key(point_role role) {
    switch (role) {
    case point_role::in_handle: return "in";
    case point_role::out_handle: return "out";
    case point_role::l_in_handle: return "l_in";
    default: return "l_out";
    }
}

// Every point with its index, local and world position; a control point's handles and
// link flags inside it, and the skin of a control point or vertex that has its own.
void points_of(dump_tree& t, int entry, shape_node const& shape) {
    dmat4 chain = shape.world_matrix();
    int points = t.add(entry, "points", kind::array);
    int point = -1;
    for_each_point(shape, [&](shape_point const& p) {
        if (is_handle(p.role)) {
            located(t, t.add(point, handle_key(p.role), kind::object), p, chain);
            if (p.role != point_role::l_out_handle) return;
            // The last of a control point's entries: its flags and skin follow.
            auto const& cp = shape.geometry.points[static_cast<std::size_t>(p.index)];
            t.boolean(point, "linked", cp.linked);
            t.boolean(point, "l_linked", cp.l_linked);
            if (p.skin) t.decimals(point, "skin", *p.skin);
            return;
        }
        point = t.add(points, "", kind::object);
        t.integer(point, "index", p.index);
        located(t, point, p, chain);
        if (p.role == point_role::vertex && p.skin) t.decimals(point, "skin", *p.skin);
    });
}

void paths(dump_tree& t, int parent, char const* key, std::vector<shape_node*> const& shapes) {
    int list = t.add(parent, key, kind::array);
    for (shape_node const* s : shapes) t.text(list, "", s->path());
}

// Path first, points last.
int shape_tree(dump_tree& t, shape_node& shape, int sequence) {
    auto const& g = shape.geometry;
    int entry = t.start(kind::object);
    t.text(entry, "path", shape.path());
    t.text(entry, "type", shape_type_name(shape));
    t.integer(entry, "object_kind", shape.object_kind());
    t.integer(entry, "sequence", sequence);
    t.boolean(entry, "modifiable", shape.modifiable);
    t.decimals(entry, "matrix", g.local);
    t.decimals(entry, "world_matrix", to_float(shape.world_matrix()));
    if (shape.is_part()) t.integer(entry, "part_kind", shape.part_kind());
    if (g.skin.skinned) t.decimals(entry, "skin", g.skin.matrix);
    try {
        t.integer(entry, "point_count", shape.count_points());
    } catch (host_error const&) {
        t.null(entry, "point_count");
    }
    if (!shape.active_points.empty()) {
        int list = t.add(entry, "active_points", kind::array);
        for (int index : shape.active_points) t.integer(list, "", index);
    }
    if (shape.part_kind() == part_surface) t.boolean(entry, "direction", shape.surface_direction);
    if (shape.part_kind() == part_link) {
        if (shape.link_to)
            t.text(entry, "link_target", shape.link_to->path());
        else
            t.null(entry, "link_target");
    }
    if (shape.camera()) t.integer(entry, "camera_index", shape.camera_index);
    for (auto const& set : shape.linked) {
        if (set.component == extend_joint_window_uuid)
            paths(t, entry, "linked_joint", set.shapes);
        else if (set.component == extend_skin_window_uuid)
            paths(t, entry, "linked_skin", set.shapes);
    }
    points_of(t, entry, shape);
    return entry;
}

// The scene's own values, with the shapes left empty.
int head_tree(dump_tree& t, scene_model const& scene) {
    int head = t.start(kind::object);
    t.number(head, "figure_unit", shortest_decimal(scene.figure_unit()));
    if (scene.active_shape())
        t.text(head, "active", scene.active_shape()->path());
    else
        t.null(head, "active");
    t.integer(head, "camera_index", scene.camera_index());
    t.add(head, "shapes", kind::array);
    return head;
}

json as_json(dump_tree const& t, int i) {
    dump_tree::node const& n = t[i];
    switch (n.type) {
    case kind::null: return nullptr;
    case kind::boolean: return n.flag;
    case kind::integer: return n.whole;
    case kind::number: return n.value;
    case kind::text: return n.words;
    case kind::array: {
        json list = json::array();
        for (int c = n.first; c >= 0; c = t[c].next) list.push_back(as_json(t, c));
        return list;
    }
    case kind::object: break;
    }
    json object = json::object();
    for (int c = n.first; c >= 0; c = t[c].next) object[t[c].key] = as_json(t, c);
    return object;
}

// Appends a text as a JSON string; the dump's words are plain, anything else is escaped by
// the library.
void append_quoted(std::string const& words, std::string& out) {
    for (char c : words)
        if (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20) {
            out += json(words).dump();
            return;
        }
    out += '"';
    out += words;
    out += '"';
}

// Appends a scalar as JSON text, each number a scene repeats (0 and 1 of every matrix)
// formatted once.
void append_scalar(dump_tree::node const& n, std::string& out) {
    char digits[24];
    switch (n.type) {
    case kind::null: out += "null"; return;
    case kind::boolean: out += n.flag ? "true" : "false"; return;
    case kind::integer: out.append(digits, std::to_chars(digits, digits + sizeof digits, n.whole).ptr); return;
    case kind::text: append_quoted(n.words, out); return;
    case kind::number: {
        struct cached {
            std::uint64_t bits = 1;  // no finite double's bits: nothing matches at first
            std::string text;
        };
        static thread_local std::vector<cached> recent(1024);
        std::uint64_t bits;
        std::memcpy(&bits, &n.value, sizeof bits);
        cached& slot = recent[(bits ^ (bits >> 29) ^ (bits >> 47)) % recent.size()];
        if (slot.bits != bits || slot.text.empty()) slot = {bits, json(n.value).dump()};
        out += slot.text;
        return;
    }
    default: return;
    }
}

bool structured(dump_tree::node const& n) { return n.type == kind::array || n.type == kind::object; }

// Appends node i on one line, with a blank after each separator; stops, returning false,
// once more than limit characters were appended.
bool append_flat(dump_tree const& t, int i, std::string& out, std::size_t limit) {
    std::size_t start = out.size();
    dump_tree::node const& n = t[i];
    if (!structured(n)) {
        append_scalar(n, out);
        return out.size() - start <= limit;
    }
    bool object = n.type == kind::object;
    out += object ? '{' : '[';
    for (int c = n.first; c >= 0; c = t[c].next) {
        if (c != n.first) out += ", ";
        if (object) append_quoted(t[c].key, out), out += ": ";
        std::size_t used = out.size() - start;
        if (used > limit || !append_flat(t, c, out, limit - used)) return false;
    }
    out += object ? '}' : ']';
    return out.size() - start <= limit;
}

// Like dump(2), but a value that fits stays on one line (a point, a matrix, a handle): a
// scalar, an empty value, one holding no array or object, or one of at most 72 characters
// on one line.
void append_layout(dump_tree const& t, int i, int depth, std::string& out) {
    std::size_t const unlimited = std::string::npos / 2, fits = 72;
    dump_tree::node const& n = t[i];
    bool nested = false;
    for (int c = n.first; c >= 0 && structured(n); c = t[c].next) nested = nested || structured(t[c]);
    if (!nested) {
        append_flat(t, i, out, unlimited);
        return;
    }
    std::size_t start = out.size();
    if (append_flat(t, i, out, fits)) return;
    out.resize(start);
    bool object = n.type == kind::object;
    out += object ? "{\n" : "[\n";
    for (int c = n.first; c >= 0; c = t[c].next) {
        if (c != n.first) out += ",\n";
        out.append(2 * static_cast<std::size_t>(depth + 1), ' ');
        if (object) append_quoted(t[c].key, out), out += ": ";
        append_layout(t, c, depth + 1, out);
    }
    out += '\n';
    out.append(2 * static_cast<std::size_t>(depth), ' ');
    out += object ? '}' : ']';
}

}  // namespace

nlohmann::ordered_json dump_scene_json(scene_model const& scene) {
    dump_tree t;
    json dump = as_json(t, head_tree(t, scene));
    int sequence = 0;
    for (shape_node* shape : scene.all_shapes())
        dump["shapes"].push_back(as_json(t, shape_tree(t, *shape, sequence++)));
    return dump;
}

void write_scene_dump(scene_model const& scene, std::ostream& out) {
    dump_tree t;
    int head = head_tree(t, scene);
    std::string text;
    std::vector<shape_node*> shapes = scene.all_shapes();
    if (shapes.empty()) {
        append_layout(t, head, 0, text);
        out << text << "\n";
        return;
    }
    // The layout of the whole document, one shape at a time: a scene with shapes never
    // fits one line, nor does its list of shapes.
    text = "{\n";
    for (int c = t[head].first; c >= 0; c = t[c].next) {
        if (t[c].key == "shapes") continue;
        text += "  ";
        append_quoted(t[c].key, text);
        text += ": ";
        append_scalar(t[c], text);
        text += ",\n";
    }
    text += "  \"shapes\": [\n";
    int sequence = 0;
    for (shape_node* shape : shapes) {
        text += sequence ? ",\n    " : "    ";
        int entry = shape_tree(t, *shape, sequence++);
        append_layout(t, entry, 2, text);
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

}  // namespace host
