// Helpers for the oracles' tests: scenes from JSON text and the window's rows as a user sees
// them, filled by hand.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "scene_files/scene_file.h"
#include "reference_points.h"
#include "window_view.h"

namespace oracles_test {

inline std::unique_ptr<host::scene_model> scene_of(std::string const& json) {
    return host::load_scene_text(json, "test.json");
}

// A window with every box shown and empty, in the frame and modes given.
inline oracles::window_view rows(bool local, int in_out_mode = 1, int l_mode = 1) {
    oracles::window_view v{};
    for (auto& row : v.rows)
        for (auto& box : row.box) box = {false, "", 0.0f, true};
    v.local = local;
    v.modes[1] = in_out_mode;
    v.modes[3] = l_mode;
    v.shown = true;
    v.app = v.snap = v.save = true;
    return v;
}

// Row row showing the displayed values as the window writes them ("%9f").
inline void show(oracles::window_view& v, int row, oracles::dvec3 const& shown) {
    double values[3] = {shown.x, shown.y, shown.z};
    for (int axis = 0; axis < 3; ++axis) {
        char text[64];
        std::snprintf(text, sizeof text, "%9f", values[axis]);
        v.rows[row].box[axis].text = text;
        v.rows[row].box[axis].number = static_cast<float>(values[axis]);
    }
}

// Row row showing only a length in its x box.
inline void show_length(oracles::window_view& v, int row, double length) {
    show(v, row, {length, 0, 0});
    v.rows[row].box[1].shown = v.rows[row].box[2].shown = false;
}

inline void type(oracles::window_view& v, int row, int axis, std::string const& text, float reads) {
    v.rows[row].box[axis].text = text;
    v.rows[row].box[axis].number = reads;
}

}  // namespace oracles_test
