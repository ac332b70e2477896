#include "services/window_snapshot.h"

#include <stdexcept>

namespace host {

window_state window_snapshot(plugin_services const& services, window_interface const& window) {
    host_window const* found = services.find_window(window);
    if (!found) throw std::invalid_argument("state: a window this host does not know");
    host_window const& model = *found;
    window_state view{model.title, model.client, model.canvas, model.frame,
                      model.shown, model.invalidations, {}};
    for (auto const& entry : model.controls) {
        host_control const& c = *entry;
        control_state s{c.kind, c.text, 0, 0, 0, 0, c.enabled, c.shown, std::nullopt,
                        c.tooltip, c.columns, c.items, c.invalidations, c.handler, c.owner};
        tq::rectangle_class r = c.place;
        if (c.child) {
            r = c.child->frame;
            s.text = c.child->text->shown();
            s.font_size = c.child->text->font_size;
            s.vertical_offset = c.child->text->vertical_offset;
            s.shown = c.child->shown;
            s.invalidations = c.child->invalidations;
        }
        s.x = r.left;
        s.y = r.top;
        s.w = r.right - r.left;
        s.h = r.bottom - r.top;
        if (c.kind == control_kind::checkbox) s.value = c.check;
        if (c.kind == control_kind::number) s.value = c.number;
        if (c.kind == control_kind::popup) s.value = c.popup_index;
        view.controls.push_back(std::move(s));
    }
    return view;
}

}  // namespace host
