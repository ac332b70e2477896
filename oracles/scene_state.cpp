#include "scene_state.h"

#include <cstring>
#include <sstream>

namespace oracles {

using host::shape_geometry;
using host::shape_node;

namespace {

void copy_tree(shape_node& node, std::vector<shape_copy>& out) {
    out.push_back({&node, node.token(), node.path(), node.geometry});
    for (auto const& child : node.children()) copy_tree(*child, out);
}

bool same_bits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool same_bits(vec3 const& a, vec3 const& b) {
    return same_bits(a.x, b.x) && same_bits(a.y, b.y) && same_bits(a.z, b.z);
}

bool same_bits(mat4 const& a, mat4 const& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool same_bits(host::skin_data const& a, host::skin_data const& b) {
    return a.skinned == b.skinned && same_bits(a.matrix, b.matrix);
}

std::string flag_text(bool b) { return b ? "set" : "clear"; }

bool allowed_here(std::vector<allowance> const& allowed, shape_node const* shape, allowance::what kind,
                  int index = -1) {
    for (allowance const& a : allowed)
        if (a.shape == shape && a.kind == kind && (kind != allowance::point || a.index == index)) return true;
    return false;
}

class comparison {
public:
    comparison(std::string path, std::vector<std::string>& out) : path(std::move(path)), out(out) {}

    void vector(std::string const& what, vec3 const& a, vec3 const& b) {
        if (!same_bits(a, b)) out.push_back(path + " " + what + ": " + vector_text(a) + " became " + vector_text(b));
    }
    void flag(std::string const& what, bool a, bool b) {
        if (a != b) out.push_back(path + " " + what + ": " + flag_text(a) + " became " + flag_text(b));
    }
    void skin(std::string const& what, host::skin_data const& a, host::skin_data const& b) {
        if (!same_bits(a, b)) out.push_back(path + " " + what + " changed");
    }
    void size(std::string const& what, std::size_t a, std::size_t b) {
        if (a != b) out.push_back(path + ": " + std::to_string(a) + " " + what + " became " + std::to_string(b));
    }

private:
    std::string path;
    std::vector<std::string>& out;
};

void compare(shape_copy const& before, shape_geometry const& after, std::vector<allowance> const& allowed,
             std::vector<std::string>& out) {
    shape_geometry const& a = before.geometry;
    shape_node const* node = before.node;
    comparison c(before.path, out);
    if (!allowed_here(allowed, node, allowance::matrix) && !same_bits(a.local, after.local))
        out.push_back(before.path + " matrix changed");
    c.skin("skin", a.skin, after.skin);
    c.size("control points", a.points.size(), after.points.size());
    for (std::size_t i = 0; i < a.points.size() && i < after.points.size(); ++i) {
        if (allowed_here(allowed, node, allowance::point, static_cast<int>(i))) continue;
        auto const& p = a.points[i];
        auto const& q = after.points[i];
        std::string at = "point " + std::to_string(i) + " ";
        c.vector(at + "anchor", p.anchor, q.anchor);
        c.vector(at + "in", p.in, q.in);
        c.vector(at + "out", p.out, q.out);
        c.vector(at + "l_in", p.l_in, q.l_in);
        c.vector(at + "l_out", p.l_out, q.l_out);
        c.flag(at + "linked", p.linked, q.linked);
        c.flag(at + "l_linked", p.l_linked, q.l_linked);
        c.skin(at + "skin", p.skin, q.skin);
    }
    c.size("vertices", a.vertices.size(), after.vertices.size());
    for (std::size_t i = 0; i < a.vertices.size() && i < after.vertices.size(); ++i) {
        if (allowed_here(allowed, node, allowance::point, static_cast<int>(i))) continue;
        c.vector("vertex " + std::to_string(i), a.vertices[i].position, after.vertices[i].position);
        if (a.vertices[i].skin != after.vertices[i].skin) out.push_back(before.path + " vertex skin changed");
    }
    c.size("vertex skins", a.vertex_skins.size(), after.vertex_skins.size());
    for (std::size_t i = 0; i < a.vertex_skins.size() && i < after.vertex_skins.size(); ++i)
        if (!same_bits(a.vertex_skins[i], after.vertex_skins[i])) out.push_back(before.path + " vertex skin changed");
    if (allowed_here(allowed, node, allowance::fixed_points)) return;
    c.vector("center", a.center, after.center);
    c.vector("first point", a.first, after.first);
    c.vector("second point", a.second, after.second);
    c.vector("pivot", a.pivot, after.pivot);
    c.vector("eye", a.eye, after.eye);
    c.vector("target", a.target, after.target);
}

}  // namespace

scene_state scene_state::of(host::scene_model const& scene) {
    scene_state s;
    s.scene = &scene;
    for (auto const& root : scene.roots()) copy_tree(*root, s.shapes);
    return s;
}

shape_copy const* scene_state::find(shape_node const* node) const {
    for (shape_copy const& c : shapes)
        if (c.node == node && c.alive && *c.alive) return &c;
    return nullptr;
}

std::vector<std::string> differences(scene_state const& before, scene_state const& after,
                                     std::vector<allowance> const& allowed) {
    std::vector<std::string> out;
    if (before.scene != after.scene) return {"the scene itself was replaced"};
    for (shape_copy const& b : before.shapes) {
        shape_copy const* a = after.find(b.node);
        if (a == nullptr) {
            out.push_back(b.path + " is gone");
            continue;
        }
        compare(b, a->geometry, allowed, out);
    }
    for (shape_copy const& a : after.shapes)
        if (before.find(a.node) == nullptr) out.push_back(a.path + " appeared");
    return out;
}

std::string vector_text(vec3 const& v) {
    std::ostringstream s;
    s.precision(9);
    s << "(" << v.x << ", " << v.y << ", " << v.z << ")";
    return s.str();
}

}  // namespace oracles
