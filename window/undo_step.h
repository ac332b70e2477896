// One undo step around the writes of one "App." or "Snap": opened on the shown shape
// (start_undo) when the undo setting is on, and closed (end_undo) on every path, so a host
// exception never leaves an undo record open.
#pragma once

#include "host_scene.h"
#include "shape_class.h"

class undo_step {
public:
    // Opens the step on shown when enabled. If start_undo throws, nothing is open and the
    // exception passes on (the caller then writes nothing).
    undo_step(Shape_class& shown, bool enabled);
    ~undo_step() { close(); }
    undo_step(undo_step const&) = delete;
    undo_step& operator=(undo_step const&) = delete;

    // Closes the step now; never throws.
    void close();

    // The shape under an open step is being deleted (the host tells us before it frees
    // it): take what closing needs from it while it still exists.
    static void shape_leaving(shape_class const* shape);

private:
    void close_on_scene();

    Shape_class bracket;               // the wrapper as start_undo left it
    scene_interface* scene;            // counted; set only when the shape left
    bool open;
    bool abandoned;                    // the shape left and its scene could not be taken
    static undo_step* current;         // the step open now, if any
};
