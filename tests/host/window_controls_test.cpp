// The host's window and control model as a plug-in window sees it: placement codes,
// control state, event routing and the refusals that protect it.
#include <memory>

#include "host_test_doubles.h"
#include "services/control_placement.h"
#include "services/window_snapshot.h"

using namespace host_test;
using host::control_kind;

namespace {

class WindowControls : public host_test_base {
protected:
    host::host_app app;
    test_window window{app};
    event_log log;
    std::vector<std::unique_ptr<window_interface::control_base_class>> wrappers;

    void SetUp() override {
        host_test_base::SetUp();
        app.services().open_window(window);
    }
    template <class Control, class... Args>
    Control& add(Args&&... args) {
        auto made = std::make_unique<Control>(window, std::forward<Args>(args)...);
        Control& control = *made;
        wrappers.push_back(std::move(made));
        return control;
    }
    host::window_state state() { return host::window_snapshot(app.services(), window); }
};

struct expected_place {
    char const* text;
    int x, y, w, h;
};

TEST_F(WindowControls, TopBarCodesRunLeftToRightInCreationOrder) {
    add<logging_button>(0, 0, 32, 14, "App.", log);
    add<logging_button>(0x20000000, 0, 32, 14, "Snap", log);
    add<window_interface::static_text_class>(0, 0x20000002, 0x10000000, 48, 14, "");
    add<logging_button>(0x20000000, 0, 32, 14, "Ref.", log);
    add<logging_button>(0x20000004, 0, 32, 14, "Save", log);
    add<logging_button>(0x20000000, 0, 32, 14, "Load", log);
    add<logging_popup>(0x20000000, 0, 32, "0|1|2|3|4|5|6|7|8|9", log);

    // Default gap 1: each control starts one pixel after the previous one's right edge,
    // plus the code's extra units.
    expected_place const expected[] = {
        {"App.", 0, 0, 32, 14},  {"Snap", 33, 0, 32, 14}, {"", 68, 0, 48, 14},
        {"Ref.", 117, 0, 32, 14}, {"Save", 154, 0, 32, 14}, {"Load", 187, 0, 32, 14},
        {"", 220, 0, 32, 14},
    };
    auto controls = state().controls;
    ASSERT_EQ(controls.size(), std::size(expected));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(controls[i].text, expected[i].text);
        EXPECT_EQ(controls[i].x, expected[i].x);
        EXPECT_EQ(controls[i].y, expected[i].y);
        EXPECT_EQ(controls[i].w, expected[i].w);
        EXPECT_EQ(controls[i].h, expected[i].h);
    }
    EXPECT_EQ(controls[6].kind, control_kind::popup);
    EXPECT_EQ(controls[6].items.size(), 10u);
    EXPECT_EQ(controls[6].items[9], "9");
}

TEST_F(WindowControls, SameLineCodeTakesThePreviousControlsTop) {
    add<logging_button>(5, 40, 32, 14, "a", log);
    auto& b = add<logging_button>(0x20000003, 0x10000000, 20, 10, "b", log);
    tq::point_class at = window.get_position(*b.control);
    tq::point_class size = window.get_size(*b.control);
    EXPECT_EQ(at.x, 5 + 32 + 1 + 3);
    EXPECT_EQ(at.y, 40);
    EXPECT_EQ(size.x, 20);
    EXPECT_EQ(size.y, 10);
}

TEST_F(WindowControls, CodesOnAnEmptyWindowCountFromItsEdges) {
    auto& first = add<logging_button>(0x20000007, 0x10000000, 10, 10, "x", log);
    tq::point_class at = window.get_position(*first.control);
    EXPECT_EQ(at.x, 7);
    EXPECT_EQ(at.y, 0);
}

TEST_F(WindowControls, PlainPixelsAreKeptAsGiven) {
    auto& row = add<logging_number>(229, 75, log);
    tq::point_class at = window.get_position(*row.control);
    EXPECT_EQ(at.x, 229);
    EXPECT_EQ(at.y, 75);
}

TEST_F(WindowControls, UnknownPlacementCodesAndNegativeSizesAreRefused) {
    EXPECT_THROW(add<logging_button>(0x10000000, 0, 10, 10, "x-as-line", log), host::host_error);
    EXPECT_THROW(add<logging_button>(0x30000000, 0, 10, 10, "x-beyond", log), host::host_error);
    EXPECT_THROW(add<logging_button>(0, 0x20000000, 10, 10, "y-after", log), host::host_error);
    EXPECT_THROW(add<logging_button>(0, 0, -1, 10, "narrow", log), host::host_error);
    EXPECT_THROW(add<logging_button>(0x7fffffff - 5, 0, 10, 10, "overflow", log),
                 host::host_error);
    EXPECT_TRUE(state().controls.empty());
}

TEST_F(WindowControls, ControlMembersChangeWhatTheHostShows) {
    auto& button = add<logging_button>(0, 0, 32, 14, "", log);
    window.set_title(*button.control, "Loc.");
    window.set_tooltip(*button.control, "Up to date view.");
    window.set_active(*button.control, false);
    window.invalidate(*button.control);
    window.hide(*button.control);
    auto shown = state().controls[0];
    EXPECT_EQ(shown.text, "Loc.");
    EXPECT_EQ(shown.tooltip, "Up to date view.");
    EXPECT_FALSE(shown.enabled);
    EXPECT_FALSE(shown.shown);
    EXPECT_EQ(shown.invalidations, 1);
    EXPECT_FALSE(shown.value.has_value());
    window.show(*button.control);
    EXPECT_TRUE(state().controls[0].shown);
}

TEST_F(WindowControls, ValuesOfCheckBoxesNumbersAndPopups) {
    auto& box = add<logging_checkbox>(0, 0, "link", log);
    auto& number = add<logging_number>(40, 0, log);
    auto& popup = add<logging_popup>(0x20000000, 0, 32, "0|1|2", log);
    window.set_check_box_int_value(*box.typed_handle, 1);
    window.set_number_float_value(*number.typed_handle, -2.5f);
    window.set_number_columns(*number.typed_handle, 9);
    window.set_popup_int_value(*popup.typed_handle, 2);
    EXPECT_EQ(window.get_check_box_int_value(*box.typed_handle), 1);
    EXPECT_EQ(window.get_number_float_value(*number.typed_handle), -2.5f);
    EXPECT_EQ(window.get_popup_int_value(*popup.typed_handle), 2);
    auto controls = state().controls;
    EXPECT_EQ(controls[0].value, 1.0);
    EXPECT_EQ(controls[1].value, -2.5);
    EXPECT_EQ(controls[1].columns, 9);
    EXPECT_EQ(controls[2].value, 2.0);
}

TEST_F(WindowControls, ValueCallsRefuseWrongKindsWindowsAndIndices) {
    auto& button = add<logging_button>(0, 0, 32, 14, "", log);
    auto& popup = add<logging_popup>(0x20000000, 0, 32, "0|1", log);
    EXPECT_THROW(window.set_check_box_int_value(
                     *reinterpret_cast<plugin_checkbox_class*>(button.control), 1),
                 host::host_error);
    EXPECT_THROW(window.set_popup_int_value(*popup.typed_handle, 2), host::host_error);
    EXPECT_THROW(window.set_popup_int_value(*popup.typed_handle, -1), host::host_error);
    test_window other(app);
    app.services().open_window(other);
    EXPECT_THROW(other.get_popup_int_value(*popup.typed_handle), host::host_error);
    EXPECT_EQ(window.get_popup_int_value(*popup.typed_handle), 0);
}

TEST_F(WindowControls, SetHandlerFilesTheControlUnderTheWindowsIdentifier) {
    auto& button = add<logging_button>(0, 0, 32, 14, "", log);
    auto shown = state().controls[0];
    EXPECT_EQ(shown.handler, static_cast<handler_interface*>(&button));
    EXPECT_EQ(shown.owner, test_window_uuid);
}

TEST_F(WindowControls, UserActionsReachTheHandlerWithTheNewValue) {
    add<logging_button>(0, 0, 32, 14, "Ref.", log);
    add<logging_popup>(0x20000000, 0, 32, "0|1|2", log);
    add<logging_checkbox>(0x20000000, 0, "link", log);
    auto& number = add<logging_number>(0, 20, log);

    app.user().click(window, 0, 2);
    app.user().choose(window, 1, 2);
    app.user().toggle(window, 2);
    app.user().toggle(window, 2, 5);
    EXPECT_EQ(log.clicks, (std::vector<int>{2, 0, 0, 5}));
    EXPECT_EQ(log.values_seen, (std::vector<int>{2, 1, 0}));

    app.user().type(window, 3, " -1.5e1 ");
    EXPECT_EQ(window.get_number_float_value(*number.typed_handle), -15.0f);
    EXPECT_EQ(log.value_changes, 1);
}

TEST_F(WindowControls, UserActionsAreRefusedOnDisabledHiddenOrWrongControls) {
    auto& load = add<logging_button>(0, 0, 32, 14, "Load", log);
    add<logging_popup>(0x20000000, 0, 32, "0|1", log);
    add<logging_number>(0, 20, log);
    window.set_active(*load.control, false);
    try {
        app.user().click(window, 0);
        FAIL() << "a disabled button took a click";
    } catch (std::invalid_argument const& e) {
        EXPECT_STREQ(e.what(), "click: control #0 (button \"Load\") is disabled");
    }
    window.set_active(*load.control, true);
    window.hide(*load.control);
    EXPECT_THROW(app.user().click(window, 0), std::invalid_argument);
    EXPECT_THROW(app.user().click(window, 1), std::invalid_argument);     // a pop-up
    EXPECT_THROW(app.user().click(window, 9), std::invalid_argument);     // no such
    EXPECT_THROW(app.user().choose(window, 1, 2), std::invalid_argument); // no entry 2
    EXPECT_THROW(app.user().type(window, 2, "1.5x"), std::invalid_argument);
    EXPECT_TRUE(log.clicks.empty());
}

TEST_F(WindowControls, DeletedControlsLeaveTheWindowAndTheirHandlesDie) {
    auto& first = add<logging_button>(0, 0, 32, 14, "a", log);
    add<logging_button>(0x20000000, 0, 32, 14, "b", log);
    first.delete_self(nullptr);
    ASSERT_EQ(state().controls.size(), 1u);
    EXPECT_EQ(state().controls[0].text, "b");
    EXPECT_THROW(window.set_title(*first.control, "again"), host::host_error);
}

TEST_F(WindowControls, DestroyingAWrapperLeavesTheHostControl) {
    add<logging_button>(0, 0, 32, 14, "a", log);
    wrappers.clear();
    EXPECT_EQ(state().controls.size(), 1u);
}

TEST_F(WindowControls, WindowMembersTitleSizesFrameAndVisibility) {
    window.set_title("Line : curve1");
    window.set_client_size(tq::point_class{263, 15});
    auto shown = state();
    EXPECT_EQ(shown.title, "Line : curve1");
    EXPECT_EQ(shown.client.x, 263);
    EXPECT_EQ(shown.client.y, 15);
    // A top-level frame wraps the client area and the title bar.
    EXPECT_EQ(shown.frame.right - shown.frame.left, 263);
    EXPECT_EQ(shown.frame.bottom - shown.frame.top, 15 + host::title_bar_height);

    window.set_frame_rectangle(tq::rectangle_class{10, 20, 110, 70});
    window.set_frame_position(tq::point_class{0, 0}, nullptr);
    tq::rectangle_class frame = window.get_frame_rectangle();
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, 100);
    EXPECT_EQ(frame.bottom, 50);

    EXPECT_TRUE(window.is_shown());
    window.hide();
    EXPECT_FALSE(window.is_shown());
    window.invalidate(nullptr);
    window.invalidate(nullptr);
    EXPECT_EQ(state().invalidations, 2);
    EXPECT_THROW(window.set_client_size(tq::point_class{-1, 5}), host::host_error);
}

TEST_F(WindowControls, DefaultEventHandlingDoesNothingAndReportsFalse) {
    EXPECT_FALSE(window.key_down(1, 0, nullptr));
    EXPECT_FALSE(window.drag_file("a.txt", nullptr));
    EXPECT_FALSE(window.scroll_wheel(vec2{0, 1}, tq::point_class{0, 0}, 0, nullptr));
    EXPECT_EQ(window.get_text_object(nullptr), nullptr);
    EXPECT_EQ(window.get_native_window(nullptr), nullptr);
    // The binding answers true for mouse_down whatever the host did.
    EXPECT_TRUE(window.mouse_down(0, tq::point_class{1, 1}, 0, 1, true, nullptr));
}

TEST_F(WindowControls, CallsForWindowsTheHostNeverOpenedAreRefused) {
    test_window stranger(app);
    EXPECT_THROW(stranger.set_title("x"), host::host_error);
    EXPECT_THROW(logging_button(stranger, 0, 0, 10, 10, "x", log), host::host_error);
}

TEST_F(WindowControls, TextFieldsAreChildWindowsListedAmongTheControls) {
    add<logging_button>(0, 0, 32, 14, "App.", log);
    test_field field(window, tq::rectangle_class{40, 16, 100, 29});
    ASSERT_NE(field.text, nullptr);
    field.text->set_text(" 1.500000");
    field.text->set_font_size(9.6f);

    auto controls = state().controls;
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[1].kind, control_kind::text_field);
    EXPECT_EQ(controls[1].text, " 1.500000");
    EXPECT_EQ(controls[1].x, 40);
    EXPECT_EQ(controls[1].y, 16);
    EXPECT_EQ(controls[1].w, 60);
    EXPECT_EQ(controls[1].h, 13);
    EXPECT_FALSE(controls[1].value.has_value());
    EXPECT_EQ(host::window_snapshot(app.services(), field).client.x, 60);

    app.user().type(window, 1, "-2.25");
    EXPECT_STREQ(field.text->get_text(), "-2.25");

    field.hide();
    EXPECT_FALSE(state().controls[1].shown);
    EXPECT_THROW(app.user().type(window, 1, "3"), std::invalid_argument);

    // A control placed after a text field starts after the field.
    auto& after = add<logging_button>(0x20000000, 0x10000000, 10, 10, "x", log);
    EXPECT_EQ(window.get_position(*after.control).x, 101);
    EXPECT_EQ(window.get_position(*after.control).y, 16);
}

TEST_F(WindowControls, ClosingAWindowTakesItsControlsAndChildWindowsAlong) {
    auto& button = add<logging_button>(0, 0, 32, 14, "a", log);
    test_field field(window, tq::rectangle_class{0, 16, 60, 29});
    app.services().close_window(window);
    EXPECT_FALSE(app.services().has_window(window));
    EXPECT_FALSE(app.services().has_window(field));
    EXPECT_THROW(window.set_title(*button.control, "gone"), host::host_error);
}

TEST_F(WindowControls, ADeletedChildWindowLeavesTheParentsList) {
    test_field field(window, tq::rectangle_class{0, 16, 60, 29});
    field.delete_self(nullptr);
    EXPECT_TRUE(state().controls.empty());
    EXPECT_EQ(app.services().deleted_windows(), 1);
}

}  // namespace
