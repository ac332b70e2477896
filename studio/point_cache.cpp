// The scene view's cache of the scene's points in world coordinates, made again only when
// shapes or points came or went, brought up to date in place when only places changed.
#include <algorithm>
#include <cstring>

#include "point_looks.h"
#include "scene_view.h"

namespace studio {

using host::point_role;

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
                    area |= screen_bounds({to_screen(e.world), to_screen(world)});
                    e.world = world;
                    changed.push_back(static_cast<int>(d.first + k));
                }
            }
            ++k;
        });
        if (k != d.count) return false;  // points added or removed: made again
        // A line's curve bends with any of its points: its whole extent is drawn again.
        if (changed.size() > before && d.node->object_kind() == kind_line)
            for (std::size_t j = 0; j < d.count; ++j) area |= screen_bounds({to_screen(cache[d.first + j].world)});
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
        dirty |= screen_bounds({to_screen(e.world), to_screen(now[k])});
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

}  // namespace studio
