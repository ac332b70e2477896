// What "App." must write into the shown point, in two readings of the window's promise.
//
// A typed value lands: the rows are read as the window reads them (a text through the
// reference reading of typed_number.h, a number box's value), divided by the unit, handles
// in a relative mode added to the anchor, a length row turned into a handle opposite its
// partner row at that length, all taken from the shown frame into the point's; a point
// with a value that is not finite is not written. The linked flag of a pair follows its
// link box, or is set in a length mode.
//
// An untouched "App." changes nothing: while the rows hold the shown point as a refresh
// showed it, every position stays where it is, up to the round trip through the rows
// (shown_frame.h), except what a length mode means: the handle shown only as a length goes
// opposite its partner at its own length (if the partner shows no direction it keeps its
// own), and its pair's linked flag is set.
#pragma once

#include "point_expectation.h"
#include "window_view.h"

namespace oracles {

point_expectation expect_typed_apply(host::shape_node* shape, int index, window_view const& rows, double unit);
point_expectation expect_untouched_apply(host::shape_node* shape, int index, window_view const& rows,
                                         double unit);

}  // namespace oracles
