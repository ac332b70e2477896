// "Snap": moves the whole shown shape so that its shown point lands on row 0's position.
#include "busy_guard.h"
#include "counted_ref.h"
#include "module_state.h"
#include "point_arithmetic.h"
#include "scene_bracket.h"
#include "undo_step.h"
#include "vexel_window.h"

void vexel_window::snap() {
    busy_guard guard(busy);
    if (point_count() <= 0) return;
    // Snap moves the shown shape as a whole: its own lock is the one that counts.
    if (!Shape.may_write(-1)) return;
    vec3 target = rows[anchor_row]->get_value();
    int index = Shape.has_variable_points() ? p_index : 0;
    vec3 current = Shape.get_position(index, false);
    if (Shape.object_type == surface_part) {
        // The point sits in one of the part's lines, which may be rotated or scaled, but the
        // part is what moves: both positions go into the part's own frame through world
        // coordinates, so that the point lands where it was typed.
        mat4 point_to_world = Shape.world_matrix(p_index);
        mat4 world_to_part = Shape.get_local(*Shape.shape);
        if (local) target = target * point_to_world;
        target = target * world_to_part;
        current = current * point_to_world * world_to_part;
    } else if (!local) {
        target = target * Shape.local_matrix(p_index);
    }
    vec3 move = subtract(target, current);
    // Exactly zero: nothing to move, and no undo step. There is no tolerance.
    if (move.x == 0.0f && move.y == 0.0f && move.z == 0.0f) return;
    // A position that could not be read (or a typed "nan") gives no usable displacement;
    // such a translation must never reach the shape.
    if (!is_finite(move)) return;

    counted_ref<scene_interface> scene(xtessel->get_scene_interface());
    if (!scene) return;
    shape_class* bound = Shape.shape;
    // Fixed nesting: the undo step encloses the update bracket's contents and closes
    // before it; refresh comes after end_update. A failed move closes them in the same
    // order.
    undo_step undo(Shape, undo_setting);
    scene_bracket update(scene.get(), &scene_interface::begin_update, &scene_interface::end_update);
    scene_bracket state(scene.get(), &scene_interface::suspend_state_flag,
                        &scene_interface::resume_state_flag, state_flag_mirror);
    try {
        if (Shape.shape == bound && bound != nullptr) bound->apply_transformation(translation(move));
    } catch (...) {
        state.close();
        undo.close();
        update.close();
        throw;
    }
    state.close();
    undo.close();
    update.close();
    scene->refresh();
}
