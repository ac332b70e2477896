#include "apply_expectations.h"

#include <algorithm>
#include <cmath>

namespace oracles {

using host::shape_node;

namespace {

// Whether the window finds no direction in a row's vector: it takes the length in single
// precision, where the squares of a tiny vector (a typed 1e-39) add up to 0.
bool without_direction(row_view const& row) {
    float x = row.box[0].number, y = row.box[1].number, z = row.box[2].number;
    return x * x + y * y + z * z == 0.0f;
}

char const* const control_names[5] = {"anchor", "In handle", "Out handle", "L in handle", "L out handle"};

bool finite(dvec3 const& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// A row's value in stored units, in the shown frame, as "App." reads it.
dvec3 row_value(window_view const& w, int row, double unit) {
    box_view const* b = w.rows[row].box;
    return dvec3{b[0].number, b[1].number, b[2].number} * (1.0 / unit);
}

double row_length(window_view const& w, int row, double unit) { return w.rows[row].box[0].number / unit; }

// The rounding of single-precision arithmetic on values of magnitude m in the shown frame,
// carried into the element's frame.
double arithmetic_bound(shown_frame const& f, double m) {
    double b = rounding_count * single_eps * m;
    if (!f.world) return b;
    return gain(f.to_local) * b + rounding_count * single_eps * (m * gain(f.to_local) + shift(f.to_local));
}

position_expectation expected_at(dvec3 const& local, double bound, char const* what) {
    position_expectation p;
    p.check = true;
    p.local = local;
    p.bound = bound;
    p.what = what;
    return p;
}

// The point as it is: nothing may move.
void keep(point_expectation& e, std::vector<dvec3> const& now, std::vector<char const*> const& names) {
    for (std::size_t i = 0; i < now.size(); ++i) e.positions[i] = expected_at(now[i], 0, names[i]);
}

point_expectation frame_for(shape_node* shape, int index, point_kind kind, bool world, host::dmat4 const& m) {
    point_expectation e;
    e.shape = shape;
    e.index = index;
    e.kind = kind;
    e.frame = shown_frame::of(world, m);
    return e;
}

void typed_control_point(point_expectation& e, control_point_ref const& now, window_view const& w, double unit) {
    dvec3 r[5];
    double m = 0;
    for (int row = 0; row < 5; ++row) {
        r[row] = row_value(w, row, unit);
        m = std::max(m, magnitude(r[row]));
    }
    dvec3 shown[5];
    bool free_direction[5] = {};
    double free_length[5] = {};
    shown[0] = r[0];
    bool all_finite = finite(r[0]);
    for (int first : {1, 3}) {
        int second = first + 1;
        int mode = w.modes[first];
        if (mode < 0) return;  // an unreadable mode button: nothing is predicted
        if (mode < 2) {
            shown[first] = mode == 0 ? r[first] : r[0] + r[first];
            shown[second] = mode == 0 ? r[second] : r[0] + r[second];
        } else {
            int partner = mode == 2 ? first : second;
            int length_row = mode == 2 ? second : first;
            shown[partner] = r[0] + r[partner];
            double l = row_length(w, length_row, unit);
            double d = length(r[partner]);
            m = std::max(m, std::fabs(l));
            if (d == 0 || without_direction(w.rows[partner])) {
                free_direction[length_row] = true;
                // A negative length turns the handle round: it lies the length's size away.
                free_length[length_row] = std::fabs(l);
                shown[length_row] = r[0];
                all_finite = all_finite && std::isfinite(l);
            } else {
                shown[length_row] = r[0] + r[partner] * (-l / d);
            }
        }
        e.flags[first == 1 ? 0 : 1] = mode >= 2 || w.links[second] ? 1 : 0;
    }
    for (dvec3 const& v : shown) all_finite = all_finite && finite(v);
    // A length squares its components in single precision: near the square root of the
    // range's end the plug-in's length overflows where the reference's does not.
    bool lengths = w.modes[1] >= 2 || w.modes[3] >= 2;
    if (lengths && uncertain_length(2 * m * unit)) {
        e.flags[0] = e.flags[1] = -1;
        return;
    }
    if (!all_finite) {
        keep(e, {now.anchor, now.in, now.out, now.l_in, now.l_out},
             {control_names, control_names + 5});
        e.flags[0] = now.linked;
        e.flags[1] = now.l_linked;
        return;
    }
    double bound = arithmetic_bound(e.frame, m);
    dvec3 local[5];
    for (int i = 0; i < 5; ++i) {
        local[i] = e.frame.store(shown[i]);
        // Near the end of the range the plug-in may overflow and skip the whole point.
        if (uncertain(2 * m) || uncertain(2 * magnitude(local[i]))) {
            e.flags[0] = e.flags[1] = -1;
            return;
        }
    }
    // A length is measured between two stored points: their single-precision rounding in
    // the element's frame, seen in the shown frame, counts as well.
    double stored = 0;
    for (dvec3 const& v : local) stored = std::max(stored, magnitude(v));
    double seen = e.frame.world ? gain(e.frame.to_world) : 1;
    for (int i = 0; i < 5; ++i) {
        e.positions[i] = expected_at(local[i], bound, control_names[i]);
        if (free_direction[i]) {
            e.positions[i].length_only = true;
            e.positions[i].length = free_length[i];
            e.positions[i].bound = 4 * rounding_count * single_eps * (m + stored * seen);
        }
    }
}

// A typed point written alone: a vertex, a one-point shape's point, a joint's point.
position_expectation typed_position(shown_frame const& f, dvec3 const& shown, dvec3 const& now, double m,
                                    char const* what) {
    if (!finite(shown)) return expected_at(now, 0, what);
    dvec3 local = f.store(shown);
    if (uncertain(2 * m) || uncertain(2 * magnitude(local))) return {};
    return expected_at(local, arithmetic_bound(f, m), what);
}

void untouched_control_point(point_expectation& e, control_point_ref const& now, window_view const& w, double unit) {
    shown_frame const& f = e.frame;
    dvec3 const* handles[5] = {&now.anchor, &now.in, &now.out, &now.l_in, &now.l_out};
    double m_all = 0;
    for (dvec3 const* h : handles) m_all = std::max(m_all, magnitude(*h));
    // Near the end of the range (a length squares its components) the plug-in may
    // overflow and skip the whole point: nothing is predicted.
    if (uncertain_length(2 * unit * f.shown_magnitude(m_all))) return;
    double m_anchor = magnitude(now.anchor);
    e.positions[0] = expected_at(now.anchor, f.stored_bound(m_anchor, unit), control_names[0]);
    bool flags[2] = {now.linked, now.l_linked};
    for (int first : {1, 3}) {
        int second = first + 1;
        int mode = w.modes[first];
        double m = std::max({m_anchor, magnitude(*handles[first]), magnitude(*handles[second])});
        // A relative handle carries the rounding of the anchor and of its own row.
        double bound = 3 * f.stored_bound(m, unit);
        e.flags[first == 1 ? 0 : 1] = mode >= 2 ? 1 : flags[first == 1 ? 0 : 1];
        if (mode < 0) continue;
        for (int row : {first, second}) e.positions[row] = expected_at(*handles[row], bound, control_names[row]);
        if (mode < 2) continue;
        int partner = mode == 2 ? first : second;
        int length_row = mode == 2 ? second : first;
        dvec3 partner_rel = f.relative(*handles[partner], now.anchor);
        dvec3 own_rel = f.relative(*handles[length_row], now.anchor);
        double own = length(own_rel);
        double partner_length = length(partner_rel);
        // Whether the partner row shows a direction. A host number box shows the float
        // itself: the partner has one unless the length the window reads from it (single
        // precision) is 0. The window's own text field shows six decimals: a component shown
        // as 0.000000 has none.
        double shown_partner = magnitude(partner_rel) * unit;
        box_view const* boxes = w.rows[partner].box;
        if (boxes[0].number_box) {
            float x = boxes[0].number, y = boxes[1].number, z = boxes[2].number;
            if (std::sqrt(x * x + y * y + z * z) == 0.0f) continue;
        } else if (shown_partner <= 0.45e-6) {
            continue;  // no direction: the handle keeps its own
        }
        position_expectation& p = e.positions[length_row];
        if (!boxes[0].number_box && shown_partner < 0.55e-6) {  // on the edge of showing one: only the length is sure
            p.length_only = true;
            p.length = own;
            p.bound = f.read_bound(m, unit) * 3;
            continue;
        }
        dvec3 rel = partner_rel * (-own / partner_length);
        p.local = f.store(f.show(now.anchor) + rel);
        // The direction comes from the partner as the row shows it, off by its rounding.
        double off = std::sqrt(3.0) * f.read_bound(m, unit);
        double turn = own * std::min(2.0, 2 * off / partner_length);
        p.bound = bound + (f.world ? gain(f.to_local) : 1) * turn;
    }
}

}  // namespace

point_expectation expect_typed_apply(shape_node* shape, int index, window_view const& w, double unit) {
    point_expectation none;
    if (shape == nullptr) return none;
    bool world = !w.local;
    switch (kind_of(*shape)) {
    case point_kind::control_points: {
        auto now = control_point(*shape, index);
        if (!now) return none;
        point_expectation e = frame_for(shape, index, point_kind::control_points, world, now->world);
        typed_control_point(e, *now, w, unit);
        return e;
    }
    case point_kind::vertices: {
        auto now = position(*shape, index);
        if (!now) return none;
        point_expectation e = frame_for(shape, index, point_kind::vertices, world, now->world);
        dvec3 r = row_value(w, 0, unit);
        e.positions[0] = typed_position(e.frame, r, now->local, magnitude(r), "vertex");
        return e;
    }
    case point_kind::one_fixed: {
        auto now = position(*shape, 0);
        point_expectation e = frame_for(shape, index, point_kind::one_fixed, world, now->world);
        dvec3 r = row_value(w, 0, unit);
        e.positions[0] = typed_position(e.frame, r, now->local, magnitude(r), "point");
        e.dragged = dragged_shapes(*shape);
        return e;
    }
    case point_kind::two_fixed: {
        auto first = position(*shape, 0);
        auto second = position(*shape, 1);
        point_expectation e = frame_for(shape, index, point_kind::two_fixed, world, first->world);
        dvec3 p0 = row_value(w, 0, unit);
        dvec3 p1 = row_value(w, 1, unit);
        if (w.modes[1] != 0) p1 = p1 + p0;
        double m = std::max(magnitude(p0), magnitude(p1));
        e.positions[0] = typed_position(e.frame, p0, first->local, m, "point 0");
        e.positions[1] = typed_position(e.frame, p1, second->local, m, "point 1");
        e.dragged = dragged_shapes(*shape);
        return e;
    }
    case point_kind::none: break;
    }
    return none;
}

point_expectation expect_untouched_apply(shape_node* shape, int index, window_view const& w, double unit) {
    point_expectation none;
    if (shape == nullptr) return none;
    bool world = !w.local;
    point_kind kind = kind_of(*shape);
    if (kind == point_kind::control_points) {
        auto now = control_point(*shape, index);
        if (!now) return none;
        point_expectation e = frame_for(shape, index, kind, world, now->world);
        untouched_control_point(e, *now, w, unit);
        return e;
    }
    if (kind == point_kind::none) return none;
    int count = kind == point_kind::two_fixed ? 2 : 1;
    auto first = position(*shape, kind == point_kind::vertices ? index : 0);
    if (!first) return none;
    point_expectation e = frame_for(shape, index, kind, world, first->world);
    for (int i = 0; i < count; ++i) {
        dvec3 now = i == 0 ? first->local : position(*shape, 1)->local;
        double m = std::max(magnitude(first->local), magnitude(now));
        if (uncertain(2 * unit * e.frame.shown_magnitude(m))) continue;
        e.positions[i] = expected_at(now, (i == 0 ? 1 : 3) * e.frame.stored_bound(m, unit), i == 0 ? "point 0" : "point 1");
    }
    if (kind != point_kind::vertices) e.dragged = dragged_shapes(*shape);
    return e;
}

}  // namespace oracles
