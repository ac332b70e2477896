// The ten memory slots: "Save" stores the shown point, "Load" brings a stored point back
// into the rows, and with marking on the chosen slot's point is marked on its shape.
#include <climits>

#include "busy_guard.h"
#include "module_state.h"
#include "host_boundary.h"
#include "vexel_window.h"
#include "whole_click.h"

namespace {

// The index a mark request points at. It lives as long as the module, so the marking
// record never keeps a pointer to storage that is gone once the request has returned.
int marked_point = 0;

int const no_slot = -1;

bool is_part_of_kind(shape_class& shape, int part_kind) {
    if (shape.get_object_kind() != kind_part) return false;
    part_class* part = shape.as_part();
    return part != nullptr && part->get_part_kind() == part_kind;
}

}  // namespace

vexel_window::pop::pop(vexel_window& window, int x)
    : popup_menu_class(window, 0, x, 0, "", 32, "0|1|2|3|4|5|6|7|8|9"), owner(&window), chosen(0) {
    empty_all();
    window.set_popup_int_value(*typed_handle, 0);
}

void vexel_window::pop::empty_all() {
    for (memory_slot& slot : slots) slot = memory_slot{nullptr, nullptr, -1};
}

bool vexel_window::pop::forget(shape_class const* shape) {
    bool chosen_emptied = false;
    for (int i = 0; i < 10; ++i) {
        if (slots[i].shape != shape && slots[i].line != shape) continue;
        slots[i].shape = nullptr;  // the index stays
        if (i == chosen) {
            chosen = no_slot;
            chosen_emptied = true;
        }
    }
    return chosen_emptied;
}

void vexel_window::pop::clicked(int, void*) {
    if (!owner->built) return;
    int const was = chosen;
    at_host_boundary([&] {
        take_effect_whole(
            [&] {
                clear_current_mark();
                int value = window->get_popup_int_value(*typed_handle);
                // Only a slot that exists can be chosen, whatever the host reports.
                chosen = value >= 0 && value < 10 ? value : no_slot;
            },
            [&] {
                // The pop-up shows the slot that stays chosen.
                chosen = was;
                if (was != no_slot) window->set_popup_int_value(*typed_handle, was);
            },
            [&] {
                mark_current();
                owner->pop_changed(chosen_holds_shape());
            });
    });
}

void vexel_window::pop::memory(Shape_class& wrapper, int index) {
    clear_current_mark();
    memory_slot stored{wrapper.shape, nullptr, index};
    if (shape_class* dad = wrapper.get_surface_dad()) stored = memory_slot{dad, wrapper.shape, index};
    // Everything was asked before the slot changes: a failed host call leaves it as it was.
    slots[chosen] = stored;
    mark_current();
}

int vexel_window::pop::get_real_index() {
    if (!chosen_holds_shape()) return -1;
    memory_slot const& slot = slots[chosen];
    if (slot.line == nullptr) return slot.index;
    // Worked out at every use: the points before the line may have changed since "Save".
    long long real = flat_index_of(*slot.shape, *slot.line, slot.index);
    return real >= 0 && real <= INT_MAX ? static_cast<int>(real) : -1;
}

void vexel_window::pop::mark_current() {
    if (!chosen_holds_shape() || !mark_mode) return;
    shape_class& shape = *slots[chosen].shape;
    if (is_part_of_kind(shape, part_camera)) return;  // a camera joint is never marked
    int index = get_real_index();
    if (index < 0) return;
    marked_point = index;
    mark.mark(shape, mark_elements::points, 1, &marked_point, false);
}

void vexel_window::pop::clear_current_mark() {
    if (!chosen_holds_shape() || !mark_mode) return;
    shape_class& shape = *slots[chosen].shape;
    if (is_part_of_kind(shape, part_camera)) return;
    mark.clear(shape, mark_elements::points);
}

void vexel_window::mem(int) {
    busy_guard guard(busy);
    if (Shape.shape == nullptr) return;  // nothing shown (or the shown shape was deleted)
    if (Shape.has_variable_points() && p_index == -1) return;
    // After the chosen slot's shape was deleted no slot is chosen; "Save" then stores into
    // the slot the pop-up shows, which becomes the chosen one again.
    if (memory->chosen < 0) {
        int value = get_popup_int_value(*memory->typed_handle);
        if (value < 0 || value >= 10) return;
        memory->chosen = value;
    }
    memory->memory(Shape, p_index < 0 ? 0 : p_index);
    pop_changed(true);
}

// A stored point that cannot be read (a failed host call, a surface part without lines,
// an index that names no point) leaves the rows as they were: "Load" never changes the
// scene, so loading nothing is the safe outcome.
void vexel_window::load(int action) {
    busy_guard guard(busy);
    if (!memory->chosen_holds_shape()) return;
    Shape_class stored(memory->slots[memory->chosen].shape);
    int index = memory->get_real_index();
    if (index < 0) return;
    bool world = !local;
    if (stored.is_surface_point(index) && Shape.is_surface_point(p_index)) {
        if (p_index < 0) return;
        Surface_point point;
        if (!stored.get_surface_point(index, point, world)) return;
        show_surface_point(point);
        return;
    }
    vec3 position = stored.get_position(index, world);
    if (is_invalid_position(position)) return;
    bool second_point = !Shape.has_variable_points() && Shape.fixed_point_number == 2 && (action & 2);
    rows[second_point ? 1 : 0]->set_value(position);
}
