#include "shape_edit_lines.h"

#include "scene/scene_edits.h"
#include "script_error.h"

namespace script {

void edit_shape(host::scene_model& scene, script_action const& a) {
    vec3 p{a.xyz[0], a.xyz[1], a.xyz[2]};
    refusing(a.word, [&] {
        switch (a.kind) {
        case action_kind::move: move_point(scene, a.path, a.number, p); break;
        case action_kind::insert_point: insert_point(scene, a.path, a.number, p); break;
        case action_kind::remove_point: remove_point(scene, a.path, a.number); break;
        case action_kind::rename: rename_shape(scene, a.path, a.value); break;
        case action_kind::modifiable: set_modifiable(scene, a.path, a.on); break;
        case action_kind::direction: set_surface_direction(scene, a.path, a.on); break;
        default: throw script_error(a.word + ": not an edit of a shape");
        }
    });
}

}  // namespace script
