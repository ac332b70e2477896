// The first active (selected) point of the wrapped shape.
#include "shape_class.h"

int Shape_class::first_active_point() const {
    // A Simple part has no variable points of its own but its contents may be selected.
    if (!has_variable_points() && object_type != simple_part) return -1;
    // Only the first entry is needed: one call with room for one, whatever the size of the
    // selection (the idle tick asks this on every tick).
    int first = -1;
    if (shape->get_active_points(&first, 1) <= 0) return -1;
    return first;
}
