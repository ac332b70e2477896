// What "Snap" must do: move the shown shape as one piece, by a translation in its own frame,
// so that the shown point lands on row 0 (in "Glo." the world position typed; in "Loc."
// the typed position in the point's own frame, as it was placed before the move); change
// no stored coordinate and no other shape. A skinned element keeps its place. When row 0
// still shows the point as a refresh showed it, the point moves by no more than the round
// trip through the row.
#pragma once

#include <string>
#include <vector>

#include "reference_points.h"
#include "scene_state.h"
#include "window_view.h"

namespace oracles {

struct snap_expectation {
    host::shape_node* shape = nullptr;  // the shape that may move; null: nothing may
    int index = -1;
    bool check = false;    // whether the landing place is known
    dvec3 world{0, 0, 0};  // where the point must be after the move
    double bound = 0;
    bool untouched = false;  // the landing place is the point's own place
};

snap_expectation expect_snap(host::shape_node* shape, int index, window_view const& rows, double unit,
                             bool rows_current);

std::vector<std::string> check_snap(snap_expectation const& expected, scene_state const& before,
                                    scene_state const& after, std::string const& context);

}  // namespace oracles
