#include "saved_state.h"

#include <cstring>

namespace studio {

void saved_state::take(host::scene_model const& scene) {
    shapes.clear();
    for (host::shape_node const* s : scene.all_shapes())
        shapes.push_back({s, s->path(), s->modifiable, s->surface_direction, s->link_to, s->geometry});
    unit = scene.figure_unit();
}

bool saved_state::matches(host::scene_model const& scene) const {
    float now = scene.figure_unit();
    if (std::memcmp(&now, &unit, sizeof unit) != 0) return false;
    std::vector<host::shape_node*> all = scene.all_shapes();
    if (all.size() != shapes.size()) return false;
    for (std::size_t i = 0; i < all.size(); ++i) {
        saved_shape const& was = shapes[i];
        host::shape_node const& s = *all[i];
        if (&s != was.node || s.modifiable != was.modifiable ||
            s.surface_direction != was.surface_direction || s.link_to != was.link_to ||
            s.path() != was.path || !host::same_geometry(s.geometry, was.geometry))
            return false;
    }
    return true;
}

}  // namespace studio
