// A control point of a line as one value: the anchor, four handles (absolute positions in
// the control point's frame) and the two link flags.
#pragma once

#include "math_values.h"

class control_point_class;

struct Surface_point {
    vec3 anchor;
    vec3 in_handle;
    vec3 out_handle;
    vec3 l_in_handle;
    vec3 l_out_handle;
    bool linked;    // In and Out tied together
    bool l_linked;  // L in and L out tied together

    // Reads all seven members from the host, in member order. May throw.
    void get(control_point_class& point);
    // Writes all seven members to the host, in member order. May throw.
    void set(control_point_class& point) const;
    // The five positions transformed as points; the flags unchanged.
    Surface_point operator*(mat4 const& m) const;
    Surface_point& operator*=(mat4 const& m);
};

// Whether all five positions are finite: a point with a NaN or infinite coordinate is
// never written.
bool is_finite(Surface_point const& p);
