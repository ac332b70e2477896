// Undo steps that close on every path, also when the shown shape is deleted meanwhile.
#include "undo_step.h"

#include "host_boundary.h"
#include "module_state.h"

undo_step* undo_step::current = nullptr;

undo_step::undo_step(Shape_class& shown, bool enabled)
    : scene(nullptr), open(false), abandoned(false) {
    if (!enabled) return;
    shown.start_undo(false);
    // start_undo filled in what end_undo needs; keep it, so that closing does not depend
    // on the global wrapper being rebound or let go while the step is open.
    bracket = shown;
    open = true;
    current = this;
}

void undo_step::close() {
    if (!open) return;
    open = false;
    if (current == this) current = nullptr;
    if (scene != nullptr) {
        close_on_scene();
    } else if (!abandoned) {
        close_bracket([&] { bracket.end_undo(); });
    }
    // A shape that left without giving its scene cannot be touched any more: the record
    // stays with the host rather than the plug-in reading freed memory.
}

// The same calls end_undo makes, on the scene taken while the shape still existed.
void undo_step::close_on_scene() {
    close_bracket([&] { bracket.end_undo_on(*scene); });
    scene_interface* held = scene;
    scene = nullptr;
    try {
        held->Release();
    } catch (...) {
    }
}

void undo_step::shape_leaving(shape_class const* shape) {
    undo_step* step = current;
    if (step == nullptr || !step->open || step->scene != nullptr) return;
    if (shape != step->bracket.shape && shape != step->bracket.surface_dad) return;
    try {
        step->scene = step->bracket.shape->get_scene();
    } catch (...) {
        step->scene = nullptr;
    }
    // The shown shape always lies in the active scene (a new scene lets it go first), so
    // when the leaving shape cannot give its scene the host's active scene is the same one.
    if (step->scene == nullptr) {
        try {
            step->scene = xtessel->get_scene_interface();
        } catch (...) {
            step->scene = nullptr;
        }
    }
    if (step->scene == nullptr) step->abandoned = true;
}
