// The frame a row shows a point in ("Loc.": the element's own frame, "Glo.": the world),
// and how far a value may move on its way through a row and back.
//
// The bound. A stored value (single precision) is taken into the shown frame (a single-
// precision matrix product), multiplied by the figure unit, written with six decimals
// ("%9f"), read back, divided by the unit and taken back into the element's frame. The text
// costs at most 0.5e-6 displayed units; every single-precision operation at most half an
// ulp of its result. With eps = 2^-24 and M the largest magnitude an operation meets (the
// value, and in the world frame also |p| * gain + shift of the matrix), a value shown is
// within 0.5e-6 + unit * K * eps * M of the exact one (displayed units), and a value read
// back is within 0.5e-6 / unit + K * eps * M in the shown frame, times the inverse matrix's
// gain, plus K * eps * (|w| * gain + shift) of that product, in the element's frame. K = 16
// covers the dozen roundings on the longest path (a relative handle: two products, a
// difference, the unit both ways, the sum with the anchor) with room to spare.
//
// Near the end of the single-precision range the plug-in's arithmetic overflows where the
// reference's does not; a value whose magnitude comes within a factor of that is
// "uncertain" and not compared.
#pragma once

#include "reference_points.h"

namespace oracles {

double const single_eps = 1.0 / 16777216.0;  // 2^-24
double const rounding_count = 16;
double const text_step = 0.5e-6;  // half the last of six decimals

struct shown_frame {
    bool world = false;
    host::dmat4 to_world = host::identity_dmat4();
    host::dmat4 to_local = host::identity_dmat4();

    // A frame for an element with local-to-world matrix m.
    static shown_frame of(bool world, host::dmat4 const& m);
    dvec3 show(dvec3 const& local) const { return world ? transform(local, to_world) : local; }
    dvec3 store(dvec3 const& shown) const { return world ? transform(shown, to_local) : shown; }
    // A handle relative to its anchor, in the shown frame.
    dvec3 relative(dvec3 const& handle, dvec3 const& anchor) const { return show(handle) - show(anchor); }

    // The largest magnitude a value of local magnitude m meets in the shown frame.
    double shown_magnitude(double m) const;
    // Bound of a shown value against the exact one, in displayed units.
    double display_bound(double local_magnitude, double unit) const;
    // Bound of a value read back from its row against the exact one, in the shown frame
    // (stored units) and in the element's frame.
    double read_bound(double local_magnitude, double unit) const;
    double stored_bound(double local_magnitude, double unit) const;
};

// Whether a displayed magnitude is close enough to the single-precision range's end that
// the plug-in may overflow where the reference does not. A length squares its components
// first, so its limit is the square root of that.
bool uncertain(double displayed_magnitude);
bool uncertain_length(double displayed_magnitude);

}  // namespace oracles
