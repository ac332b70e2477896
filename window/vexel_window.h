// vexel_window: the floating tool window the host creates from this plug-in. A top bar
// ("App.", "Snap", the point number, "Ref.", "Save", "Load", the memory-slot pop-up) and
// five value rows that show and take X, Y and Z of the selected point of the active shape.
//
// Every host callback the window answers (notifications, idle, control clicks, dialog
// data) catches host exceptions itself: none escapes into the host. While the plug-in
// reads or writes the scene the busy flag is set, and notifications and the idle tick
// do nothing then (the host may call back from inside the plug-in's own host calls).
#pragma once

#include <vector>

#include "edit_text_class.h"
#include "host_preferences.h"
#include "shape_class.h"
#include "windowinterface"

class vexel_window : public window_interface {
public:
    class button;
    class pop;
    class one_data;

    // The top-bar push buttons' ids, which exec dispatches on.
    enum top_button : int { app_id, snap_id, ref_id, save_id, load_id };
    // The bits of a click's action code that "Ref." looks at: with this one it opens the
    // settings dialog instead of refreshing.
    static int const settings_action = 2;
    // The five value rows, top down. A two-point type shows its first point in the anchor
    // row and its second in the In row.
    enum row_index : int { anchor_row, in_row, out_row, l_in_row, l_out_row };
    // A mode button's modes (the In and L in rows), in the order a click cycles them:
    // "Abs.", "Rel." (handles relative to the anchor), "I b." (the row below shows only a
    // length), "O b." (this row shows only a length).
    enum handle_mode : int { abs_mode, rel_mode, in_length_mode, out_length_mode };
    static bool is_relative(int mode) { return mode != abs_mode; }
    static bool is_length_mode(int mode) { return mode == in_length_mode || mode == out_length_mode; }

    // Holds the host's preference store and reads the settings word. Host exceptions
    // pass on after what was taken is released.
    explicit vexel_window(tessel_interface& host);
    ~vexel_window() override;

    int get_tessel_version() const override { return tessel_interface_version; }
    tq::uuid_class get_uuid(void* reserved) override;  // vexel_UUID
    bool is_resizable(void*) override { return false; }
    int get_placement_flags(void*) override { return 1; }

    // Builds the top bar and the five rows; the window shows the top bar only.
    void initialize(void* reserved) override;
    // The idle tick: applies a pending resize and polls what no notification reports.
    void idle(void* reserved) override;

    // Host notifications. Each writes false into its flag. The scene is borrowed.
    void active_scene_changed(bool& flag, scene_interface* scene, void* reserved) override;
    void active_shapes_changed(bool& flag, scene_interface* scene, int old_count,
                               shape_class* const* old_shapes, int new_count,
                               shape_class* const* new_shapes, void* reserved) override;
    void shapes_modified(bool& flag, scene_interface* scene, int count,
                         shape_class* const* shapes, void* reserved) override;
    void current_joint_value_changed(bool& flag, scene_interface* scene, int count,
                                     part_class* const* parts, void* reserved) override;
    void figure_unit_changed(bool& flag, scene_interface* scene, void* reserved) override;
    void shapes_being_deleted(bool& flag, scene_interface* scene, int count,
                              shape_class* const* shapes, void* reserved) override;

    // The settings dialog asks for and hands back items 10, 11 and 12.
    void load_dialog_data(dialog_interface& dialog, void* reserved) override;
    void save_dialog_data(dialog_interface& dialog, void* reserved) override;

    // Top-bar action of button id (a top_button). May throw.
    void exec(int id, int action);
    // Enables "App." and "Snap" (when the shape is modifiable) and "Save", or disables all.
    void renew_top_button(bool enable);
    // "App." and "Snap" follow the shown shape's lock again, "Save" as it was.
    void follow_lock() { renew_top_button(top_bar_enabled); }
    // "Load" usable exactly when the chosen slot holds something.
    void pop_changed(bool loadable);

    // Showing the selection. All may throw; the busy flag and brackets are restored.
    void set_shape_and_window(scene_interface* scene);
    // Fills the rows from the bound Shape; the scene is not consulted.
    void get_(scene_interface* scene);
    void get_with_rewindow(scene_interface* scene);
    void view_point_number(int n);
    void window_actived(scene_interface* scene);

    void set();   // "App."
    void snap();  // "Snap"
    void mem(int action);
    void load(int action);

    void mode();         // opens the settings dialog
    void regist_mode();  // stores the settings word

    // A text of the string table (the key itself when the host gives none). May throw.
    static char const* tr(char const* key);

    // Keeps a control wrapper or text field made for this window until the window goes.
    template <class Control>
    Control* own(Control* control) {
        owned_controls.push_back(control);
        return control;
    }

private:
    // Layout heights of the client area: top bar only, row 0, rows 0-1, all five rows.
    static int const top_bar_only = 15;
    static int const one_row = 30;
    static int const two_rows = 46;
    static int const five_rows = 89;

    void read_settings();
    int point_count();
    void refresh_values();
    void let_go_of_shape();
    void retry_unit_read(scene_interface& scene);
    void show_surface_point(Surface_point point);

    bool ready;              // a scene has been announced
    bool unit_unread = false;  // the figure unit could not be read at the last announcement
                               // or change of unit
    bool state_flag_mirror;  // the scene's state flag as last seen by the idle tick
    bool busy;               // the plug-in itself is reading or writing the scene
    bool resize_pending;     // the idle tick must apply the layout size
    tq::point_class layout;  // client size: row width, height 15/30/46/89
    preference_store_interface* preferences;  // counted, held for the window's life
    button* app_button;
    button* snap_button;
    button* save_button;
    button* load_button;
    pop* memory;
    window_interface::static_text_class* point_number;
    int shown_point_number;  // what the point-number text shows (view_point_number's n)
    bool shown_at_last_idle;
    bool top_bar_enabled;  // the last renew_top_button's enable
    bool standard_number_box;  // settings bit 1
    bool undo_setting;         // settings bit 2
    one_data* rows[5];
    bool built;  // initialize finished; until then clicks do nothing
    // Every control wrapper and text field made for the window, in creation order. The
    // host routes events to them while the window exists; they go with the window.
    std::vector<unknown_interface*> owned_controls;
};

// A top-bar push button: its click runs the window's exec with its id.
class vexel_window::button : public window_interface::push_button_class {
public:
    button(vexel_window& window, int id, int x, int y, char const* label);

    void clicked(int action, void* reserved) override;
    bool undoable(void*) const override { return true; }

    int id;
    vexel_window* owner;
};

// The memory-slot pop-up "0" to "9" and the ten slots behind it.
class vexel_window::pop : public window_interface::popup_menu_class {
public:
    // A stored point: shape null = empty. A control point of a line inside a surface part
    // is kept as the surface part, the line and the point's index in the line, so that it
    // still names the same point when lines of other lengths, nested parts or points
    // inserted into earlier lines shift its flat index; otherwise line is null and index
    // is the point's index in shape. Not counted: deletion notifications empty the slots
    // that hold a deleted shape or line.
    struct memory_slot {
        shape_class* shape;
        shape_class* line;
        int index;
    };

    pop(vexel_window& window, int x);

    void clicked(int action, void* reserved) override;

    // Stores point index of wrapper in the chosen slot.
    void memory(Shape_class& wrapper, int index);
    // The chosen slot's point index within its shape (the surface part's flat index for a
    // line's point); -1 when it names no point. May throw.
    int get_real_index();
    void mark_current();
    void clear_current_mark();

    // Bookkeeping without host calls.
    void empty_all();
    // Empties the slots holding shape (or its line); true when the chosen slot was among
    // them.
    bool forget(shape_class const* shape);
    bool chosen_holds_shape() const { return chosen >= 0 && slots[chosen].shape != nullptr; }

    memory_slot slots[10];
    vexel_window* owner;
    int chosen;  // 0-9, or -1 after the chosen slot's shape was deleted
};

// One value row: a title, three number boxes and an extra control (row 0 "Loc."/"Glo.",
// rows 1 and 3 the mode button, rows 2 and 4 the "link" check box).
class vexel_window::one_data {
public:
    class value_class;
    class link_class;
    class local_button;
    class right_button;

    one_data(vexel_window& window, int index, tq::point_class corner, bool standard_boxes);
    ~one_data();
    one_data(one_data const&) = delete;
    one_data& operator=(one_data const&) = delete;

    void set_title(char const* text);
    void set_handle(bool linked);
    int get_width();
    void re_mode();
    // Every type but a control point's: a length mode ("I b.", "O b.") left over from a
    // line becomes "Rel.", with all its boxes shown.
    void drop_length_mode();
    // The row's value in stored units.
    vec3 get_value();
    // Shows a stored value in displayed units.
    void set_value(vec3 v);

    // The mode of this row's mode button; 0 for rows without one.
    int mode() const;
    // Whether this row shows only a length ("O b." on rows 1 and 3, "I b." of the row
    // above on rows 2 and 4), and the row whose vector it lies opposite; else null.
    bool shows_length() const;
    one_data const* length_partner() const;

    vexel_window* window;
    int index;
    window_interface::static_text_class* title;
    value_class* x_box;
    value_class* y_box;
    value_class* z_box;
    local_button* local_btn;
    right_button* mode_btn;
    link_class* link;

private:
    // The last value the row was given, in stored units: the direction a length row keeps
    // when its partner has none.
    vec3 given;

    // As get_value and displayed; false when a box read holds no number.
    bool read(vec3& value) const;
    bool displayed(vec3& shown) const;
    bool opposite_of(one_data const& partner, vec3& value) const;
};

// One number box: a host number box with nine columns, or the plug-in's own text field.
class vexel_window::one_data::value_class {
public:
    class v_class;

    value_class(vexel_window& window, tq::point_class corner, tq::point_class size,
                bool standard_box);
    value_class(value_class const&) = delete;
    value_class& operator=(value_class const&) = delete;

    float get_value();
    // The value into number; false when the box holds no number (an empty or non-numeric
    // text), which then reads as 0. A host number box always holds one.
    bool read(float& number);
    void set_value(float f);
    void show();
    void hide();

    v_class* field;                        // own text field, or null
    window_interface::number_class* box;  // host number box, or null
};

// The own text field: reads like atof, never past the text's end; writes "%9f".
class vexel_window::one_data::value_class::v_class : public edit_text_class {
public:
    v_class(window_interface& parent, tq::rectangle_class frame);

    float get_value();
    // The text read as a number; false when it holds none.
    bool read(float& number);
    void set_value(float f);
};

// The "link" check box of rows 2 and 4; a click only toggles it.
class vexel_window::one_data::link_class : public window_interface::checkbox_class {
public:
    link_class(vexel_window& window, int x, int y);
};

// Row 0's frame button, "Loc." or "Glo.".
class vexel_window::one_data::local_button : public window_interface::push_button_class {
public:
    local_button(one_data& row, int x, int y);
    void clicked(int action, void* reserved) override;
    void show_label();

    one_data* row;
};

// The mode button of rows 1 and 3: "Abs.", "Rel.", "I b.", "O b.".
class vexel_window::one_data::right_button : public window_interface::push_button_class {
public:
    right_button(one_data& row, int x, int y);
    void clicked(int action, void* reserved) override;
    void show_label();

    int mode;  // a handle_mode
    one_data* row;
};
