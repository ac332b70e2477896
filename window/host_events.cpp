// How the window follows the host: notifications and the idle tick, which polls for what
// no notification reports (the active control point, the state flag, visibility).
#include "busy_guard.h"
#include "camera_session.h"
#include "counted_ref.h"
#include "module_state.h"
#include "host_boundary.h"
#include "undo_step.h"
#include "vexel_window.h"

void vexel_window::active_scene_changed(bool& flag, scene_interface* scene, void*) {
    flag = false;
    if (scene == nullptr || !built) return;
    // The slots and the shown shape belong to the previous scene, which the host may free
    // without telling us shape by shape: let go of them first, even if reading the new
    // scene fails, so that no later "App.", "Snap" or refresh touches a freed shape.
    memory->empty_all();
    if (Shape.shape != nullptr) let_go_of_shape();
    ready = at_host_boundary([&] { unit_factor = scene->get_figure_unit_factor(); });
    unit_unread = !ready;
    at_host_boundary([&] { pop_changed(false); });
}

// A figure unit that could not be read (at an announcement, which then leaves the window
// waiting, or at a change of unit) is read again by the next full refresh
// (get_with_rewindow: a selection, "Ref.", the window shown again), so that one failed
// host call does not leave the window deaf to the scene, or showing the values in a unit
// that is no longer the scene's, until the next announcement or change.
void vexel_window::retry_unit_read(scene_interface& scene) {
    if (!unit_unread) return;
    bool read = at_host_boundary([&] { unit_factor = scene.get_figure_unit_factor(); });
    unit_unread = !read;
    ready = ready || read;
}

void vexel_window::active_shapes_changed(bool& flag, scene_interface* scene, int,
                                         shape_class* const*, int new_count,
                                         shape_class* const*, void*) {
    flag = false;
    if (busy || new_count < 1) return;
    // A window still waiting for its unit becomes ready here; otherwise the full refresh
    // reads a unit that could not be read.
    if (!ready && scene != nullptr) retry_unit_read(*scene);
    if (!ready) return;
    at_host_boundary([&] {
        if (is_shown()) get_with_rewindow(scene);
    });
}

void vexel_window::shapes_modified(bool& flag, scene_interface* scene, int, shape_class* const*,
                                   void*) {
    flag = false;
    if (!ready || busy) return;
    at_host_boundary([&] {
        if (!is_shown()) return;
        p_index = Shape.first_active_point();
        busy_guard guard(busy);
        get_(scene);
        // The host reports a lock (or its end) as a modification: the buttons that write
        // show it at once, not only at the next full refresh.
        follow_lock();
    });
}

void vexel_window::current_joint_value_changed(bool& flag, scene_interface* scene, int,
                                               part_class* const*, void*) {
    flag = false;
    if (busy || !ready) return;
    at_host_boundary([&] {
        if (!is_shown()) return;
        busy_guard guard(busy);
        get_(scene);
    });
}

void vexel_window::figure_unit_changed(bool& flag, scene_interface* scene, void*) {
    flag = false;
    if (busy || !ready || scene == nullptr) return;
    at_host_boundary([&] {
        unit_unread = true;
        unit_factor = scene->get_figure_unit_factor();
        unit_unread = false;
        if (!is_shown()) return;
        busy_guard guard(busy);
        get_(scene);
    });
}

namespace {

// Whether shape is outer or lies below it. A deleted line of a shown surface part (or
// anything below a shown part) renumbers the shown points, so it counts as the shown
// shape's own deletion. A parent that cannot be asked counts as a yes: letting go of a
// shape that is still there costs a refresh, keeping a stale one could write a wrong point.
bool lies_within(shape_class* shape, shape_class* outer) {
    bool within = true;
    at_host_boundary([&] {
        for (shape_class* s = shape; s != outer; s = s->get_parent()) {
            if (s == nullptr || !s->has_parent()) {
                within = false;
                return;
            }
        }
    });
    return within;
}

}  // namespace

// The bookkeeping never waits for the busy or ready flag: slots and the shown shape must
// not keep pointers to shapes the host is about to free. Only a refresh would wait, and
// deletion causes none.
void vexel_window::shapes_being_deleted(bool& flag, scene_interface*, int count,
                                        shape_class* const* shapes, void*) {
    flag = false;
    if (!built || shapes == nullptr) return;
    bool chosen_emptied = false;
    bool shown_deleted = false;
    for (int i = 0; i < count; ++i) {
        shape_class* shape = shapes[i];
        if (shape == nullptr) continue;
        if (memory->forget(shape)) chosen_emptied = true;
        if (Shape.shape != nullptr && lies_within(shape, Shape.shape)) shown_deleted = true;
        undo_step::shape_leaving(shape);
        camera_session::shape_leaving(shape);
    }
    if (shown_deleted) let_go_of_shape();
    if (chosen_emptied) at_host_boundary([&] { pop_changed(false); });
}

// The shown shape is being deleted: the window keeps the top bar only, so that no later
// "App.", "Snap" or refresh touches it.
void vexel_window::let_go_of_shape() {
    Shape.shape = nullptr;
    Shape.set_object_type();
    p_index = -1;
    if (layout.y != top_bar_only) {
        layout.y = top_bar_only;
        resize_pending = true;
    }
    at_host_boundary([&] {
        renew_top_button(false);
        view_point_number(-2);
        set_title("");
    });
}

void vexel_window::idle(void*) {
    if (busy || !ready) return;
    bool ticked = at_host_boundary([&] {
        if (resize_pending) {
            set_client_size(layout);
            resize_pending = false;
        }
        counted_ref<scene_interface> scene(xtessel->get_scene_interface());
        if (!scene) return;

        if (!shown_at_last_idle) {
            if (is_shown()) {
                shown_at_last_idle = true;
                window_actived(scene.get());
            }
            return;
        }
        shown_at_last_idle = is_shown();

        bool state = scene->get_state_flag();
        if (state == state_flag_mirror) {
            // A change of the active shape is left to active_shapes_changed: the tick
            // never rebinds the shape, it only follows the active point of the shown one.
            if (scene->get_active_shape() != Shape.shape) return;
            if (Shape.object_type != surface_part && Shape.object_type != line_shape &&
                Shape.object_type != polygon_mesh)
                return;
            int first = Shape.first_active_point();
            if (first == p_index) return;
            busy_guard guard(busy);
            // Between no point and a point the layout changes; otherwise only the values.
            if (p_index == -1 || first == -1) set_shape_and_window(scene.get());
            p_index = first;
            view_point_number(first);
            renew_top_button(p_index != -1);
            get_(scene.get());
            return;
        }
        state_flag_mirror = state;
        busy_guard guard(busy);
        get_(scene.get());
    });
    // A tick that failed may not have seen the window hidden: it counts as hidden, so the
    // next tick that finds it shown refreshes it whole rather than trust rows that missed
    // what the host changed meanwhile (an untouched "App." would write them back).
    if (!ticked) shown_at_last_idle = false;
}

void vexel_window::window_actived(scene_interface* scene) {
    tq::point_class at = get_frame_position(nullptr);
    if (at.x <= 0 || at.y <= 0) set_frame_position(tq::point_class{100, 100}, nullptr);
    get_with_rewindow(scene);
}
