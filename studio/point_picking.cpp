// Picking in the scene view: the grid over the view's plane, the points within reach of a
// click in the order a click takes them, and selecting one as the host's active point.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "point_looks.h"
#include "scene/flat_numbering.h"
#include "scene_view.h"

namespace studio {

namespace {

double const pick_reach = 7;  // pixels around a click that still take a point

// The flat index in ancestor's numbering of point index of shape, which lies in its
// subtree; -1 when it does not or a link cycle hides it.
int flat_index_in(host::shape_node const& ancestor, host::shape_node const& shape, int index) {
    try {
        return host::flat_index_of(ancestor, shape, index);
    } catch (std::exception const&) {
        return -1;
    }
}

}  // namespace

void scene_view::ensure_grid() const {
    ensure_cache();
    if (grid.revision == cache_revision && grid.side == view) return;
    grid = pick_grid{};
    grid.revision = cache_revision;
    grid.side = view;
    if (cache.empty()) return;
    int ia = across_axis(view), ib = up_axis(view);
    double lo_a = axis(cache.front().world, ia), hi_a = lo_a;
    double lo_b = axis(cache.front().world, ib), hi_b = lo_b;
    for (drawn_point const& d : cache) {
        double a = axis(d.world, ia), b = axis(d.world, ib);
        lo_a = std::min(lo_a, a), hi_a = std::max(hi_a, a);
        lo_b = std::min(lo_b, b), hi_b = std::max(hi_b, b);
    }
    // About four points a cell when they spread evenly.
    double extent = std::max({hi_a - lo_a, hi_b - lo_b, 1e-6});
    int cells = std::clamp(static_cast<int>(std::sqrt(cache.size() / 4.0)), 1, 2048);
    grid.cell = extent / cells;
    grid.left = lo_a;
    grid.bottom = lo_b;
    grid.columns = static_cast<int>((hi_a - lo_a) / grid.cell) + 1;
    grid.rows = static_cast<int>((hi_b - lo_b) / grid.cell) + 1;
    auto cell_of = [&](drawn_point const& d) {
        int c = std::min(static_cast<int>((axis(d.world, ia) - grid.left) / grid.cell), grid.columns - 1);
        int r = std::min(static_cast<int>((axis(d.world, ib) - grid.bottom) / grid.cell), grid.rows - 1);
        return static_cast<std::size_t>(r) * grid.columns + c;
    };
    grid.starts.assign(static_cast<std::size_t>(grid.columns) * grid.rows + 1, 0);
    for (drawn_point const& d : cache) ++grid.starts[cell_of(d) + 1];
    for (std::size_t i = 1; i < grid.starts.size(); ++i) grid.starts[i] += grid.starts[i - 1];
    grid.order.resize(cache.size());
    std::vector<int> next(grid.starts.begin(), grid.starts.end() - 1);
    for (std::size_t i = 0; i < cache.size(); ++i) grid.order[next[cell_of(cache[i])]++] = static_cast<int>(i);
}

bool scene_view::in_active_subtree(int shape) const {
    host::scene_model* scene = host.scene();
    host::shape_node const* active = scene ? scene->active_shape() : nullptr;
    for (host::shape_node const* n = drawn_shapes[shape].node; active && n; n = n->parent())
        if (n == active) return true;
    return false;
}

std::vector<int> scene_view::points_in(QRectF const& seen) const {
    ensure_grid();
    std::vector<int> found = grid.moved;
    if (cache.empty()) return found;
    QPointF a = plane(from_screen(seen.bottomLeft(), {0, 0, 0}));
    QPointF b = plane(from_screen(seen.topRight(), {0, 0, 0}));
    auto column = [&](double x) {
        return static_cast<int>(std::clamp(std::floor((x - grid.left) / grid.cell), 0.0, grid.columns - 1.0));
    };
    auto row = [&](double y) {
        return static_cast<int>(std::clamp(std::floor((y - grid.bottom) / grid.cell), 0.0, grid.rows - 1.0));
    };
    for (int r = row(std::min(a.y(), b.y())); r <= row(std::max(a.y(), b.y())); ++r)
        for (int c = column(std::min(a.x(), b.x())); c <= column(std::max(a.x(), b.x())); ++c) {
            std::size_t cell = static_cast<std::size_t>(r) * grid.columns + c;
            found.insert(found.end(), grid.order.begin() + grid.starts[cell], grid.order.begin() + grid.starts[cell + 1]);
        }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

std::vector<int> scene_view::reachable(QPointF at) const {
    std::vector<int> found;
    std::vector<std::pair<double, int>> near;
    QPointF reach(pick_reach, pick_reach);
    for (int i : points_in(QRectF(at - reach, at + reach))) {
        QPointF d = to_screen(cache[static_cast<std::size_t>(i)].world) - at;
        double distance = std::hypot(d.x(), d.y());
        if (distance < pick_reach) near.push_back({distance, i});
    }
    // The active shape's points first, then points before handles, then the nearest.
    std::vector<std::tuple<bool, bool, double, int>> ranked;
    for (auto [distance, i] : near)
        ranked.emplace_back(!in_active_subtree(cache[i].shape), host::is_handle(cache[i].role),
                            distance, i);
    std::sort(ranked.begin(), ranked.end());
    for (auto const& r : ranked) found.push_back(std::get<3>(r));
    return found;
}

std::vector<scene_point> scene_view::points_at(QPointF at) const {
    std::vector<scene_point> out;
    for (int i : reachable(at)) out.push_back(as_scene_point(cache[i]));
    return out;
}

std::optional<scene_point> scene_view::point_at(QPointF at) const {
    std::vector<int> found = reachable(at);
    if (found.empty()) return std::nullopt;
    return as_scene_point(cache[found.front()]);
}

void scene_view::select(scene_point const& p) {
    host::scene_model* scene = host.scene();
    if (!scene) return;
    host::shape_node* holder = scene->find(p.path);
    if (!holder) return;
    host::shape_node* active = scene->active_shape();
    int flat = active && p.select_index >= 0 ? flat_index_in(*active, *holder, p.select_index) : -1;
    if (!active || (flat < 0 && active != holder)) {
        host.make_active(p.path);
        flat = p.select_index;
        active = holder;
    }
    if (flat >= 0) host.select_points(active->path(), {flat});
    host.idle_tick();
}

void scene_view::deselect() {
    picked.reset();
    host::scene_model* scene = host.scene();
    host::shape_node* active = scene ? scene->active_shape() : nullptr;
    if (!active || active->active_points.empty()) return;
    host.select_points(active->path(), {});
    host.idle_tick();
}

scene_view::pick_key scene_view::key_of(int i) const {
    drawn_point const& d = cache[static_cast<std::size_t>(i)];
    return {drawn_shapes[d.shape].node->path(), d.move_index, handle_number(d.role)};
}

bool scene_view::selected_now(int i) const {
    host::shape_node* active = host.scene() ? host.scene()->active_shape() : nullptr;
    drawn_point const& d = cache[static_cast<std::size_t>(i)];
    if (!active || d.select_index < 0) return false;
    int flat = flat_index_in(*active, *drawn_shapes[d.shape].node, d.select_index);
    auto const& on = active->active_points;
    return flat >= 0 && std::find(on.begin(), on.end(), flat) != on.end();
}

std::size_t scene_view::choose(std::vector<int> const& found) const {
    for (std::size_t k = 0; k < found.size(); ++k)
        if (picked && key_of(found[k]) == *picked && selected_now(found[k])) return k;
    for (std::size_t k = 0; k < found.size(); ++k)
        if (!host::is_handle(cache[found[k]].role) && selected_now(found[k])) return k;
    return 0;
}

}  // namespace studio
