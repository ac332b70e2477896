// Showing the selection: which shape and point the window shows, the layout for its
// object type, and the values in the rows.
#include <string>

#include <boost/format.hpp>

#include "busy_guard.h"
#include "counted_ref.h"
#include "module_state.h"
#include "scene_bracket.h"
#include "point_arithmetic.h"
#include "vexel_window.h"

// Points of the shown shape: the host's count for a shape with a list of points, else the
// type's fixed count. No shape has none.
int vexel_window::point_count() {
    if (Shape.shape == nullptr) return 0;
    return Shape.variable_points ? Shape.shape->point_count() : Shape.fixed_point_number;
}

void vexel_window::set_shape_and_window(scene_interface* scene) {
    if (scene == nullptr) return;
    tq::point_class at = get_frame_position(nullptr);
    if (at.x <= 0 || at.y <= 0) set_frame_position(tq::point_class{300, 30}, nullptr);

    Shape.shape = scene->get_active_shape();
    Shape.set_object_type();
    p_index = Shape.first_active_point();

    // With no active shape the window shows the top bar only, with an empty title, like a
    // shape whose type has no point to show.
    int height = top_bar_only;
    // Only a control point has handles to show as a length; on every other type a
    // leftover "I b." or "O b." would hide boxes and make "App." read the hidden rows.
    if (Shape.object_type != surface_part && Shape.object_type != line_shape) {
        rows[in_row]->drop_length_mode();
        rows[l_in_row]->drop_length_mode();
    }
    switch (Shape.object_type) {
    case surface_part:
    case line_shape:
        view_point_number(p_index);
        if (p_index < 0) {
            renew_top_button(false);
        } else {
            renew_top_button(true);
            rows[anchor_row]->set_title("Anchor");
            rows[in_row]->set_title("In    ");
            rows[in_row]->re_mode();
            rows[l_in_row]->re_mode();
            height = five_rows;
        }
        break;
    case polygon_mesh:
        view_point_number(p_index);
        if (p_index < 0) {
            renew_top_button(false);
        } else {
            renew_top_button(true);
            rows[anchor_row]->set_title("Vertex");
            height = one_row;
        }
        break;
    case rotator_joint:
    case slider_joint:
    case scale_joint:
        view_point_number(-2);
        renew_top_button(true);
        rows[anchor_row]->set_title("1st p.");
        rows[in_row]->set_title("End p.");
        height = two_rows;
        break;
    case camera_joint:
        view_point_number(-2);
        renew_top_button(true);
        rows[anchor_row]->set_title("Eye p.");
        rows[in_row]->set_title("Target");
        height = two_rows;
        break;
    case uniscale_joint:
    case ball_joint:
        view_point_number(-2);
        renew_top_button(true);
        rows[anchor_row]->set_title("Pivot");
        height = one_row;
        break;
    case light_shape:
    case sphere_shape:
    case disk_shape:
        view_point_number(-2);
        renew_top_button(true);
        rows[anchor_row]->set_title("Center");
        height = one_row;
        break;
    default:
        view_point_number(-2);
        renew_top_button(false);
        break;
    }

    pop_changed(memory->chosen_holds_shape());

    std::string title = Shape.object_type >= 0 ? Shape.get_type_name(true) : "";
    if (Shape.shape != nullptr) {
        char const* name = Shape.shape->get_name();
        title += "[";
        title += name != nullptr ? name : "";
        title += "]";
    }
    set_title(title.c_str());

    // The window is resized by the next idle tick, not here.
    if (height != layout.y) {
        layout.y = height;
        resize_pending = true;
    }
}

void vexel_window::get_(scene_interface*) {
    if (point_count() <= 0) return;
    // A deletion notification may let go of the shape while the rows are being filled
    // (the host can call back from inside a read); stop touching it then.
    shape_class* bound = Shape.shape;
    bool world = !local;

    if (Shape.has_variable_points()) {
        // A control point's anchor comes with its handles: one read fills all five rows.
        if (!Shape.is_surface_point(p_index)) {
            if (p_index >= 0) rows[anchor_row]->set_value(Shape.get_position(p_index, world));
            return;
        }
        Surface_point point;
        if (!Shape.get_surface_point(p_index, point, world)) {
            // An unreadable control point shows the invalid position in every row rather
            // than the values of another point, which "App." would write into this one.
            vec3 invalid = invalid_position();
            for (one_data* row : rows) row->set_value(invalid);
            return;
        }
        show_surface_point(point);
        return;
    }

    p_index = 0;
    if (Shape.fixed_point_number == 2) {
        vec3 first = Shape.get_position(0, world);
        if (Shape.shape != bound) return;
        vec3 second = Shape.get_position(1, world);
        if (Shape.shape != bound) return;
        if (is_relative(rows[in_row]->mode())) second = subtract(second, first);
        rows[anchor_row]->set_value(first);
        rows[in_row]->set_value(second);
    } else {
        vec3 only = Shape.get_position(-1, world);
        if (Shape.shape != bound) return;
        rows[anchor_row]->set_value(only);
    }
}

void vexel_window::get_with_rewindow(scene_interface* scene) {
    if (scene == nullptr) return;
    retry_unit_read(*scene);
    busy_guard guard(busy);
    scene_bracket update(scene, &scene_interface::begin_update, &scene_interface::end_update);
    set_shape_and_window(scene);
    get_(scene);
    update.close();
}

void vexel_window::view_point_number(int n) {
    // Every refresh lays the window out again: the text is formatted and sent only when
    // the number it shows changes.
    if (n != shown_point_number) {
        std::string text;
        if (n >= 0)
            text = (boost::format("%7i") % n).str();
        else if (n == -1)
            text = "un sel.";
        else
            text = "       ";
        set_title(*point_number->control, text.c_str());
        shown_point_number = n;
    }
    invalidate(nullptr);
}

// A value refresh after a row button: the current scene (possibly none) is taken for the
// call and released on every path.
void vexel_window::refresh_values() {
    counted_ref<scene_interface> scene(xtessel->get_scene_interface());
    busy_guard guard(busy);
    get_(scene.get());
}

// Anchor and handles into rows 0-4 (handles relative to the anchor where the row pair's
// mode asks for it), then the two link flags.
void vexel_window::show_surface_point(Surface_point point) {
    if (is_relative(rows[in_row]->mode())) {
        point.in_handle = subtract(point.in_handle, point.anchor);
        point.out_handle = subtract(point.out_handle, point.anchor);
    }
    if (is_relative(rows[l_in_row]->mode())) {
        point.l_in_handle = subtract(point.l_in_handle, point.anchor);
        point.l_out_handle = subtract(point.l_out_handle, point.anchor);
    }
    rows[anchor_row]->set_value(point.anchor);
    rows[in_row]->set_value(point.in_handle);
    rows[out_row]->set_value(point.out_handle);
    rows[l_in_row]->set_value(point.l_in_handle);
    rows[l_out_row]->set_value(point.l_out_handle);
    rows[out_row]->set_handle(point.linked);
    rows[l_out_row]->set_handle(point.l_linked);
}
