// The scene drawn orthographically from the top (X right, Y up), the front (X right, Z up)
// or the side (Y right, Z up): lines as curves with their control points and the tangent
// lines to their four handles, mesh vertices, joint points, camera eye and target,
// centres and pivots. The active shape's active points are highlighted and the points the
// plug-in marked are ringed. A click on a point selects it, a drag moves it (a host-side
// edit, then shapes_modified); the wheel zooms and the right or middle button pans.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QPointF>
#include <QWidget>

#include "studio_host.h"

namespace studio {

enum class projection { top, front, side };

// A point of the scene as the view draws and picks it.
struct scene_point {
    std::string path;    // the shape that holds it
    int move_index;      // the index move_point takes for it
    int select_index;    // its index in the holding shape's flat numbering; -1 for joints
    vec3 world;
    enum class role { anchor, handle, vertex, joint, eye, target, center, pivot } kind;
};

class scene_view final : public QWidget {
    Q_OBJECT
public:
    explicit scene_view(studio_host& host, QWidget* parent = nullptr);

    void set_projection(projection p);
    projection current_projection() const { return view; }
    // Fits the whole scene into the view.
    void fit();
    void zoom_by(double factor);

    // Every point of the scene, in drawing order.
    std::vector<scene_point> points() const;
    // Where a world position lands in the widget.
    QPointF to_screen(vec3 const& world) const;

    // The person's actions, also used by tests: picks the point at pixel at (within a few
    // pixels); selecting makes its shape active first unless the active shape holds it.
    std::optional<scene_point> point_at(QPointF at) const;
    void select(scene_point const& p);
    // Moves p so that it lands under pixel to, keeping its depth.
    void drag(scene_point const& p, QPointF to);

    QSize sizeHint() const override { return {640, 480}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The two world axes shown across and up.
    QPointF plane(vec3 const& p) const;
    vec3 from_screen(QPointF at, vec3 const& keep) const;

    studio_host& host;
    projection view = projection::top;
    double scale = 10;     // pixels per unit
    QPointF offset{0, 0};  // screen position of the world origin, relative to the centre
    std::optional<scene_point> dragging;
    QPointF drag_at;
    bool dragged = false;
    std::optional<QPointF> panning;
};

}  // namespace studio
