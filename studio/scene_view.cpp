#include "scene_view.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include "scene_matrix.h"

namespace studio {

namespace {

host::dmat4 frame_of(host::skin_data const& skin, host::dmat4 const& chain) {
    return skin.skinned ? host::to_double(skin.matrix) : chain;
}

// The frame a point of shape is stored in: element skin, else shape skin, else the chain.
host::dmat4 point_frame(host::shape_node const& shape, scene_point const& p) {
    auto const& g = shape.geometry;
    host::dmat4 chain = shape.world_matrix();
    if (shape.object_kind() == kind_line && p.move_index < static_cast<int>(g.points.size()))
        return frame_of(g.points[p.move_index].skin, chain);
    if (shape.object_kind() == kind_polygon_mesh &&
        p.move_index < static_cast<int>(g.vertices.size()))
        return frame_of(g.vertex_skin(static_cast<std::size_t>(p.move_index)), chain);
    return frame_of(g.skin, chain);
}

vec3 add(vec3 const& a, vec3 const& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

// The flat index in ancestor's numbering of point index of shape, which lies in its
// subtree; -1 when it does not.
int flat_index_in(host::shape_node const& ancestor, host::shape_node const& shape, int index) {
    if (&ancestor == &shape) return index;
    int before = 0;
    for (auto const& child : ancestor.children()) {
        int inner = flat_index_in(*child, shape, index);
        if (inner >= 0) return before + inner;
        try {
            before += child->count_points();
        } catch (std::exception const&) {
            return -1;
        }
    }
    return -1;
}

QColor const background(250, 250, 247);
QColor const curve_colour(40, 70, 150);
QColor const handle_colour(150, 150, 150);
QColor const point_colour(30, 30, 30);
QColor const joint_colour(160, 90, 20);
QColor const camera_colour(20, 130, 90);
QColor const active_colour(220, 40, 40);
QColor const mark_colour(230, 150, 0);

}  // namespace

scene_view::scene_view(studio_host& given, QWidget* parent) : QWidget(parent), host(given) {
    setObjectName("scene_view");
    setMouseTracking(false);
    setMinimumSize(320, 240);
    connect(&host, &studio_host::scene_changed, this, qOverload<>(&QWidget::update));
    connect(&host, &studio_host::window_changed, this, qOverload<>(&QWidget::update));
    connect(&host, &studio_host::scene_replaced, this, &scene_view::fit);
}

void scene_view::set_projection(projection p) {
    view = p;
    fit();
}

void scene_view::zoom_by(double factor) {
    scale = std::clamp(scale * factor, 1e-3, 1e5);
    offset *= factor;
    update();
}

QPointF scene_view::plane(vec3 const& p) const {
    switch (view) {
    case projection::top: return {p.x, p.y};
    case projection::front: return {p.x, p.z};
    case projection::side: return {p.y, p.z};
    }
    return {p.x, p.y};
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
    switch (view) {
    case projection::top: p.x = static_cast<float>(a), p.y = static_cast<float>(b); break;
    case projection::front: p.x = static_cast<float>(a), p.z = static_cast<float>(b); break;
    case projection::side: p.y = static_cast<float>(a), p.z = static_cast<float>(b); break;
    }
    return p;
}

void scene_view::fit() {
    std::vector<scene_point> all = points();
    if (all.empty()) {
        scale = 10;
        offset = {0, 0};
        update();
        return;
    }
    QPointF lo = plane(all.front().world), hi = lo;
    for (scene_point const& p : all) {
        QPointF q = plane(p.world);
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

std::vector<scene_point> scene_view::points() const {
    std::vector<scene_point> out;
    host::scene_model* scene = host.scene();
    if (!scene) return out;
    using role = scene_point::role;
    for (host::shape_node* shape : scene->all_shapes()) {
        auto const& g = shape->geometry;
        std::string path = shape->path();
        host::dmat4 chain = shape->world_matrix();
        host::dmat4 own = frame_of(g.skin, chain);
        switch (shape->object_kind()) {
        case kind_line:
            for (std::size_t i = 0; i < g.points.size(); ++i) {
                auto const& cp = g.points[i];
                host::dmat4 f = frame_of(cp.skin, chain);
                int n = static_cast<int>(i);
                out.push_back({path, n, n, host::transform(cp.anchor, f), role::anchor});
                for (vec3 const& h : {cp.in, cp.out, cp.l_in, cp.l_out})
                    out.push_back({path, n, n, host::transform(h, f), role::handle});
            }
            continue;
        case kind_polygon_mesh:
            for (std::size_t i = 0; i < g.vertices.size(); ++i) {
                int n = static_cast<int>(i);
                out.push_back({path, n, n, host::transform(g.vertices[i].position,
                                                     frame_of(g.vertex_skin(i), chain)),
                               role::vertex});
            }
            continue;
        case kind_light:
        case kind_sphere:
        case kind_disk: out.push_back({path, 0, 0, host::transform(g.center, own), role::center}); continue;
        default: break;
        }
        switch (shape->part_kind()) {
        case part_rotator:
        case part_scale:
            out.push_back({path, 0, -1, host::transform(g.first, own), role::joint});
            out.push_back({path, 1, -1, host::transform(add(g.first, g.second), own), role::joint});
            break;
        case part_slider:
            out.push_back({path, 0, -1, host::transform(g.first, own), role::joint});
            out.push_back({path, 1, -1, host::transform(g.second, own), role::joint});
            break;
        case part_uniscale: out.push_back({path, 0, -1, host::transform(g.first, own), role::pivot}); break;
        case part_ball: out.push_back({path, 0, -1, host::transform(g.pivot, own), role::pivot}); break;
        case part_camera:
            out.push_back({path, 0, -1, host::transform(g.eye, own), role::eye});
            out.push_back({path, 1, -1, host::transform(g.target, own), role::target});
            break;
        default: break;
        }
    }
    return out;
}

void scene_view::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), background);
    // The world axes through the origin.
    painter.setPen(QPen(QColor(215, 215, 210), 1));
    QPointF origin = to_screen({0, 0, 0});
    painter.drawLine(QPointF(0, origin.y()), QPointF(width(), origin.y()));
    painter.drawLine(QPointF(origin.x(), 0), QPointF(origin.x(), height()));
    painter.setPen(QColor(120, 120, 120));
    static char const* const names[] = {"Top (X, Y)", "Front (X, Z)", "Side (Y, Z)"};
    painter.drawText(8, 16, names[static_cast<int>(view)]);

    host::scene_model* scene = host.scene();
    if (!scene) return;
    std::vector<scene_point> all = points();
    if (dragging && dragged)
        for (scene_point& p : all)
            if (p.path == dragging->path && p.move_index == dragging->move_index &&
                (p.kind == dragging->kind))
                p.world = from_screen(drag_at, p.world);

    // Curves: a cubic segment from each anchor's Out handle to the next anchor's In handle.
    using role = scene_point::role;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].kind != role::anchor) continue;
        scene_point const& a = all[i];
        QPointF at = to_screen(a.world);
        painter.setPen(QPen(handle_colour, 1));
        for (int h = 1; h <= 4; ++h) painter.drawLine(at, to_screen(all[i + h].world));
        std::size_t next = i + 5;
        if (next < all.size() && all[next].kind == role::anchor && all[next].path == a.path) {
            QPainterPath segment(at);
            segment.cubicTo(to_screen(all[i + 2].world), to_screen(all[next + 1].world),
                            to_screen(all[next].world));
            painter.setPen(QPen(curve_colour, 1.6));
            painter.drawPath(segment);
        }
    }
    // Joint axes and camera sight lines.
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        bool joint = all[i].kind == role::joint && all[i + 1].kind == role::joint;
        bool camera = all[i].kind == role::eye && all[i + 1].kind == role::target;
        if (!(joint || camera) || all[i].path != all[i + 1].path) continue;
        painter.setPen(QPen(camera ? camera_colour : joint_colour, 1.2,
                            camera ? Qt::DashLine : Qt::SolidLine));
        painter.drawLine(to_screen(all[i].world), to_screen(all[i + 1].world));
    }

    // The active shape's active points, resolved to the shape holding each.
    std::vector<std::pair<host::shape_node*, int>> active;
    if (host::shape_node* shape = scene->active_shape())
        for (int index : shape->active_points) {
            try {
                auto found = shape->resolve_flat(index);
                if (found.first) active.push_back(found);
            } catch (std::exception const&) {
            }
        }
    auto marks = host.marked_points();
    std::vector<std::pair<host::shape_node*, int>> marked;
    for (auto const& [shape, indices] : marks)
        for (int index : indices) {
            try {
                auto found = const_cast<host::shape_node*>(shape)->resolve_flat(index);
                if (found.first) marked.push_back(found);
            } catch (std::exception const&) {
            }
        }
    auto in = [&](std::vector<std::pair<host::shape_node*, int>> const& list,
                  scene_point const& p) {
        if (p.select_index < 0 || p.kind == role::handle) return false;
        for (auto const& [node, index] : list)
            if (index == p.select_index && node->path() == p.path) return true;
        return false;
    };
    host::shape_node* active_shape = scene->active_shape();
    std::string active_path = active_shape ? active_shape->path() : "";
    for (scene_point const& p : all) {
        QPointF at = to_screen(p.world);
        bool is_active = in(active, p);
        bool of_active = !active_path.empty() &&
                         (p.path == active_path || p.path.rfind(active_path + "/", 0) == 0);
        QColor colour = point_colour;
        double r = 3;
        switch (p.kind) {
        case role::handle: colour = handle_colour, r = 2; break;
        case role::joint:
        case role::pivot: colour = joint_colour, r = 3.5; break;
        case role::eye:
        case role::target: colour = camera_colour, r = 3.5; break;
        case role::center: colour = point_colour, r = 4; break;
        default: break;
        }
        if (of_active && p.kind != role::handle && !is_active) colour = colour.darker(130);
        if (is_active) colour = active_colour, r += 2;
        painter.setPen(QPen(colour, 1));
        painter.setBrush(p.kind == role::handle || p.kind == role::target ? Qt::NoBrush
                                                                           : QBrush(colour));
        if (p.kind == role::center || p.kind == role::pivot)
            painter.drawEllipse(at, r, r);
        else
            painter.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
        if (in(marked, p)) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(mark_colour, 2));
            painter.drawEllipse(at, r + 4, r + 4);
        }
    }
}

std::optional<scene_point> scene_view::point_at(QPointF at) const {
    std::optional<scene_point> best;
    double best_distance = 7;
    for (scene_point const& p : points()) {
        if (p.kind == scene_point::role::handle) continue;  // a handle moves with its anchor
        QPointF d = to_screen(p.world) - at;
        double distance = std::hypot(d.x(), d.y());
        if (distance < best_distance) best = p, best_distance = distance;
    }
    return best;
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
}

void scene_view::drag(scene_point const& p, QPointF to) {
    host::scene_model* scene = host.scene();
    host::shape_node* holder = scene ? scene->find(p.path) : nullptr;
    if (!holder) return;
    vec3 world = from_screen(to, p.world);
    host::dmat4 inverse;
    if (!host::invert(point_frame(*holder, p), inverse)) return;
    vec3 local = host::transform(world, inverse);
    try {
        host.move_point(p.path, p.move_index, local);
    } catch (std::exception const& e) {
        Q_EMIT host.failure(QString("move: ") + e.what());
    }
}

void scene_view::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging = point_at(event->position());
        dragged = false;
        drag_at = event->position();
        if (dragging) select(*dragging);
    } else {
        panning = event->position();
    }
}

void scene_view::mouseMoveEvent(QMouseEvent* event) {
    if (panning) {
        offset += event->position() - *panning;
        panning = event->position();
        update();
    } else if (dragging) {
        dragged = dragged || (event->position() - drag_at).manhattanLength() > 2;
        drag_at = event->position();
        update();
    }
}

void scene_view::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging && dragged) drag(*dragging, event->position());
    dragging.reset();
    panning.reset();
    update();
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
