#include "random_scene.h"

#include <cmath>
#include <vector>

#include <nlohmann/json.hpp>

namespace {

using json = nlohmann::ordered_json;

float const exact_values[] = {0, 1, -1, 2, -2, 0.5f, -0.5f, 3, 10, -10, 0.25f, 100, 1.5f, -3.75f, 7, 0.125f};

class scene_maker {
public:
    scene_maker(byte_source& in, bool skinned_parts) : in(in), skinned_parts(skinned_parts) {}

    json scene(int max_shapes) {
        json s;
        s["figure_unit"] = in.pick({1.0f, 10.0f, 0.1f, 2.54f});
        json shapes = json::array();
        int count = 1 + in.below(max_shapes);
        for (int i = 0; i < count; ++i) shapes.push_back(shape(0, ""));
        s["shapes"] = shapes;
        if (!paths.empty() && in.chance(60)) s["active"] = paths[in.below(static_cast<int>(paths.size()))];
        if (in.chance(10)) s["state_flag"] = true;
        return s;
    }

private:
    // Mostly a value of the small exact set; sometimes an ordinary float of any digits;
    // rarely any finite float at all.
    float coordinate() {
        int kind = in.below(100);
        if (kind < 85) return in.pick(exact_values);
        if (kind < 97) {
            int exponent = in.below(31) - 10;
            double mantissa = 1.0 + (in.byte() << 8 | in.byte()) / 65536.0;
            return static_cast<float>((in.chance(50) ? -1 : 1) * std::ldexp(mantissa, exponent));
        }
        return in.any_float();
    }

    json vector() { return json::array({coordinate(), coordinate(), coordinate()}); }

    json near(json const& anchor) {
        json v = anchor;
        for (auto& c : v) c = static_cast<float>(c.get<float>() + in.pick(exact_values));
        return v;
    }

    // A product of a scale, a turn about an axis and a move, never singular.
    json matrix() {
        float const scales[] = {1, 1, 2, 0.5f, -1, 3, 0.25f, 4};
        double s[3];
        bool uniform = in.chance(50);
        for (double& v : s) v = in.pick(scales);
        if (uniform) s[1] = s[2] = s[0];
        double const degrees[] = {0, 30, 45, 90, 180, 270, 17.5, 123};
        double angle = in.pick(degrees) * std::acos(-1.0) / 180;
        int axis = in.below(3);
        double m[4][4] = {{s[0], 0, 0, 0}, {0, s[1], 0, 0}, {0, 0, s[2], 0}, {0, 0, 0, 1}};
        int a = (axis + 1) % 3, b = (axis + 2) % 3;
        double c = std::cos(angle), n = std::sin(angle);
        for (int r = 0; r < 3; ++r) {
            double x = m[r][a], y = m[r][b];
            m[r][a] = x * c - y * n;
            m[r][b] = x * n + y * c;
        }
        // Moves of ordinary size: the reference host inverts a matrix by a general
        // elimination, which a move of 1e18 next to a turn defeats.
        for (int i = 0; i < 3; ++i) m[3][i] = in.chance(60) ? in.pick(exact_values) * in.pick({1.0f, 3.0f, 0.1f}) : 0;
        json out = json::array();
        for (auto const& row : m)
            for (double v : row) out.push_back(static_cast<float>(v));
        return out;
    }

    void place(json& s) {
        if (in.chance(55)) s["matrix"] = matrix();
        if (in.chance(5)) s["modifiable"] = false;
    }

    std::string name(char const* kind) { return kind + std::to_string(++counter); }

    json line(std::string const& parent, int points) {
        json s{{"name", name("line")}, {"type", "line"}};
        place(s);
        json list = json::array();
        char const* handles[] = {"in", "out", "l_in", "l_out"};
        for (int i = 0; i < points; ++i) {
            json p{{"anchor", vector()}};
            for (char const* h : handles) {
                int how = in.below(10);
                if (how < 3) continue;  // a missing handle equals the anchor
                p[h] = how < 4 ? p["anchor"] : how < 8 ? near(p["anchor"]) : vector();
            }
            if (in.chance(30)) p["linked"] = true;
            if (in.chance(20)) p["l_linked"] = true;
            if (in.chance(5)) p["skin"] = matrix();
            list.push_back(p);
        }
        s["points"] = list;
        select(s, points);
        return finish(s, parent);
    }

    json mesh(std::string const& parent) {
        json s{{"name", name("mesh")}, {"type", "polygon_mesh"}};
        place(s);
        json list = json::array();
        int count = 1 + in.below(4);
        for (int i = 0; i < count; ++i) {
            if (in.chance(15))
                list.push_back(json{{"position", vector()}, {"skin", matrix()}});
            else
                list.push_back(vector());
        }
        s["vertices"] = list;
        select(s, count);
        return finish(s, parent);
    }

    json centred(std::string const& parent) {
        char const* types[] = {"sphere", "disk", "light"};
        std::string type = in.pick(types);
        json s{{"name", name(type.c_str())}, {"type", type}, {"center", vector()}};
        place(s);
        if (in.chance(10)) s["skin"] = matrix();
        linked(s);
        return finish(s, parent);
    }

    json joint(std::string const& parent) {
        char const* kinds[] = {"rotator", "slider", "scale", "uniscale", "ball", "camera"};
        std::string kind = in.pick(kinds);
        json s{{"name", name(kind.c_str())}, {"type", "part"}, {"part", kind}};
        place(s);
        if (kind == "ball") {
            s["pivot"] = vector();
        } else if (kind == "camera") {
            s["eye"] = vector();
            s["target"] = vector();
        } else {
            s["first_point"] = vector();
            if (kind != "uniscale") s["second_point"] = vector();
        }
        if (in.chance(8)) s["skin"] = matrix();
        linked(s);
        return finish(s, parent);
    }

    json surface(std::string const& parent, int depth) {
        json s{{"name", name("surf")}, {"type", "part"}, {"part", "surface"}};
        place(s);
        if (in.chance(30)) s["direction"] = false;
        std::string path = join(parent, s["name"]);
        json children = json::array();
        int lines = 1 + in.below(3);
        int nested_at = depth < 2 && in.chance(30) ? in.below(lines + 1) : -1;
        int total = 0;
        for (int i = 0; i <= lines; ++i) {
            if (i == nested_at) {
                json part = simple(path, depth + 1);
                total += point_total(part);
                children.push_back(part);
            }
            if (i == lines) break;
            int points = 1 + in.below(4);
            total += points;
            children.push_back(line(path, points));
        }
        s["children"] = children;
        select(s, total);
        return finish(s, parent, false);
    }

    json simple(std::string const& parent, int depth) {
        json s{{"name", name("part")}, {"type", "part"}, {"part", "simple"}};
        place(s);
        std::string path = join(parent, s["name"]);
        json children = json::array();
        int count = 1 + in.below(3);
        for (int i = 0; i < count; ++i) {
            int kind = in.below(4);
            if (kind == 0) children.push_back(line(path, 1 + in.below(3)));
            else if (kind == 1) children.push_back(mesh(path));
            else if (kind == 2 || depth >= 2) children.push_back(centred(path));
            else children.push_back(simple(path, depth + 1));
        }
        s["children"] = children;
        return finish(s, parent, false);
    }

    json pointless(std::string const& parent) {
        char const* parts[] = {"light_joint", "path", "morph", "switch", "custom", "surface_m", "sound"};
        int kind = in.below(9);
        json s;
        if (kind < 7) s = json{{"name", name("joint")}, {"type", "part"}, {"part", parts[kind]}};
        else s = json{{"name", name("other")}, {"type", kind == 7 ? "master_surface" : "other"}};
        place(s);
        return finish(s, parent);
    }

    json link(std::string const& parent) {
        json s{{"name", name("link")}, {"type", "part"}, {"part", "link"}};
        place(s);
        if (!top_level.empty()) s["link_target"] = top_level[in.below(static_cast<int>(top_level.size()))];
        return finish(s, parent);
    }

    json shape(int depth, std::string const& parent) {
        int kind = in.below(100);
        if (kind < 25) return line(parent, 1 + in.below(5));
        if (kind < 42) return surface(parent, depth);
        if (kind < 48) return simple(parent, depth);
        if (kind < 58) return mesh(parent);
        if (kind < 78) return joint(parent);
        if (kind < 90) return centred(parent);
        if (kind < 93) return link(parent);
        return pointless(parent);
    }

    // Shapes a joint or centred shape drags along: earlier top-level shapes, none of them
    // holding the dragging shape; with skinned_parts also a surface or simple part, which
    // is dragged through its contents.
    void linked(json& s) {
        if (skinned_parts && !parts.empty() && in.chance(30))
            s["linked_skin"] = json::array({parts[in.below(static_cast<int>(parts.size()))]});
        if (top_level.empty()) return;
        if (in.chance(15)) s["linked_joint"] = json::array({top_level[in.below(static_cast<int>(top_level.size()))]});
        if (in.chance(8)) {
            if (!s.contains("linked_skin")) s["linked_skin"] = json::array();
            s["linked_skin"].push_back(top_level[in.below(static_cast<int>(top_level.size()))]);
        }
    }

    void select(json& s, int points) {
        if (points <= 0 || !in.chance(40)) return;
        json list = json::array({in.below(points)});
        if (in.chance(20)) list.push_back(in.below(points));
        s["active_points"] = list;
    }

    static int point_total(json const& part) {
        int total = 0;
        for (auto const& c : part["children"]) {
            if (c.contains("points")) total += static_cast<int>(c["points"].size());
            else if (c.contains("vertices")) total += static_cast<int>(c["vertices"].size());
            else if (c.contains("children")) total += point_total(c);
            else total += 1;
        }
        return total;
    }

    static std::string join(std::string const& parent, json const& name) {
        return parent.empty() ? name.get<std::string>() : parent + "/" + name.get<std::string>();
    }

    json finish(json s, std::string const& parent, bool record = true) {
        std::string path = join(parent, s["name"]);
        paths.push_back(path);
        // Only whole top-level shapes are dragged or linked: never an ancestor of a joint. A
        // part is recorded once its contents are made, so none of them drags it.
        if (parent.empty()) (record ? top_level : parts).push_back(path);
        return s;
    }

    byte_source& in;
    int counter = 0;
    std::vector<std::string> paths;
    std::vector<std::string> top_level;
    bool skinned_parts;
    std::vector<std::string> parts;  // top-level surface and simple parts
};

}  // namespace

std::string random_scene(byte_source& in, int max_shapes, bool skinned_parts) {
    return scene_maker(in, skinned_parts).scene(max_shapes).dump();
}
