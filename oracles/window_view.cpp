#include "window_view.h"

#include "typed_number.h"
#include "window_controls.h"

namespace oracles {

namespace controls = script::vexel_controls;

namespace {

int mode_of(std::string const& label) {
    char const* const labels[4] = {"Abs.", "Rel.", "I b.", "O b."};
    for (int m = 0; m < 4; ++m)
        if (label == labels[m]) return m;
    return -1;
}

}  // namespace

window_view read_window(host::window_state const& state) {
    window_view v{};
    auto const& c = state.controls;
    if (c.size() < static_cast<std::size_t>(controls::count)) return v;
    for (int row = 0; row < 5; ++row) {
        for (int axis = 0; axis < 3; ++axis) {
            host::control_state const& box = c[controls::box(row, axis)];
            box_view& b = v.rows[row].box[axis];
            b.number_box = box.kind == host::control_kind::number;
            b.text = box.text;
            b.number = b.number_box ? static_cast<float>(box.value.value_or(0)) : read_typed(box.text);
            b.shown = box.shown;
        }
        host::control_state const& extra = c[controls::extra(row)];
        v.modes[row] = row == 1 || row == 3 ? mode_of(extra.text) : 0;
        v.links[row] = (row == 2 || row == 4) && extra.value.value_or(0) != 0;
    }
    v.local = c[controls::extra(0)].text == "Loc.";
    v.title = state.title;
    v.point_number = c[controls::point_number].text;
    v.client_height = state.client.y;
    v.shown = state.shown;
    v.app = c[controls::app].enabled;
    v.snap = c[controls::snap].enabled;
    v.save = c[controls::save].enabled;
    v.load = c[controls::load].enabled;
    return v;
}

std::string row_name(int row) { return "row " + std::to_string(row); }

std::string box_name(int row, int axis) { return row_name(row) + " " + static_cast<char>('x' + axis); }

}  // namespace oracles
