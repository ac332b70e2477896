#include "snap_expectation.h"

#include <algorithm>
#include <cmath>

#include "shown_frame.h"

namespace oracles {

using host::shape_node;

namespace {

bool finite(dvec3 const& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

int snapped_index(shape_node const& shape, int index) {
    point_kind k = kind_of(shape);
    return k == point_kind::control_points || k == point_kind::vertices ? index : 0;
}

}  // namespace

snap_expectation expect_snap(shape_node* shape, int index, window_view const& w, double unit, bool rows_current) {
    snap_expectation e;
    if (shape == nullptr || kind_of(*shape) == point_kind::none) return e;
    e.shape = shape;
    e.index = snapped_index(*shape, index);
    std::optional<framed_point> now = position(*shape, e.index);
    box_view const* b = w.rows[0].box;
    dvec3 typed = dvec3{b[0].number, b[1].number, b[2].number} * (1.0 / unit);
    // A point that cannot be read or a target that is not finite moves nothing.
    if (!now || !finite(typed)) {
        e.shape = nullptr;
        return e;
    }
    shown_frame f = shown_frame::of(!w.local, now->world);
    dvec3 target = w.local ? transform(typed, now->world) : typed;
    dvec3 here = transform(now->local, now->world);
    double m = std::max(magnitude(now->local), magnitude(f.store(typed)));
    double world_m = std::max(magnitude(target), magnitude(here));
    double cond = gain(now->world) * gain(f.to_local);
    if (uncertain(2 * world_m * unit) || uncertain(2 * m * cond)) return e;
    e.check = true;
    e.world = now->skinned ? here : target;
    // Each of the products and differences on the way rounds once; the frame's condition
    // carries a rounding in the point's frame into the world.
    e.bound = 4 * rounding_count * single_eps * (world_m + cond * (m + shift(f.to_local)) + shift(now->world));
    if (rows_current) {
        e.untouched = true;
        e.bound += (w.local ? gain(now->world) : 1) * f.read_bound(magnitude(now->local), unit);
    }
    return e;
}

std::vector<std::string> check_snap(snap_expectation const& e, scene_state const& before, scene_state const& after,
                                    std::string const& context) {
    std::vector<std::string> out;
    std::vector<allowance> allowed;
    if (e.shape) allowed.push_back({allowance::matrix, e.shape, -1});
    for (std::string const& d : differences(before, after, allowed)) out.push_back(context + ": " + d);
    if (e.shape == nullptr) return out;
    shape_copy const* b = before.find(e.shape);
    if (b && !same_block(b->geometry.local, e.shape->geometry.local))
        out.push_back(context + ": " + e.shape->path() + " was turned or scaled, not only moved");
    if (!e.check) return out;
    std::optional<framed_point> now = position(*e.shape, e.index);
    if (!now) return out;
    dvec3 at = transform(now->local, now->world);
    if (magnitude(at - e.world) > e.bound)
        out.push_back(context + ": " + e.shape->path() + (e.untouched ? " moved: its point went to " : " missed: its point went to ") +
                      text(at) + ", row 0 puts it at " + text(e.world));
    return out;
}

}  // namespace oracles
