// Surface points: a control point with its four handles and two link flags as one value,
// read and written in the control point's local frame or in world coordinates.
#include "surface_point.h"

#include "host_shape.h"
#include "point_arithmetic.h"
#include "required_view.h"
#include "shape_class.h"

void Surface_point::get(control_point_class& point) {
    anchor = point.get_point_position();
    in_handle = point.get_in_handle();
    out_handle = point.get_out_handle();
    l_in_handle = point.get_l_in_handle();
    l_out_handle = point.get_l_out_handle();
    linked = point.get_linked();
    l_linked = point.get_l_linked();
}

void Surface_point::set(control_point_class& point) const {
    point.set_point_position(anchor);
    point.set_in_handle(in_handle);
    point.set_out_handle(out_handle);
    point.set_l_in_handle(l_in_handle);
    point.set_l_out_handle(l_out_handle);
    point.set_linked(linked);
    point.set_l_linked(l_linked);
}

Surface_point Surface_point::operator*(mat4 const& m) const {
    Surface_point result = *this;
    result *= m;
    return result;
}

Surface_point& Surface_point::operator*=(mat4 const& m) {
    // Handles are absolute positions, so each converts as a point.
    anchor = anchor * m;
    in_handle = in_handle * m;
    out_handle = out_handle * m;
    l_in_handle = l_in_handle * m;
    l_out_handle = l_out_handle * m;
    return *this;
}

bool is_finite(Surface_point const& p) {
    return is_finite(p.anchor) && is_finite(p.in_handle) && is_finite(p.out_handle) &&
           is_finite(p.l_in_handle) && is_finite(p.l_out_handle);
}

namespace {

// The control point behind index and the shape whose frame it uses, or null.
struct located_point {
    control_point_class* point = nullptr;
    shape_class* holder = nullptr;
};

located_point locate(Shape_class const& wrapper, int index) {
    located_point found;
    if (wrapper.object_type == line_shape) {
        found.holder = wrapper.shape;
        found.point = &require(found.holder->control_point_at(index));
        return found;
    }
    // Inside a part: one walk finds the line and the index within it, which also gives
    // the frame.
    int inner = index;
    found.holder = wrapper.substance_shape(&inner);
    if (found.holder != nullptr) found.point = &require(found.holder->control_point_at(inner));
    return found;
}

}  // namespace

bool Shape_class::is_surface_point(int index) {
    if (index < 0) return false;
    if (object_type != simple_part) return object_type == surface_part || object_type == line_shape;
    try {
        shape_class* holder = substance_shape(&index);
        // Only a shape with control points answers; the others throw.
        return holder != nullptr && holder->control_point_at(index) != nullptr;
    } catch (...) {
        return false;
    }
}

bool Shape_class::get_surface_point(int index, Surface_point& out, bool world) {
    if (shape == nullptr) return false;
    try {
        located_point at = locate(*this, index);
        if (at.point == nullptr) return false;
        out.get(*at.point);
        if (world) out *= get_world(require(at.holder), *at.point);
        return true;
    } catch (...) {
        return false;
    }
}

bool Shape_class::set_surface_point(int index, Surface_point const& value, bool world) {
    if (shape == nullptr) return false;
    try {
        located_point at = locate(*this, index);
        if (at.point == nullptr) return false;
        Surface_point written = world ? value * get_local(require(at.holder), *at.point) : value;
        // Nothing of a point with a NaN or infinite position reaches the host.
        if (!is_finite(written)) return false;
        written.set(*at.point);
        return true;
    } catch (...) {
        return false;
    }
}
