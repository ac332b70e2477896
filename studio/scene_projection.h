// The sides the scene view draws the scene from, orthographically: the top (X right, Y
// up), the front (X right, Z up) or the side (Y right, Z up), the world axes each shows,
// and the screen rectangles the view repaints.
#pragma once

#include <algorithm>
#include <initializer_list>

#include <QPointF>
#include <QRectF>

#include "math_values.h"

namespace studio {

enum class projection { top, front, side };

// The two coordinates of a world position the projection shows.
inline int across_axis(projection p) { return p == projection::side ? 1 : 0; }
inline int up_axis(projection p) { return p == projection::top ? 1 : 2; }
inline float axis(vec3 const& v, int i) { return i == 0 ? v.x : i == 1 ? v.y : v.z; }

// The smallest rectangle holding the points, a pixel wide at least (an empty rectangle
// meets nothing).
inline QRectF screen_bounds(std::initializer_list<QPointF> points) {
    QPointF lo = *points.begin(), hi = lo;
    for (QPointF const& p : points) {
        lo = {std::min(lo.x(), p.x()), std::min(lo.y(), p.y())};
        hi = {std::max(hi.x(), p.x()), std::max(hi.y(), p.y())};
    }
    return QRectF(lo, hi).adjusted(-1, -1, 1, 1);
}

}  // namespace studio
