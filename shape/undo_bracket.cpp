// Host undo records around the writes of one user action. The record names one shape: the
// surface part that owns the wrapped line, so that undo restores the whole surface, or
// else the wrapped shape itself.
#include "counted_ref.h"
#include "host_scene.h"
#include "shape_class.h"

namespace {

// flag_a is the negation of the bracket's argument; flag_b says a surface part is named.
void undo_record(Shape_class& wrapper, bool opening) {
    counted_ref<scene_interface> scene(wrapper.shape->get_scene());
    bool on_surface = wrapper.surface_dad != nullptr;
    shape_class* const shapes[1] = {on_surface ? wrapper.surface_dad : wrapper.shape};
    if (opening) {
        scene->begin_undo_record(1, shapes, !wrapper.undo_flag, on_surface, 0);
    } else {
        scene->end_undo_record(1, shapes, !wrapper.undo_flag, on_surface, 0);
        scene->commit_undo();
    }
}

}  // namespace

void Shape_class::start_undo(bool b) {
    undo_flag = b;
    surface_dad = get_surface_dad();
    if (shape != nullptr) undo_record(*this, true);
}

// Closes with what start_undo captured; nothing is recomputed.
void Shape_class::end_undo() {
    if (shape != nullptr) undo_record(*this, false);
}
