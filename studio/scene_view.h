// The scene drawn orthographically from the top (X right, Y up), the front (X right, Z up)
// or the side (Y right, Z up): lines as curves with their control points and the tangent
// lines to their four handles, mesh vertices, joint points, camera eye and target,
// centres and pivots. The active shape's active points are highlighted and the points the
// plug-in marked are ringed. A click on a point selects it (clicks without movement on the
// selected point go round the points there), a drag moves the point or handle it starts
// on in the view's plane as one host undo step (Shift: along one axis; Escape puts it
// back and leaves no step), and what a press would take is ringed while the pointer is
// over it; the wheel zooms and the right or middle button pans.
//
// Large scenes stay quick: the points are kept in world coordinates and brought up to
// date only when the scene's geometry changed (where they stand when only places changed;
// a drag's move updates the one point it moved), picking goes through a grid over the
// view's plane that looks at moved points wherever they are now, drawing skips what lies
// outside the view and draws one point per screen cell where many fall together, and a
// move repaints only the pixels around the old and new places of what moved.
//
// The class is written in one file per concern: scene_projection.cpp (the view's frame),
// point_cache.cpp, point_picking.cpp, scene_painting.cpp and scene_view_events.cpp.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <QPointF>
#include <QWidget>

#include "scene/shape_points.h"
#include "scene_projection.h"
#include "studio_host.h"

namespace studio {

// A point of the scene as the view draws and picks it.
struct scene_point {
    std::string path;    // the shape that holds it
    int move_index;      // the index move_point takes for it
    int select_index;    // its index in the holding shape's flat numbering; -1 for joints
    vec3 world;
    enum class role { anchor, handle, vertex, joint, eye, target, center, pivot } kind;
    int handle = 0;      // handles: 1 In, 2 Out, 3 L in, 4 L out
};

class scene_view final : public QWidget {
    Q_OBJECT
public:
    explicit scene_view(studio_host& host, QWidget* parent = nullptr);

    // Another side; the zoom and the point at the view's centre stay.
    void set_projection(projection p);
    projection current_projection() const { return view; }
    // Fits the whole scene into the view.
    void fit();
    void zoom_by(double factor);
    double zoom() const { return scale; }

    // Every point of the scene, in drawing order (for tests: it copies every path).
    std::vector<scene_point> points() const;
    // Where a world position lands in the widget.
    QPointF to_screen(vec3 const& world) const;

    // The points within a few pixels of at, the one a click takes first: the active
    // shape's points before other shapes', points before handles, then the nearest.
    std::vector<scene_point> points_at(QPointF at) const;
    std::optional<scene_point> point_at(QPointF at) const;
    // Selects p as a click does: its shape becomes active first unless the active shape
    // holds it; a handle selects its control point. Then one idle tick, so that the
    // plug-in has seen the new point before a drag that follows modifies it.
    void select(scene_point const& p);
    // Clears the active shape's active points as a click on empty space does.
    void deselect();
    // How many repaints, whole or in part, were made (for the tests and the bench).
    long paint_count() const { return paints; }

    QSize sizeHint() const override { return {640, 480}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // One point of the cache: world position and what it belongs to.
    struct drawn_point {
        vec3 world;
        int shape;  // index into drawn_shapes
        int move_index;
        int select_index;
        host::point_role role;
    };
    struct drawn_shape {
        host::shape_node* node;
        std::size_t first;  // its first point in the cache
        std::size_t count;
    };
    // Points of the current projection's plane sorted into cells, for picking.
    struct pick_grid {
        long revision = -1;
        projection side = projection::top;
        double left = 0, bottom = 0, cell = 1;
        int columns = 0, rows = 0;
        std::vector<int> starts;  // per cell, its first entry in order; one more at the end
        std::vector<int> order;   // cache indices, cell by cell
        // Points moved by drags since it was made, looked at by every query wherever they
        // are now (their entry in order may be in another cell).
        std::vector<int> moved;
    };

    void ensure_cache() const;
    // After a change of the points' places only (an undo, a plug-in's edit): the cache is
    // brought up to date where it stands, the grid keeps its cells when few points moved.
    // False when shapes or points came or went.
    bool refresh_in_place(long was) const;
    void ensure_grid() const;
    scene_point as_scene_point(drawn_point const& d) const;
    // Indices into the cache of the points within reach of at, in the order a click
    // takes them.
    std::vector<int> reachable(QPointF at) const;
    // Indices into the cache, ascending, of the points that may lie in the widget's
    // rectangle seen (from the grid's cells over it and its moved points).
    std::vector<int> points_in(QRectF const& seen) const;
    // After the view's own move of the point at cache index i (and only it): the cache,
    // the grid and the repaint follow only what moved.
    void follow_own_move(int i, long revision_before);
    bool in_active_subtree(int shape) const;
    // The two world axes shown across and up.
    QPointF plane(vec3 const& p) const;
    vec3 from_screen(QPointF at, vec3 const& keep) const;
    // The view's drawing passes.
    // Only what meets seen is drawn; only, when given, lists the points to look at.
    void draw_lines(QPainter& painter, QRectF const& seen) const;
    void draw_points(QPainter& painter, std::vector<int> const* only) const;
    void draw_caption(QPainter& painter) const;
    // Begins the host's undo step for a drag of the held point, once.
    void begin_drag();
    // The drag under way, moved so that the grabbed point lands under pixel at.
    void drag_to(QPointF at, bool one_axis);
    // A point or handle as the picking tells them apart: shape path, move index, handle.
    using pick_key = std::tuple<std::string, int, int>;
    pick_key key_of(int cache_index) const;
    // Whether the point at cache_index is among the active shape's active points.
    bool selected_now(int cache_index) const;
    // Which of found (cache indices in picking order) a press takes: the point or handle
    // last taken if it is still selected, else a selected point, else the first.
    std::size_t choose(std::vector<int> const& found) const;
    // The ring around what a press would take (or the held point), as a cache index.
    void set_ring(int cache_index);
    QRect ring_rect(int cache_index) const;
    void draw_ring(QPainter& painter) const;

    studio_host& host;
    projection view = projection::top;
    double scale = 10;     // pixels per unit
    QPointF offset{0, 0};  // screen position of the world origin, relative to the centre
    long paints = 0;
    bool own_move = false;  // while the view moves a point itself: it repaints what moved

    mutable std::vector<drawn_point> cache;
    mutable std::vector<drawn_shape> drawn_shapes;
    mutable std::unordered_map<host::shape_node const*, int> shape_index;
    mutable long cache_revision = -1;
    mutable pick_grid grid;
    // Set by refresh_in_place when few points moved: where they were and are now.
    mutable std::optional<QRectF> moved_area;

    // The press and drag of the left button.
    struct held_point {
        scene_point point;
        vec3 start_world;    // the point's place at the press
        QPointF press;       // where the button went down
        QPointF start_screen;
        bool moving = false;  // past the few pixels that tell a drag from a click
        bool again = false;   // the press was on what was already taken: a click goes on
        bool begun = false;   // the host's undo step for a drag is begun
        int index = -1;       // the point's cache index
        std::optional<host::dmat4> to_local;  // world to the point's frame, found at the first move
        std::vector<pick_key> found;  // the points there, in the order clicks go round them
        std::size_t taken = 0;
    };
    std::optional<held_point> grabbed;
    std::optional<QPointF> panning;
    // The point or handle the last press or click took.
    std::optional<pick_key> picked;
    // The ringed point: a cache index of cache_revision, or -1.
    int ring = -1;
    mutable long ring_revision = -1;
};

}  // namespace studio
