#include "point_expectation.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "host_component_ids.h"
#include "shape_kind_ids.h"

namespace oracles {

using host::shape_node;

namespace {

std::string number(double v) {
    std::ostringstream s;
    s.precision(6);
    s << v;
    return s.str();
}

bool within(dvec3 const& a, dvec3 const& b, double bound) { return magnitude(a - b) <= bound; }

// The positions the shown point has in the live scene: a control point's five, a vertex,
// a shape's one or two fixed points.
std::vector<dvec3> actual_positions(point_expectation const& e) {
    std::vector<dvec3> out;
    switch (e.kind) {
    case point_kind::control_points:
        if (auto p = control_point(*e.shape, e.index)) out = {p->anchor, p->in, p->out, p->l_in, p->l_out};
        break;
    case point_kind::vertices:
        if (auto p = position(*e.shape, e.index)) out = {p->local};
        break;
    case point_kind::one_fixed: out = {fixed_point_value(*e.shape, e.shape->geometry, 0)}; break;
    case point_kind::two_fixed:
        out = {fixed_point_value(*e.shape, e.shape->geometry, 0), fixed_point_value(*e.shape, e.shape->geometry, 1)};
        break;
    case point_kind::none: break;
    }
    return out;
}

std::vector<allowance> allowances(point_expectation const& e) {
    std::vector<allowance> allowed;
    if (e.shape == nullptr) return allowed;
    if (e.kind == point_kind::control_points || e.kind == point_kind::vertices) {
        if (auto held = resolve(*e.shape, e.index)) allowed.push_back({allowance::point, held->shape, held->index});
    } else {
        allowed.push_back({allowance::fixed_points, e.shape, -1});
    }
    for (shape_node* s : e.dragged) allowed.push_back({allowance::matrix, s, -1});
    return allowed;
}

// A dragged shape's matrix may only have moved by the translation d (the first point's
// move, in the joint's frame) applied in the shape's own frame, once for each time it is
// listed: T(d) * ... * T(d) * M.
void check_dragged(shape_node const& s, int times, mat4 const& before, mat4 const& after, dvec3 const& d,
                   std::string const& context, std::vector<std::string>& out) {
    if (!same_block(before, after)) {
        out.push_back(context + ": " + s.path() + " was turned or scaled, not only moved along");
        return;
    }
    host::dmat4 b = host::to_double(before);
    dvec3 row3{b.m[3][0], b.m[3][1], b.m[3][2]};
    dvec3 want = row3 + (transform(d, b) - row3) * times;
    dvec3 got{after.m[3][0], after.m[3][1], after.m[3][2]};
    double bound = times * rounding_count * single_eps * (magnitude(row3) + magnitude(d) * gain(b) + magnitude(want));
    if (!within(got, want, bound))
        out.push_back(context + ": " + s.path() + " was moved to " + text(got) + ", the first point's move takes it to " +
                      text(want));
}

}  // namespace

std::string point_name(shape_node const& shape, int index) {
    point_kind k = kind_of(shape);
    if (k == point_kind::control_points || k == point_kind::vertices)
        return shape.path() + " point " + std::to_string(index);
    return shape.path();
}

std::vector<shape_node*> dragged_shapes(shape_node& shape) {
    std::vector<shape_node*> out;
    for (auto const& set : shape.linked) {
        bool skin = set.component == extend_skin_window_uuid;
        if (!skin && set.component != extend_joint_window_uuid) continue;
        for (shape_node* s : set.shapes) {
            if (skin && s->object_kind() == kind_part)
                for (auto const& child : s->children()) out.push_back(child.get());
            else
                out.push_back(s);
        }
    }
    return out;
}

std::vector<std::string> check_write(point_expectation const& e, scene_state const& before, scene_state const& after,
                                     std::string const& context) {
    std::vector<std::string> out;
    for (std::string const& d : differences(before, after, allowances(e)))
        out.push_back(context + ": " + d + (e.shape ? "" : " (no point is shown)"));
    if (e.shape == nullptr) return out;
    std::vector<dvec3> actual = actual_positions(e);
    std::string name = point_name(*e.shape, e.index);
    for (std::size_t i = 0; i < actual.size(); ++i) {
        position_expectation const& p = e.positions[i];
        if (!p.check) continue;
        if (p.length_only) {
            double l = length(e.frame.relative(actual[i], actual[0]));
            if (std::fabs(l - p.length) > p.bound && l > p.bound)
                out.push_back(context + ": " + name + " " + p.what + " lies " + number(l) +
                              " from the anchor, the row gives the length " + number(p.length));
            continue;
        }
        if (!within(actual[i], p.local, p.bound))
            out.push_back(context + ": " + name + " " + p.what + " is " + text(actual[i]) + ", expected " +
                          text(p.local) + " (bound " + number(p.bound) + ")");
    }
    if (e.kind == point_kind::control_points && !actual.empty()) {
        auto cp = control_point(*e.shape, e.index);
        bool flags[2] = {cp->linked, cp->l_linked};
        char const* names[2] = {"linked", "l_linked"};
        for (int i = 0; i < 2; ++i)
            if (e.flags[i] >= 0 && flags[i] != (e.flags[i] == 1))
                out.push_back(context + ": " + name + " " + names[i] + " flag is " + (flags[i] ? "set" : "clear") +
                              ", expected " + (e.flags[i] == 1 ? "set" : "clear"));
    }
    if (!e.dragged.empty()) {
        shape_copy const* joint = before.find(e.shape);
        dvec3 d = joint ? fixed_point_value(*e.shape, e.shape->geometry, 0) -
                              fixed_point_value(*e.shape, joint->geometry, 0)
                        : dvec3{0, 0, 0};
        for (std::size_t i = 0; i < e.dragged.size(); ++i) {
            shape_node* s = e.dragged[i];
            if (std::find(e.dragged.begin(), e.dragged.begin() + i, s) != e.dragged.begin() + i) continue;
            int times = static_cast<int>(std::count(e.dragged.begin(), e.dragged.end(), s));
            shape_copy const* b = before.find(s);
            shape_copy const* a = after.find(s);
            if (b && a) check_dragged(*s, times, b->geometry.local, a->geometry.local, d, context, out);
        }
    }
    return out;
}

}  // namespace oracles
