// The extra controls at the right end of the rows: the frame button of row 0, the mode
// buttons of rows 1 and 3 and the "link" check boxes of rows 2 and 4.
#include "module_state.h"
#include "host_boundary.h"
#include "vexel_window.h"
#include "whole_click.h"

vexel_window::one_data::link_class::link_class(vexel_window& window, int x, int y)
    : checkbox_class(window, 0, x, y, 34, 14, "link") {}

vexel_window::one_data::local_button::local_button(one_data& row, int x, int y)
    : push_button_class(*row.window, 0, x, y, 32, 14, ""), row(&row) {
    local = true;
    show_label();
}

void vexel_window::one_data::local_button::show_label() {
    window->set_title(*control, local ? "Loc." : "Glo.");
    window->invalidate(*control);
}

void vexel_window::one_data::local_button::clicked(int, void*) {
    vexel_window& owner = *row->window;
    if (!owner.built) return;
    auto flip = [] { local = !local; };
    at_host_boundary([&] {
        take_effect_whole(flip, flip, [&] {
            show_label();
            owner.refresh_values();
        });
    });
}

vexel_window::one_data::right_button::right_button(one_data& row, int x, int y)
    : push_button_class(*row.window, 0, x, y, 32, 14, ""), mode(rel_mode), row(&row) {
    show_label();
}

void vexel_window::one_data::right_button::show_label() {
    static char const* const labels[4] = {"Abs.", "Rel.", "I b.", "O b."};
    window->set_title(*control, vexel_window::tr(labels[mode]));
    window->invalidate(*control);
}

void vexel_window::one_data::right_button::clicked(int, void*) {
    vexel_window& owner = *row->window;
    if (!owner.built) return;
    int const was = mode;
    at_host_boundary([&] {
        take_effect_whole(
            [&] {
                // Lengths opposite a handle only make sense for control points; every other
                // shape toggles between "Abs." and "Rel." (a leftover "I b." or "O b."
                // becomes "Rel.").
                if (Shape.object_type == surface_part || Shape.object_type == line_shape)
                    mode = mode == out_length_mode ? abs_mode : mode + 1;
                else
                    mode = mode == rel_mode ? abs_mode : rel_mode;
            },
            [&] { mode = was; },
            [&] {
                show_label();
                row->re_mode();
                owner.refresh_values();
            });
    });
}
