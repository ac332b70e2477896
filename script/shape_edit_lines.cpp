#include "shape_edit_lines.h"

#include "script_error.h"

namespace script {

void edit_shape(host::scene_model& scene, script_action const& a) {
    vec3 p{a.xyz[0], a.xyz[1], a.xyz[2]};
    refusing(a.word, [&] {
        switch (a.kind) {
        case action_kind::move: scene.move_point(a.path, a.number, p); break;
        case action_kind::insert_point: scene.insert_point(a.path, a.number, p); break;
        case action_kind::remove_point: scene.remove_point(a.path, a.number); break;
        case action_kind::rename: scene.rename_shape(a.path, a.value); break;
        case action_kind::modifiable: scene.set_modifiable(a.path, a.on); break;
        case action_kind::direction: scene.set_surface_direction(a.path, a.on); break;
        default: throw script_error(a.word + ": not an edit of a shape");
        }
    });
}

}  // namespace script
