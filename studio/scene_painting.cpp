// Drawing the scene view: the curves, joint axes and sight lines, the points thinned to one
// per screen cell, the active and marked points, the ring and the caption.
#include <algorithm>
#include <optional>

#include <QKeySequence>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include "point_looks.h"
#include "scene/flat_numbering.h"
#include "scene_view.h"
#include "studio_words.h"

namespace studio {

namespace {

using role = scene_point::role;
using host::point_role;

QColor const background(250, 250, 247);
QColor const curve_colour(40, 70, 150);
QColor const handle_colour(150, 150, 150);
QColor const point_colour(30, 30, 30);
QColor const joint_colour(160, 90, 20);
QColor const camera_colour(20, 130, 90);
QColor const active_colour(220, 40, 40);
QColor const mark_colour(230, 150, 0);
QColor const grab_colour(30, 120, 230);

}  // namespace

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
            if (previous && seen.intersects(screen_bounds({previous->at, previous->handles[1], handles[0], at}))) {
                QPainterPath segment(previous->at);
                segment.cubicTo(previous->handles[1], handles[0], at);
                painter.setPen(QPen(curve_colour, curve_width));
                painter.drawPath(segment);
            }
            if (seen.intersects(screen_bounds({at, handles[0], handles[1], handles[2], handles[3]}))) {
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

}  // namespace studio
