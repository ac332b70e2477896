// The scene view's mouse and keys: a press takes a point, a drag moves it as one host undo
// step, Escape calls the drag off, the wheel zooms and the other buttons pan.
#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

#include "scene_view.h"

namespace studio {

namespace {

using role = scene_point::role;

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

}  // namespace

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
