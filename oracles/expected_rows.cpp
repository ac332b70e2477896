#include "expected_rows.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "typed_number.h"

namespace oracles {

namespace {

row_expectation expect(shown_frame const& f, dvec3 const& shown, double local_magnitude, bool relative,
                       bool length_only, double unit, char const* what) {
    row_expectation r;
    r.used = true;
    r.length_only = length_only;
    r.what = what;
    r.value = length_only ? dvec3{length(shown) * unit, 0, 0} : shown * unit;
    // A difference of two rounded values carries the rounding of both.
    r.bound = f.display_bound(local_magnitude, unit) * (relative ? 2 : 1);
    double displayed = f.shown_magnitude(local_magnitude) * unit * 2;
    r.uncertain = length_only ? uncertain_length(displayed) : uncertain(displayed);
    return r;
}

std::string number_text(double v) {
    std::ostringstream s;
    s.precision(9);
    s << v;
    return s.str();
}

}  // namespace

bool shows_length(int row, int pair_mode) {
    return ((row == 1 || row == 3) && pair_mode == 3) || ((row == 2 || row == 4) && pair_mode == 2);
}

expected_rows rows_for_control_point(control_point_ref const& point, window_view const& window, double unit) {
    shown_frame f = shown_frame::of(!window.local, point.world);
    expected_rows e;
    dvec3 anchor = f.show(point.anchor);
    double m_anchor = magnitude(point.anchor);
    e.rows[0] = expect(f, anchor, m_anchor, false, false, unit, "anchor");
    dvec3 const* handles[5] = {nullptr, &point.in, &point.out, &point.l_in, &point.l_out};
    char const* names[5] = {"", "In handle", "Out handle", "L in handle", "L out handle"};
    for (int row = 1; row < 5; ++row) {
        int mode = window.modes[row <= 2 ? 1 : 3];
        if (mode < 0) continue;  // a mode button with an unknown label: no expectation
        bool relative = mode != 0;
        dvec3 shown = relative ? f.relative(*handles[row], point.anchor) : f.show(*handles[row]);
        double m = std::max(m_anchor, magnitude(*handles[row]));
        e.rows[row] = expect(f, shown, m, relative, shows_length(row, mode), unit, names[row]);
    }
    e.links[2] = point.linked ? 1 : 0;
    e.links[4] = point.l_linked ? 1 : 0;
    return e;
}

std::optional<expected_rows> row_for_position(host::shape_node& shape, int index, int row,
                                              window_view const& window, double unit) {
    std::optional<framed_point> p = position(shape, index);
    if (!p) return std::nullopt;
    shown_frame f = shown_frame::of(!window.local, p->world);
    expected_rows e;
    e.rows[row] = expect(f, f.show(p->local), magnitude(p->local), false, false, unit, "position");
    return e;
}

std::optional<expected_rows> rows_for_point(host::shape_node& shape, int index, window_view const& window,
                                            double unit) {
    switch (kind_of(shape)) {
    case point_kind::control_points: {
        std::optional<control_point_ref> point = control_point(shape, index);
        if (!point) return std::nullopt;
        return rows_for_control_point(*point, window, unit);
    }
    case point_kind::vertices: return row_for_position(shape, index, 0, window, unit);
    case point_kind::one_fixed: return row_for_position(shape, 0, 0, window, unit);
    case point_kind::two_fixed: {
        std::optional<framed_point> first = position(shape, 0);
        std::optional<framed_point> second = position(shape, 1);
        if (!first || !second) return std::nullopt;
        shown_frame f = shown_frame::of(!window.local, first->world);
        expected_rows e;
        double m0 = magnitude(first->local);
        e.rows[0] = expect(f, f.show(first->local), m0, false, false, unit, "point 0");
        bool relative = window.modes[1] != 0;
        dvec3 end = relative ? f.relative(second->local, first->local) : f.show(second->local);
        double m = std::max(m0, magnitude(second->local));
        // A joint's end point is a point, never a length, whatever mode a line left behind.
        e.rows[1] = expect(f, end, m, relative, false, unit, "point 1");
        return e;
    }
    case point_kind::none: break;
    }
    return std::nullopt;
}

std::vector<std::string> compare_rows(expected_rows const& expected, window_view const& window,
                                      std::string const& context) {
    std::vector<std::string> problems;
    for (int row = 0; row < 5; ++row) {
        row_expectation const& r = expected.rows[row];
        if (!r.used) continue;
        for (int axis = 0; axis < 3; ++axis) {
            box_view const& box = window.rows[row].box[axis];
            bool wanted = axis == 0 || !r.length_only;
            if (box.shown != wanted) {
                problems.push_back(context + ": " + box_name(row, axis) + (wanted ? " is hidden" : " is shown") +
                                   ", but the row shows the " + r.what +
                                   (r.length_only ? " as a length" : " as a vector"));
                continue;
            }
            if (!wanted || r.uncertain) continue;
            if (!box.number_box && !holds_number(box.text)) {
                problems.push_back(context + ": " + box_name(row, axis) + " shows \"" + box.text +
                                   "\", no number");
                continue;
            }
            double want = component(r.value, axis);
            double got = box.number;
            bool same = std::isfinite(want) ? std::fabs(got - want) <= r.bound : got == want;
            if (!same)
                problems.push_back(context + ": " + box_name(row, axis) + " shows " +
                                   (box.number_box ? number_text(got) : "\"" + box.text + "\"") + ", the " + r.what +
                                   (r.length_only ? "'s length" : "") + " is " + number_text(want) + " (bound " +
                                   number_text(r.bound) + ")");
        }
    }
    for (int row : {2, 4})
        if (expected.links[row] >= 0 && window.links[row] != (expected.links[row] == 1))
            problems.push_back(context + ": " + row_name(row) + "'s link box is " +
                               (window.links[row] ? "ticked" : "clear") + ", the flag is " +
                               (expected.links[row] == 1 ? "set" : "clear"));
    return problems;
}

}  // namespace oracles
