// The scene view's frame: the side it is drawn from, its zoom and where the world lands
// on the screen.
#include <algorithm>

#include "scene_view.h"

namespace studio {

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

}  // namespace studio
