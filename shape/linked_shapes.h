// Shapes the host links to a joint or single-point shape through its joint and skin
// extension windows; they follow when the shape's point 0 moves.
#pragma once

#include "shape_class.h"

// Moves every linked shape of wrapper by the displacement that takes point 0 from where it
// is now (local frame) to new_point0. A part in the skin list stays where it is and its
// direct children move instead. Returns false, having moved nothing, when the
// displacement is not finite (point 0 unreadable). Host exceptions propagate; shapes
// already moved stay moved.
bool drag_linked_shapes(Shape_class& wrapper, vec3 const& new_point0);
