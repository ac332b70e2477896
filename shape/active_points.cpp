// The first active (selected) point of the wrapped shape.
#include "array.h"
#include "shape_class.h"

int Shape_class::first_active_point() const {
    // A Simple part has no variable points of its own but its contents may be selected.
    if (!has_variable_points() && object_type != simple_part) return -1;
    int n = shape->get_active_points(nullptr, 0);
    if (n <= 0) return -1;
    Array<int> points(static_cast<unsigned>(n));
    // The selection may have shrunk between the two calls: element 0 is only filled
    // when the host still reports at least one point.
    if (shape->get_active_points(points.data, n) <= 0) return -1;
    return points.data[0];
}
