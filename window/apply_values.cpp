// "App.": writes the values the rows show back into the shown point.
#include "busy_guard.h"
#include "entry/module_state.h"
#include "point_arithmetic.h"
#include "undo_step.h"
#include "vexel_window.h"

// A point whose values are not all finite (a row showing the invalid position, a typed
// "1e39" or "nan") is skipped as a whole; the other points of the click are written. The
// undo step is opened before the rows are read, so a click that writes nothing still
// leaves an (empty) step in the host, as for a line without a selected point.
void vexel_window::set() {
    busy_guard guard(busy);
    if (point_count() <= 0) return;
    undo_step undo(Shape, undo_setting);
    bool world = !local;
    // The shape may be let go by a deletion notification from inside a write.
    shape_class* bound = Shape.shape;
    auto still_shown = [&] { return Shape.shape == bound && bound != nullptr; };

    if (Shape.is_surface_point(p_index)) {
        int in_out_mode = rows[1]->mode();
        int l_mode = rows[3]->mode();
        bool linked = in_out_mode == 2 || in_out_mode == 3 ||
                      get_check_box_int_value(*rows[2]->link->typed_handle) != 0;
        bool l_linked = l_mode == 2 || l_mode == 3 ||
                        get_check_box_int_value(*rows[4]->link->typed_handle) != 0;
        Surface_point point;
        point.l_out_handle = rows[4]->get_value();
        point.l_in_handle = rows[3]->get_value();
        point.out_handle = rows[2]->get_value();
        point.in_handle = rows[1]->get_value();
        point.anchor = rows[0]->get_value();
        point.linked = linked;
        point.l_linked = l_linked;
        if (in_out_mode != 0) {
            point.in_handle = add(point.in_handle, point.anchor);
            point.out_handle = add(point.out_handle, point.anchor);
        }
        if (l_mode != 0) {
            point.l_in_handle = add(point.l_in_handle, point.anchor);
            point.l_out_handle = add(point.l_out_handle, point.anchor);
        }
        if (is_finite(point) && still_shown()) Shape.set_surface_point(p_index, point, world);
    } else if (Shape.has_variable_points()) {
        if (p_index >= 0) {
            vec3 value = rows[0]->get_value();
            if (is_finite(value) && still_shown()) Shape.set_position(p_index, value, world);
        }
    } else if (Shape.fixed_point_number != 2) {
        p_index = -1;  // the shape's only point
        vec3 value = rows[0]->get_value();
        if (is_finite(value) && still_shown()) Shape.set_position(-1, value, world);
    } else {
        vec3 first = rows[0]->get_value();
        vec3 second = rows[1]->get_value();
        if (rows[1]->mode() != 0) second = add(second, first);
        if (is_finite(first) && still_shown()) Shape.set_position(0, first, world);
        if (is_finite(second) && still_shown()) Shape.set_position(1, second, world);
    }
    undo.close();
}
