// "App.": writes the values the rows show back into the shown point.
#include "busy_guard.h"
#include "module_state.h"
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
    // A shape the host has locked is never written, whatever the buttons showed.
    if (!Shape.may_write(p_index)) return;
    undo_step undo(Shape, undo_setting);
    bool world = !local;
    // The shape may be let go by a deletion notification from inside a write.
    shape_class* bound = Shape.shape;
    auto still_shown = [&] { return Shape.shape == bound && bound != nullptr; };

    if (Shape.is_surface_point(p_index)) {
        int in_out_mode = rows[in_row]->mode();
        int l_mode = rows[l_in_row]->mode();
        bool linked = is_length_mode(in_out_mode) ||
                      get_check_box_int_value(*rows[out_row]->link->typed_handle) != 0;
        bool l_linked = is_length_mode(l_mode) ||
                        get_check_box_int_value(*rows[l_out_row]->link->typed_handle) != 0;
        Surface_point point;
        point.l_out_handle = rows[l_out_row]->get_value();
        point.l_in_handle = rows[l_in_row]->get_value();
        point.out_handle = rows[out_row]->get_value();
        point.in_handle = rows[in_row]->get_value();
        point.anchor = rows[anchor_row]->get_value();
        point.linked = linked;
        point.l_linked = l_linked;
        if (is_relative(in_out_mode)) {
            point.in_handle = add(point.in_handle, point.anchor);
            point.out_handle = add(point.out_handle, point.anchor);
        }
        if (is_relative(l_mode)) {
            point.l_in_handle = add(point.l_in_handle, point.anchor);
            point.l_out_handle = add(point.l_out_handle, point.anchor);
        }
        if (is_finite(point) && still_shown()) Shape.set_surface_point(p_index, point, world);
    } else if (Shape.has_variable_points()) {
        if (p_index >= 0) {
            vec3 value = rows[anchor_row]->get_value();
            if (is_finite(value) && still_shown()) Shape.set_position(p_index, value, world);
        }
    } else if (Shape.fixed_point_number != 2) {
        p_index = -1;  // the shape's only point
        vec3 value = rows[anchor_row]->get_value();
        if (is_finite(value) && still_shown()) Shape.set_position(-1, value, world);
    } else {
        vec3 first = rows[anchor_row]->get_value();
        vec3 second = rows[in_row]->get_value();
        if (is_relative(rows[in_row]->mode())) second = add(second, first);
        if (is_finite(first) && still_shown()) Shape.set_position(0, first, world);
        if (is_finite(second) && still_shown()) Shape.set_position(1, second, world);
    }
    undo.close();
}
