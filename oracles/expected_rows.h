// What the rows must show for a point: the anchor, vertex, centre, pivot or first point in
// row 0; a control point's handles in rows 1 to 4, absolute ("Abs.") or minus the anchor
// (any other mode), a row that shows only a length ("I b.": row 2 or 4, "O b.": row 1 or 3)
// the length of its handle minus the anchor; a two-point joint's end point, eye or target in
// row 1, absolute or minus point 0; all in the frame row 0's button names, times the figure
// unit. Handles are shown as lengths only on a control point.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reference_points.h"
#include "shown_frame.h"
#include "window_view.h"

namespace oracles {

struct row_expectation {
    bool used = false;         // the row shows part of the point
    bool length_only = false;  // only box x, the length
    dvec3 value{0, 0, 0};      // displayed units
    double bound = 0;          // displayed units
    bool uncertain = false;    // near the end of the single-precision range: not compared
    char const* what = "";     // "anchor", "In handle", ...
};

struct expected_rows {
    row_expectation rows[5];
    int links[5] = {-1, -1, -1, -1, -1};  // rows 2 and 4: the linked flag (1, 0), -1 unknown
};

// Whether the pair of rows 1-2 (mode of row 1) or 3-4 (mode of row 3) shows row as a length.
bool shows_length(int row, int pair_mode);

// The rows for point index of shape as a refresh shows it, in the frame and modes the window
// shows now; nullopt when the point cannot be read (what the rows show then is open).
std::optional<expected_rows> rows_for_point(host::shape_node& shape, int index, window_view const& window,
                                            double unit);
// One row showing a position as it is, absolute, in the shown frame ("Load" of a point
// that is not shown with handles).
std::optional<expected_rows> row_for_position(host::shape_node& shape, int index, int row,
                                              window_view const& window, double unit);
// The rows for a control point (also one that is not shown, as "Load" puts it in the rows).
expected_rows rows_for_control_point(control_point_ref const& point, window_view const& window,
                                     double unit);

// What the window shows against what it must show, one line each: the box, what it shows,
// what was expected and the bound, with context (e.g. "after Ref., curve point 1").
std::vector<std::string> compare_rows(expected_rows const& expected, window_view const& window,
                                      std::string const& context);

}  // namespace oracles
