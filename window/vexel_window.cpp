// The window itself: construction, the top bar and rows, button dispatch and destruction.
#include "vexel_window.h"

#include "counted_ref.h"
#include "host_boundary.h"
#include "module_state.h"
#include "placement_codes.h"

namespace {

// Rows sit 16, 14, 15 and 14 units apart: the layout heights 30, 46 and 89 end the client
// area right below rows 0, 1 and 4.
int const row_tops[5] = {16, 32, 46, 61, 75};

}  // namespace

vexel_window::vexel_window(tessel_interface& host)
    : window_interface(host),
      ready(false),
      state_flag_mirror(false),
      busy(false),
      resize_pending(false),
      layout{0, 0},
      preferences(nullptr),
      app_button(nullptr),
      snap_button(nullptr),
      save_button(nullptr),
      load_button(nullptr),
      memory(nullptr),
      point_number(nullptr),
      shown_point_number(-3),  // no n: the text starts empty
      shown_at_last_idle(false),
      top_bar_enabled(false),
      standard_number_box(false),
      undo_setting(false),
      rows{nullptr, nullptr, nullptr, nullptr, nullptr},
      built(false) {
    xtessel = &host;
    try {
        preferences = host.get_preference_store();
        read_settings();
    } catch (...) {
        counted_ref<preference_store_interface> drop(preferences);
        preferences = nullptr;
        throw;
    }
    busy = true;  // until initialize has built the window
}

vexel_window::~vexel_window() {
    counted_ref<preference_store_interface> drop(preferences);
    preferences = nullptr;
    for (one_data*& row : rows) {
        delete row;
        row = nullptr;
    }
    // The host no longer sends events to the window's controls once the window is gone.
    for (auto control = owned_controls.rbegin(); control != owned_controls.rend(); ++control)
        delete *control;
    owned_controls.clear();
}

tq::uuid_class vexel_window::get_uuid(void*) { return vexel_UUID; }

char const* vexel_window::tr(char const* key) {
    char const* text = xtessel->gettext(key);
    return text != nullptr ? text : key;
}

void vexel_window::initialize(void*) {
    // A failure leaves the window inert (busy, not built) rather than reaching the host:
    // the controls made so far stay, and nothing that needs the rest is ever run.
    bool done = at_host_boundary([&] {
        local = true;
        p_index = -1;
        // A shape bound by an earlier window of this module may be gone by now (nobody
        // told that window's successor about deletions): start with no shape.
        Shape.shape = nullptr;
        Shape.set_object_type();

        app_button = own(new button(*this, app_id, 0, 0, tr("App.")));
        snap_button = own(new button(*this, snap_id, after_previous_code, 0, tr("Snap")));
        point_number = own(new static_text_class(*this, 0, after_previous_code + 2, same_line_code, 48, 14, ""));
        button* ref_button = own(new button(*this, ref_id, after_previous_code, 0, tr("Ref.")));
        save_button = own(new button(*this, save_id, after_previous_code + 4, 0, tr("Save")));
        load_button = own(new button(*this, load_id, after_previous_code, 0, tr("Load")));

        set_active(*load_button->control, false);
        invalidate(*load_button->control);

        set_tooltip(*app_button->control, tr("Move selected point to viewed value."));
        set_tooltip(*snap_button->control,
                    tr("Move selected shape as selected point position is viewed value."));
        set_tooltip(*ref_button->control, tr("Up to date view."));
        set_tooltip(*save_button->control, tr("Memory selected point to appointed number area"));
        set_tooltip(*load_button->control, tr("Load from appinted number area to view area"));

        memory = own(new pop(*this, after_previous_code));

        for (int i = 0; i < 5; ++i)
            rows[i] = new one_data(*this, i, tq::point_class{0, row_tops[i]}, standard_number_box);
        rows[out_row]->set_title("Out   ");
        rows[l_in_row]->set_title("L in  ");
        rows[l_out_row]->set_title("L out ");

        layout = tq::point_class{rows[l_out_row]->get_width(), top_bar_only};
        set_client_size(layout);

        resize_pending = false;
        busy = false;
        shown_at_last_idle = true;
        built = true;
    });
    if (!done) return;
    // Without a marking component marking simply does nothing.
    if (!at_host_boundary([] { mark.service = xtessel->get_plugin_interface(elements_preference_uuid); }))
        mark.service = nullptr;
}

void vexel_window::exec(int id, int action) {
    switch (id) {
    case app_id:
        set();
        break;
    case snap_id:
        snap();
        break;
    case ref_id:
        if (action & settings_action) {
            mode();
        } else {
            counted_ref<scene_interface> scene(xtessel->get_scene_interface());
            if (scene) get_with_rewindow(scene.get());
        }
        break;
    case save_id:
        mem(action);
        break;
    case load_id:
        load(action);
        break;
    default:
        break;
    }
}

void vexel_window::renew_top_button(bool enable) {
    top_bar_enabled = enable;
    bool movable = enable && Shape.shape != nullptr && Shape.shape->is_modifiable();
    set_active(*app_button->control, movable);
    set_active(*snap_button->control, movable);
    set_active(*save_button->control, enable);
}

void vexel_window::pop_changed(bool loadable) {
    set_active(*load_button->control, loadable);
    invalidate(*load_button->control);
}

vexel_window::button::button(vexel_window& window, int id, int x, int y, char const* label)
    : push_button_class(window, 0, x, y, 32, 14, label), id(id), owner(&window) {}

void vexel_window::button::clicked(int action, void*) {
    if (!owner->built) return;
    at_host_boundary([&] { owner->exec(id, action); });
}
