#include "scene_view.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QWheelEvent>

#include "scene/flat_numbering.h"
#include "scene/shape_points.h"
#include "studio_words.h"

namespace studio {

namespace {

using role = scene_point::role;

using host::point_role;

// How the view draws a point of each role.
role look_of(point_role r) {
    switch (r) {
    case point_role::anchor: return role::anchor;
    case point_role::in_handle:
    case point_role::out_handle:
    case point_role::l_in_handle:
    case point_role::l_out_handle: return role::handle;
    case point_role::vertex: return role::vertex;
    case point_role::center: return role::center;
    case point_role::joint_first:
    case point_role::joint_end: return role::joint;
    case point_role::pivot: return role::pivot;
    case point_role::eye: return role::eye;
    case point_role::target: return role::target;
    }
    return role::anchor;
}

// A handle's number (1 In, 2 Out, 3 L in, 4 L out); 0 for any other point.
int handle_number(point_role r) {
    switch (r) {
    case point_role::in_handle: return 1;
    case point_role::out_handle: return 2;
    case point_role::l_in_handle: return 3;
    case point_role::l_out_handle: return 4;
    default: return 0;
    }
}

// The frame point index of shape is kept in (its handles share it).
host::dmat4 frame_of_point(host::shape_node const& shape, int index) {
    host::dmat4 chain = shape.world_matrix(), frame = chain;
    auto const& g = shape.geometry;
    // A mesh's vertex is found at once: a million of them are not walked for one.
    if (shape.object_kind() == kind_polygon_mesh && index >= 0 && index < static_cast<int>(g.vertices.size())) {
        int k = g.vertices[static_cast<std::size_t>(index)].skin;
        return k < 0 ? chain : host::to_double(g.vertex_skins[static_cast<std::size_t>(k)]);
    }
    bool found = false;
    host::for_each_point(shape, [&](host::shape_point const& p) {
        if (found || p.index != index) return;
        frame = host::point_frame(p, chain);
        found = true;
    });
    return frame;
}

// The flat index in ancestor's numbering of point index of shape, which lies in its
// subtree; -1 when it does not or a link cycle hides it.
int flat_index_in(host::shape_node const& ancestor, host::shape_node const& shape, int index) {
    try {
        return host::flat_index_of(ancestor, shape, index);
    } catch (std::exception const&) {
        return -1;
    }
}

QColor const background(250, 250, 247);
QColor const curve_colour(40, 70, 150);
QColor const handle_colour(150, 150, 150);
QColor const point_colour(30, 30, 30);
QColor const joint_colour(160, 90, 20);
QColor const camera_colour(20, 130, 90);
QColor const active_colour(220, 40, 40);
QColor const mark_colour(230, 150, 0);
QColor const grab_colour(30, 120, 230);

// The smallest rectangle holding the points, a pixel wide at least (an empty rectangle
// meets nothing).
QRectF bounds(std::initializer_list<QPointF> points) {
    QPointF lo = *points.begin(), hi = lo;
    for (QPointF const& p : points) {
        lo = {std::min(lo.x(), p.x()), std::min(lo.y(), p.y())};
        hi = {std::max(hi.x(), p.x()), std::max(hi.y(), p.y())};
    }
    return QRectF(lo, hi).adjusted(-1, -1, 1, 1);
}

double const pick_reach = 7;  // pixels around a click that still take a point

// The two coordinates of a world position the projection shows.
int across_axis(projection p) { return p == projection::side ? 1 : 0; }
int up_axis(projection p) { return p == projection::top ? 1 : 2; }
float axis(vec3 const& v, int i) { return i == 0 ? v.x : i == 1 ? v.y : v.z; }

}  // namespace

scene_view::scene_view(studio_host& given, QWidget* parent) : QWidget(parent), host(given) {
    setObjectName("scene_view");
    setMouseTracking(true);  // the ring follows the pointer
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(320, 240);
    // Only what the scene shows: an idle tick that changes nothing repaints nothing.
    // A move the view makes itself repaints only what moved (follow_own_move).
    connect(&host, &studio_host::scene_changed, this, [this] {
        if (own_move) return;
        // A few points moved (an undo of a drag, the plug-in's edit): only where they were
        // and are now is drawn again.
        moved_area.reset();
        if (cache_revision >= 0) ensure_cache();
        if (moved_area)
            update(moved_area->adjusted(-12, -12, 12, 12).toAlignedRect());
        else
            update();
    });
    connect(&host, &studio_host::scene_replaced, this, &scene_view::fit);
}

// ---- the cache of points ----

void scene_view::ensure_cache() const {
    host::scene_model* scene = host.scene();
    if (!scene) {
        cache.clear();
        drawn_shapes.clear();
        shape_index.clear();
        cache_revision = -1;
        return;
    }
    if (cache_revision == host.geometry_revision()) return;
    long was = cache_revision;
    cache_revision = host.geometry_revision();
    if (was >= 0 && refresh_in_place(was)) return;
    cache.clear();
    drawn_shapes.clear();
    shape_index.clear();
    for (host::shape_node* shape : scene->all_shapes()) {
        int s = static_cast<int>(drawn_shapes.size());
        std::size_t first = cache.size();
        host::dmat4 chain = shape->world_matrix();
        // Points a part keeps itself (joints) are not in any flat numbering.
        bool numbered = !shape->is_part();
        if (shape->object_kind() == kind_polygon_mesh)
            cache.reserve(cache.size() + shape->geometry.vertices.size());
        host::for_each_point(*shape, [&](host::shape_point const& p) {
            cache.push_back({host::world_position(p, chain), s, p.index, numbered ? p.index : -1, p.role});
        });
        drawn_shapes.push_back({shape, first, cache.size() - first});
        shape_index[shape] = s;
    }
}

bool scene_view::refresh_in_place(long was) const {
    std::vector<host::shape_node*> all = host.scene()->all_shapes();
    if (all.size() != drawn_shapes.size()) return false;
    std::vector<int> changed;
    QRectF area;  // where the changed points were and are, on the screen
    for (std::size_t s = 0; s < all.size(); ++s) {
        drawn_shape const& d = drawn_shapes[s];
        if (all[s] != d.node) return false;
        host::dmat4 chain = d.node->world_matrix();
        std::size_t k = 0, before = changed.size();
        host::for_each_point(*d.node, [&](host::shape_point const& p) {
            if (k < d.count) {
                drawn_point& e = cache[d.first + k];
                vec3 world = host::world_position(p, chain);
                if (std::memcmp(&e.world, &world, sizeof world) != 0) {
                    area |= bounds({to_screen(e.world), to_screen(world)});
                    e.world = world;
                    changed.push_back(static_cast<int>(d.first + k));
                }
            }
            ++k;
        });
        if (k != d.count) return false;  // points added or removed: made again
        // A line's curve bends with any of its points: its whole extent is drawn again.
        if (changed.size() > before && d.node->object_kind() == kind_line)
            for (std::size_t j = 0; j < d.count; ++j) area |= bounds({to_screen(cache[d.first + j].world)});
    }
    if (changed.size() <= 4096) moved_area = area;
    // A few points moved (an undo of a drag): the grid keeps its cells and looks at them
    // wherever they are now; many: it is made again when next asked.
    if (grid.revision == was && grid.moved.size() + changed.size() <= 4096) {
        for (int i : changed)
            if (std::find(grid.moved.begin(), grid.moved.end(), i) == grid.moved.end()) grid.moved.push_back(i);
        grid.revision = cache_revision;
    }
    if (ring_revision == was) ring_revision = cache_revision;
    return true;
}

scene_point scene_view::as_scene_point(drawn_point const& d) const {
    return {drawn_shapes[d.shape].node->path(), d.move_index, d.select_index, d.world, look_of(d.role),
            handle_number(d.role)};
}

std::vector<scene_point> scene_view::points() const {
    ensure_cache();
    std::vector<scene_point> out;
    out.reserve(cache.size());
    for (drawn_point const& d : cache) out.push_back(as_scene_point(d));
    return out;
}

// ---- the view's frame ----

void scene_view::set_projection(projection p) {
    if (p == view) return;
    // The world point at the view's centre stays there: the axis both sides show keeps
    // its value, the other comes from the middle of the scene.
    ensure_cache();
    vec3 centre{0, 0, 0};
    if (!cache.empty()) {
        vec3 lo = cache.front().world, hi = lo;
        for (drawn_point const& d : cache) {
            lo = {std::min(lo.x, d.world.x), std::min(lo.y, d.world.y), std::min(lo.z, d.world.z)};
            hi = {std::max(hi.x, d.world.x), std::max(hi.y, d.world.y), std::max(hi.z, d.world.z)};
        }
        centre = {(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2};
    }
    centre = from_screen(QPointF(width() / 2.0, height() / 2.0), centre);
    view = p;
    QPointF q = plane(centre);
    offset = QPointF(-q.x() * scale, q.y() * scale);
    update();
}

void scene_view::zoom_by(double factor) {
    scale = std::clamp(scale * factor, 1e-3, 1e5);
    offset *= factor;
    update();
}

QPointF scene_view::plane(vec3 const& p) const {
    return {axis(p, across_axis(view)), axis(p, up_axis(view))};
}

QPointF scene_view::to_screen(vec3 const& world) const {
    QPointF q = plane(world);
    return QPointF(width() / 2.0 + offset.x() + q.x() * scale,
                   height() / 2.0 + offset.y() - q.y() * scale);
}

vec3 scene_view::from_screen(QPointF at, vec3 const& keep) const {
    double a = (at.x() - width() / 2.0 - offset.x()) / scale;
    double b = -(at.y() - height() / 2.0 - offset.y()) / scale;
    vec3 p = keep;
    float* values[] = {&p.x, &p.y, &p.z};
    *values[across_axis(view)] = static_cast<float>(a);
    *values[up_axis(view)] = static_cast<float>(b);
    return p;
}

void scene_view::fit() {
    ensure_cache();
    if (cache.empty()) {
        scale = 10;
        offset = {0, 0};
        update();
        return;
    }
    QPointF lo = plane(cache.front().world), hi = lo;
    for (drawn_point const& d : cache) {
        QPointF q = plane(d.world);
        lo = {std::min(lo.x(), q.x()), std::min(lo.y(), q.y())};
        hi = {std::max(hi.x(), q.x()), std::max(hi.y(), q.y())};
    }
    double w = std::max(hi.x() - lo.x(), 1.0), h = std::max(hi.y() - lo.y(), 1.0);
    scale = std::min((width() - 60) / w, (height() - 60) / h);
    if (!(scale > 0)) scale = 10;
    QPointF mid = (lo + hi) / 2;
    offset = QPointF(-mid.x() * scale, mid.y() * scale);
    update();
}

// ---- picking ----

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

// ---- drawing ----

void scene_view::paintEvent(QPaintEvent* event) {
    ++paints;
    ensure_cache();
    QPainter painter(this);
    QRectF seen = event->rect();
    painter.fillRect(seen, background);
    // The world axes through the origin.
    painter.setPen(QPen(QColor(215, 215, 210), 1));
    QPointF origin = to_screen({0, 0, 0});
    painter.drawLine(QPointF(0, origin.y()), QPointF(width(), origin.y()));
    painter.drawLine(QPointF(origin.x(), 0), QPointF(origin.x(), height()));
    if (!cache.empty()) {
        // A part of the view (a drag's move) looks only at the points that can reach it.
        bool whole = event->rect().contains(rect());
        std::vector<int> only;
        if (!whole) only = points_in(seen.adjusted(-8, -8, 8, 8));
        draw_lines(painter, seen.adjusted(-20, -20, 20, 20));
        draw_points(painter, whole ? nullptr : &only);
        draw_ring(painter);
    }
    draw_caption(painter);
}

void scene_view::draw_lines(QPainter& painter, QRectF const& seen) const {
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t index = 0; index < drawn_shapes.size(); ++index) {
        drawn_shape const& s = drawn_shapes[index];
        drawn_point const* p = &cache[s.first];
        // The active shape's curves stand out.
        double curve_width = in_active_subtree(static_cast<int>(index)) ? 3.2 : 1.6;
        // Vertices, centres and pivots stand alone: a mesh costs nothing here.
        if (s.count == 0 || p->role == point_role::vertex || p->role == point_role::center ||
            p->role == point_role::pivot)
            continue;
        // A line: for each control point the cubic segment from the previous anchor's Out
        // handle to its In handle, then its tangent lines to its four handles.
        struct control_point {
            QPointF at;
            QPointF handles[4];
        };
        std::optional<control_point> previous, current;
        auto finish = [&] {
            if (!current) return;
            auto const& [at, handles] = *current;
            if (previous && seen.intersects(bounds({previous->at, previous->handles[1], handles[0], at}))) {
                QPainterPath segment(previous->at);
                segment.cubicTo(previous->handles[1], handles[0], at);
                painter.setPen(QPen(curve_colour, curve_width));
                painter.drawPath(segment);
            }
            if (seen.intersects(bounds({at, handles[0], handles[1], handles[2], handles[3]}))) {
                painter.setPen(QPen(handle_colour, 1));
                for (QPointF const& h : handles) painter.drawLine(at, h);
            }
            previous = current;
        };
        // Joint axes and camera sight lines: from the first point or eye to the end or target.
        std::optional<QPointF> from;
        for (std::size_t i = 0; i < s.count; ++i) {
            QPointF at = to_screen(p[i].world);
            switch (p[i].role) {
            case point_role::anchor:
                finish();
                current = control_point{at, {}};
                break;
            case point_role::joint_first:
            case point_role::eye: from = at; break;
            case point_role::joint_end:
            case point_role::target:
                if (!from) break;
                painter.setPen(p[i].role == point_role::target
                                   ? QPen(camera_colour, 1.2, Qt::DashLine)
                                   : QPen(joint_colour, 1.2, Qt::SolidLine));
                painter.drawLine(*from, at);
                break;
            default:
                if (int h = handle_number(p[i].role)) current->handles[h - 1] = at;
            }
        }
        finish();
    }
}

void scene_view::draw_points(QPainter& painter, std::vector<int> const* only) const {
    host::scene_model* scene = host.scene();
    // Flags per cached point: 1 active, 2 marked.
    std::vector<unsigned char> flags(cache.size(), 0);
    auto flag = [&](host::shape_node const* node, int index, unsigned char bit) {
        auto found = shape_index.find(node);
        if (found == shape_index.end() || index < 0) return;
        // The shape's points run by index, each point before its handles.
        drawn_shape const& s = drawn_shapes[found->second];
        auto begin = cache.begin() + static_cast<std::ptrdiff_t>(s.first);
        auto at = std::lower_bound(begin, begin + static_cast<std::ptrdiff_t>(s.count), index,
                                   [](drawn_point const& d, int i) { return d.move_index < i; });
        if (at != begin + static_cast<std::ptrdiff_t>(s.count) && at->move_index == index &&
            at->select_index >= 0)
            flags[static_cast<std::size_t>(at - cache.begin())] |= bit;
    };
    auto resolve = [&](host::shape_node* shape, int index, unsigned char bit) {
        if (!shape->is_part()) return flag(shape, index, bit);
        try {
            auto found = host::resolve_flat_index(*shape, index);
            if (found.first) flag(found.first, found.second, bit);
        } catch (std::exception const&) {
        }
    };
    host::shape_node* active = scene->active_shape();
    if (active)
        for (int index : active->active_points) resolve(active, index, 1);
    for (auto const& [shape, indices] : host.marked_points())
        for (int index : indices) resolve(const_cast<host::shape_node*>(shape), index, 2);
    std::vector<char> darker(drawn_shapes.size(), 0);
    for (std::size_t s = 0; s < drawn_shapes.size(); ++s) darker[s] = in_active_subtree(static_cast<int>(s));

    // Where many points fall into one screen cell, one is drawn: a million vertices cost
    // as much as the cells they cover. Three layers, each thinned on its own: handles, the
    // points above them, the active and marked points on top.
    int const cell = 4;
    int const columns = width() / cell + 2, rows = height() / cell + 2;
    std::size_t const cells = static_cast<std::size_t>(columns) * rows;
    std::vector<unsigned char> taken(3 * cells, 0);
    // One batch per layer, kind of point and look (plain, in the active shape, active).
    int const kinds = 8, looks = 3;
    struct batch {
        QColor colour;
        double r;
        bool filled, round;
        std::vector<QRectF> shapes;
    };
    std::vector<batch> batches(3 * kinds * looks);
    for (int layer = 0; layer < 3; ++layer)
        for (int k = 0; k < kinds; ++k)
            for (int look = 0; look < looks; ++look) {
                auto kind = static_cast<role>(k);
                QColor colour = point_colour;
                double r = 3;
                switch (kind) {
                case role::handle: colour = handle_colour, r = 2; break;
                case role::joint:
                case role::pivot: colour = joint_colour, r = 3.5; break;
                case role::eye:
                case role::target: colour = camera_colour, r = 3.5; break;
                case role::center: r = 4; break;
                default: break;
                }
                if (look == 1 && kind != role::handle) colour = colour.darker(130);
                if (look == 2) colour = active_colour, r += 2;
                bool round = kind == role::center || kind == role::pivot;
                bool filled = !(kind == role::handle || kind == role::target);
                batches[(layer * kinds + k) * looks + look] = {colour, r, filled, round, {}};
            }
    std::vector<QPointF> rings;
    double const w = width(), h = height(), cx = w / 2 + offset.x(), cy = h / 2 + offset.y();
    int const ia = across_axis(view), ib = up_axis(view);
    double const per_cell = 1.0 / cell;
    std::size_t const n = only ? only->size() : cache.size();
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t i = only ? static_cast<std::size_t>((*only)[k]) : k;
        drawn_point const& p = cache[i];
        float const* xyz = &p.world.x;  // vec3 is three floats in a row
        double x = cx + xyz[ia] * scale, y = cy - xyz[ib] * scale;
        if (!(x >= -8 && y >= -8 && x < w + 8 && y < h + 8)) continue;
        unsigned char f = flags[i];
        role look = look_of(p.role);
        int layer = f ? 2 : look == role::handle ? 0 : 1;
        std::size_t at = layer * cells + static_cast<std::size_t>((y + 8) * per_cell) * columns +
                         static_cast<std::size_t>((x + 8) * per_cell);
        if (taken[at]) continue;
        taken[at] = 1;
        int shade = (f & 1) ? 2 : darker[p.shape] ? 1 : 0;
        batch& b = batches[(layer * kinds + static_cast<int>(look)) * looks + shade];
        b.shapes.emplace_back(x - b.r, y - b.r, 2 * b.r, 2 * b.r);
        if (f & 2) rings.emplace_back(x, y);
    }
    for (batch const& b : batches) {
        if (b.shapes.empty()) continue;
        painter.setRenderHint(QPainter::Antialiasing, b.round);
        painter.setPen(QPen(b.colour, 1));
        painter.setBrush(b.filled ? QBrush(b.colour) : Qt::NoBrush);
        if (b.round)
            for (QRectF const& r : b.shapes) painter.drawEllipse(r);
        else
            painter.drawRects(b.shapes.data(), static_cast<int>(b.shapes.size()));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(mark_colour, 2));
    for (QPointF const& at : rings) painter.drawEllipse(at, 9, 9);
}

void scene_view::draw_caption(QPainter& painter) const {
    std::string lang = host.language();
    static char const* const names[] = {"Top (X, Y)", "Front (X, Z)", "Side (Y, Z)"};
    QString caption = studio_word(lang, names[static_cast<int>(view)]);
    // On a plate of the background, so that geometry below does not hide it.
    QFontMetrics metrics(painter.font());
    QRectF plate(4, 4, metrics.horizontalAdvance(caption) + 10, metrics.height() + 4);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 247, 220));
    painter.drawRoundedRect(plate, 3, 3);
    painter.setPen(QColor(90, 90, 90));
    painter.drawText(plate, Qt::AlignCenter, caption);
    host::scene_model* scene = host.scene();
    if (scene && scene->roots().empty()) {
        QString key = QKeySequence(QKeySequence::Open).toString(QKeySequence::NativeText);
        QString hint = studio_word(lang, "No scene is open. File > Open... (%1) opens one.").arg(key);
        painter.setPen(QColor(110, 110, 110));
        painter.drawText(rect(), Qt::AlignCenter, hint);
    }
}

// ---- the mouse ----

void scene_view::drag_to(QPointF at, bool one_axis) {
    held_point& g = *grabbed;
    QPointF moved = at - g.press;
    // Shift keeps the drag on the axis the mouse went furthest along.
    if (one_axis) moved = std::abs(moved.x()) >= std::abs(moved.y()) ? QPointF(moved.x(), 0) : QPointF(0, moved.y());
    host::scene_model* scene = host.scene();
    host::shape_node* holder = scene ? scene->find(g.point.path) : nullptr;
    if (!holder) return;
    // The grabbed point keeps its offset to the pointer and its depth.
    vec3 world = from_screen(g.start_screen + moved, g.start_world);
    if (!g.to_local) {
        host::dmat4 inverse;
        if (!host::invert(frame_of_point(*holder, g.point.move_index), inverse)) return;
        g.to_local = inverse;
    }
    vec3 local = host::transform(world, *g.to_local);
    long before = host.geometry_revision();
    own_move = true;
    try {
        if (g.point.kind == role::handle)
            host.drag_handle(g.point.path, g.point.move_index, g.point.handle, local);
        else
            host.drag_point(g.point.path, g.point.move_index, local);
    } catch (std::exception const& e) {
        Q_EMIT host.failure(QString("move: ") + e.what());
    }
    own_move = false;
    follow_own_move(g.index, before);
}

void scene_view::follow_own_move(int i, long before) {
    long after = host.geometry_revision();
    // Anything else that changed meanwhile: everything is looked at again.
    if (after != before + 1 || cache_revision != before || i < 0 || i >= static_cast<int>(cache.size())) {
        update();
        return;
    }
    drawn_point const& d = cache[static_cast<std::size_t>(i)];
    drawn_shape const& s = drawn_shapes[static_cast<std::size_t>(d.shape)];
    host::shape_node const& node = *s.node;
    host::dmat4 chain = node.world_matrix();
    // A mesh's vertex moves alone; any other shape is small and read again whole (a
    // control point takes its handles along, a joint's end may follow its first point).
    std::size_t first = s.first;
    std::vector<vec3> now;
    if (node.object_kind() == kind_polygon_mesh) {
        first = static_cast<std::size_t>(i);
        auto const& g = node.geometry;
        auto const& v = g.vertices.at(static_cast<std::size_t>(d.move_index));
        host::shape_point p{d.move_index, point_role::vertex, v.position,
                            v.skin < 0 ? nullptr : &g.vertex_skins[static_cast<std::size_t>(v.skin)]};
        now.push_back(host::world_position(p, chain));
    } else {
        host::for_each_point(node, [&](host::shape_point const& p) { now.push_back(host::world_position(p, chain)); });
        if (now.size() != s.count) {
            cache_revision = -1;
            update();
            return;
        }
    }
    bool grid_current = grid.revision == before && grid.side == view;
    bool line = node.object_kind() == kind_line;
    QRectF dirty;
    for (std::size_t k = 0; k < now.size(); ++k) {
        drawn_point& e = cache[first + k];
        bool changed = std::memcmp(&e.world, &now[k], sizeof(vec3)) != 0;
        // A line's curve bends with any of its points: its whole extent is drawn again.
        if (!changed && !line) continue;
        dirty |= bounds({to_screen(e.world), to_screen(now[k])});
        if (!changed) continue;
        e.world = now[k];
        int index = static_cast<int>(first + k);
        if (grid_current && std::find(grid.moved.begin(), grid.moved.end(), index) == grid.moved.end())
            grid.moved.push_back(index);
    }
    cache_revision = after;
    if (grid_current) grid.revision = after;
    if (ring_revision == before) ring_revision = after;
    update(dirty.adjusted(-12, -12, 12, 12).toAlignedRect());
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

QRect scene_view::ring_rect(int i) const {
    QPointF at = to_screen(cache[static_cast<std::size_t>(i)].world);
    return QRectF(at - QPointF(11, 11), QSizeF(22, 22)).toAlignedRect();
}

void scene_view::set_ring(int i) {
    bool valid = ring >= 0 && ring_revision == cache_revision;
    if (valid && ring == i) return;
    if (valid) update(ring_rect(ring));
    ring = i;
    ring_revision = cache_revision;
    if (ring >= 0) update(ring_rect(ring));
}

void scene_view::draw_ring(QPainter& painter) const {
    if (ring < 0 || ring_revision != cache_revision || ring >= static_cast<int>(cache.size())) return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(grab_colour, 2));
    painter.drawEllipse(to_screen(cache[static_cast<std::size_t>(ring)].world), 7, 7);
}

void scene_view::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        panning = event->position();
        return;
    }
    setFocus(Qt::MouseFocusReason);  // Escape reaches the drag
    QPointF at = event->position();
    grabbed = held_point{};
    grabbed->press = at;
    std::vector<int> found = reachable(at);
    if (found.empty()) return;  // a click on empty space: released, it deselects
    grabbed->taken = choose(found);
    for (int i : found) grabbed->found.push_back(key_of(i));
    int i = found[grabbed->taken];
    grabbed->index = i;
    scene_point p = as_scene_point(cache[i]);
    grabbed->point = p;
    grabbed->start_world = p.world;
    grabbed->start_screen = to_screen(p.world);
    // Pressing on what is taken keeps it, so that a drag moves it; only a click without
    // movement goes on to the next point there.
    grabbed->again = picked == grabbed->found[grabbed->taken] && selected_now(i);
    picked = grabbed->found[grabbed->taken];
    set_ring(i);
    if (!grabbed->again) select(p);
    // The drag's undo step copies the shape (a million vertices take tens of
    // milliseconds): taken once the press is drawn, while the hand starts to move, so that
    // no move waits for it. A click lets it go unused.
    QTimer::singleShot(0, this, [this] { begin_drag(); });
}

void scene_view::begin_drag() {
    if (!grabbed || grabbed->found.empty() || grabbed->begun) return;
    grabbed->begun = true;
    host.begin_drag(grabbed->point.path);
}

void scene_view::mouseMoveEvent(QMouseEvent* event) {
    if (panning) {
        offset += event->position() - *panning;
        panning = event->position();
        update();
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        // Hovering: the ring shows what a press here would take.
        std::vector<int> found = reachable(event->position());
        set_ring(found.empty() ? -1 : found[choose(found)]);
        return;
    }
    if (!grabbed || grabbed->found.empty()) return;
    if (!grabbed->moving) {
        if ((event->position() - grabbed->press).manhattanLength() <= 2) return;
        grabbed->moving = true;
        // The whole drag is one undo step of the shape that holds the point.
        begin_drag();
    }
    drag_to(event->position(), event->modifiers() & Qt::ShiftModifier);
}

void scene_view::mouseReleaseEvent(QMouseEvent* event) {
    std::optional<held_point> held = std::move(grabbed);
    grabbed.reset();
    panning.reset();
    if (!held || event->button() != Qt::LeftButton) return;
    if (held->begun && !held->moving) host.cancel_drag();  // a click: nothing moved, no step
    if (held->moving) {
        drag_to(event->position(), event->modifiers() & Qt::ShiftModifier);
        own_move = true;  // what moved is drawn already
        host.end_drag();
        own_move = false;
    } else if (held->found.empty()) {
        deselect();
    } else if (held->again && held->found.size() > 1) {
        // A click again on what is taken takes the next point there.
        std::size_t next = (held->taken + 1) % held->found.size();
        for (int i : reachable(held->press))
            if (key_of(i) == held->found[next]) {
                picked = held->found[next];
                set_ring(i);
                select(as_scene_point(cache[i]));
                break;
            }
    }
}

void scene_view::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || !grabbed) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Escape calls the drag off: the points go back and no undo step is left.
    if (grabbed->begun) host.cancel_drag();
    grabbed.reset();
}

void scene_view::leaveEvent(QEvent*) {
    if (!grabbed) set_ring(-1);
}

void scene_view::wheelEvent(QWheelEvent* event) {
    double factor = event->angleDelta().y() > 0 ? 1.25 : 0.8;
    // Zoom about the pointer: the world point under it stays put.
    QPointF centre(width() / 2.0, height() / 2.0);
    QPointF at = event->position() - centre;
    offset = at + (offset - at) * factor;
    scale = std::clamp(scale * factor, 1e-3, 1e5);
    update();
}

}  // namespace studio
