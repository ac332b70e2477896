#include "shown_frame.h"

namespace oracles {

shown_frame shown_frame::of(bool world, host::dmat4 const& m) {
    shown_frame f;
    f.world = world;
    f.to_world = m;
    f.to_local = inverse(m);
    return f;
}

double shown_frame::shown_magnitude(double m) const {
    return world ? m * gain(to_world) + shift(to_world) : m;
}

double shown_frame::display_bound(double local_magnitude, double unit) const {
    return text_step + unit * rounding_count * single_eps * shown_magnitude(local_magnitude);
}

double shown_frame::read_bound(double local_magnitude, double unit) const {
    return text_step / unit + rounding_count * single_eps * shown_magnitude(local_magnitude);
}

double shown_frame::stored_bound(double local_magnitude, double unit) const {
    double shown = read_bound(local_magnitude, unit);
    if (!world) return shown;
    double w = shown_magnitude(local_magnitude);
    return gain(to_local) * shown +
           rounding_count * single_eps * (w * gain(to_local) + shift(to_local) + local_magnitude);
}

bool uncertain(double displayed_magnitude) { return displayed_magnitude > 1e37; }

bool uncertain_length(double displayed_magnitude) { return displayed_magnitude > 1e18; }

}  // namespace oracles
