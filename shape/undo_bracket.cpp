// Host undo records around the writes of one user action. The record names one shape: the
// surface part that owns the wrapped line, so that undo restores the whole surface, or
// else the wrapped shape itself.
#include "counted_ref.h"
#include "host_scene.h"
#include "shape_class.h"

namespace {

// The one shape the record names, and whether it is a surface part.
shape_class* recorded_shape(Shape_class const& wrapper) {
    return wrapper.surface_dad != nullptr ? wrapper.surface_dad : wrapper.shape;
}

}  // namespace

void Shape_class::start_undo(bool b) {
    undo_flag = b;
    undo_ended = false;
    surface_dad = get_surface_dad();
    if (shape == nullptr) return;
    counted_ref<scene_interface> scene(shape->get_scene());
    shape_class* const shapes[1] = {recorded_shape(*this)};
    // flag_a is the negation of the bracket's argument; flag_b says a surface part is named.
    scene->begin_undo_record(1, shapes, !undo_flag, surface_dad != nullptr, 0);
}

// Closes with what start_undo captured; nothing is recomputed.
void Shape_class::end_undo() {
    if (shape == nullptr) return;
    counted_ref<scene_interface> scene(shape->get_scene());
    end_undo_on(*scene);
}

void Shape_class::end_undo_on(scene_interface& scene) {
    shape_class* const shapes[1] = {recorded_shape(*this)};
    // Ending a record twice is refused by the host, and the commit would never come.
    if (!undo_ended) scene.end_undo_record(1, shapes, !undo_flag, surface_dad != nullptr, 0);
    undo_ended = true;
    scene.commit_undo();
}
