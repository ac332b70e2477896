// The window and control binding: window events handed back to the host's default
// handling, the local defaults, the thin members that drive the host window, and the
// control wrappers that register themselves as their controls' event handlers.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host_doubles.h"
#include "windowinterface"

namespace {

class test_window : public window_interface {
public:
    using window_interface::window_interface;
    int version = tessel_interface_version;
    int get_tessel_version() const override { return version; }
    int get_id(void*) override { return 0x77; }
    tq::uuid_class get_uuid(void*) override { return tq::uuid_class(0xaaaa, 1, 2, 3); }
};

// Stands for host objects the defaults only pass along or never look at.
template <class T>
T& opaque() {
    static long storage[4];
    return *reinterpret_cast<T*>(storage);
}

class WindowBinding : public ::testing::Test {
protected:
    doubles::fake_tessel host;
    doubles::recording_services& services = host.services;
    test_window window{host};

    // The one host call the last action made.
    doubles::host_call const& only_call() {
        EXPECT_EQ(services.calls.size(), 1u);
        return services.calls.back();
    }
};

}  // namespace

TEST_F(WindowBinding, EventsGoToTheHostWithTheWindowFirst) {
    auto& gc = opaque<graphic_context_interface>();
    tq::rectangle_class area{1, 2, 3, 4};
    struct forward_case {
        char const* host_operation;
        std::function<void()> call;
        std::string args;
    };
    std::vector<forward_case> const cases = {
        {"default_clear", [&] { window.clear(gc, nullptr); }, ""},
        {"default_paint", [&] { window.paint(gc, &area, nullptr); }, "(1,2)-(3,4)"},
        {"default_resize", [&] { window.resize(10, 20, true, nullptr); }, "10,20,true"},
        {"default_mouse_enter", [&] { window.mouse_enter(nullptr); }, ""},
        {"default_mouse_move", [&] { window.mouse_move({3, 4}, nullptr); }, "(3,4)"},
        {"default_mouse_exit", [&] { window.mouse_exit(nullptr); }, ""},
        {"default_mouse_down", [&] { window.mouse_down(1, {5, 6}, 2, 3, true, nullptr); }, "1,(5,6),2,3,true"},
        {"default_idle", [&] { window.idle(nullptr); }, ""},
        {"default_scrolled", [&] { window.scrolled({7, 8}, nullptr); }, "(7,8)"},
        {"get_client_rectangle", [&] { window.get_client_rectangle_obsolete(nullptr); }, ""},
        {"invalidate_window", [&] { window.invalidate(static_cast<void*>(nullptr)); }, ""},
        {"get_text_object", [&] { window.get_text_object(nullptr); }, ""},
        {"default_activate", [&] { window.activate(nullptr); }, ""},
        {"default_deactivate", [&] { window.deactivate(nullptr); }, ""},
        {"default_drag_file", [&] { window.drag_file("a.tsl", nullptr); }, "a.tsl"},
        {"get_image_interface", [&] { window.get_image_interface(nullptr); }, ""},
        {"get_native_window", [&] { window.get_native_window(nullptr); }, ""},
        {"default_key_down", [&] { window.key_down(65, 2, nullptr); }, "65,2"},
        {"default_scroll_wheel", [&] { window.scroll_wheel(vec2{0.5f, -1}, {1, 2}, 4, nullptr); }, "(0.5,-1),(1,2),4"},
        {"default_obsolete", [&] { window.obsolete(nullptr); }, ""},
        {"delete_window", [&] { window.delete_self(static_cast<void*>(nullptr)); }, ""},
    };
    for (auto const& c : cases) {
        services.calls.clear();
        c.call();
        auto const& call = only_call();
        EXPECT_EQ(call.name, c.host_operation);
        EXPECT_EQ(call.window, &window) << c.host_operation;
        EXPECT_EQ(call.args, c.args) << c.host_operation;
    }
}

TEST_F(WindowBinding, ForwardedResultsComeBackUnchangedExceptMouseDown) {
    auto& gc = opaque<graphic_context_interface>();
    for (bool host_answer : {true, false}) {
        services.answer = host_answer;
        EXPECT_EQ(window.clear(gc, nullptr), host_answer);
        EXPECT_EQ(window.paint(gc, nullptr, nullptr), host_answer);
        EXPECT_EQ(window.drag_file("x", nullptr), host_answer);
        EXPECT_EQ(window.key_down(1, 0, nullptr), host_answer);
        EXPECT_EQ(window.scroll_wheel(vec2{0, 1}, {0, 0}, 0, nullptr), host_answer);
        EXPECT_EQ(window.is_shown(), host_answer);
        // mouse_down answers true even when the host reports nothing done.
        EXPECT_TRUE(window.mouse_down(0, {0, 0}, 0, 1, true, nullptr));
    }
    tq::rectangle_class r = window.get_client_rectangle_obsolete(nullptr);
    EXPECT_TRUE(r.left == 1 && r.top == 2 && r.right == 3 && r.bottom == 4);
    EXPECT_EQ(window.get_text_object(nullptr), services.pointer);
    EXPECT_EQ(window.get_native_window(nullptr), services.pointer);
    EXPECT_EQ(static_cast<void*>(window.get_image_interface(nullptr)), services.pointer);
}

TEST_F(WindowBinding, LocalDefaultsAnswerWithoutAskingTheHost) {
    window_interface::push_button_class button(window, 0, 0, 0, 10, 10, "b");
    window_interface::checkbox_class box(window, 0, 0, 0, 10, 10, "c");
    window_interface::number_class number(window, 0, 0, 0, 10, 10, "n");
    window_interface::popup_menu_class menu(window, 0, 0, 0, "", 10, "0|1");
    window_interface::static_text_class label(window, 0, 0, 0, 10, 10, "s");
    services.calls.clear();

    window.initialize(nullptr);
    EXPECT_FALSE(window.is_resizable(nullptr));
    EXPECT_EQ(window.window_interface_test_1(nullptr), 1);
    for (auto size : {window.get_minimum_size_obsolete(nullptr), window.get_maximum_size_obsolete(nullptr),
                      window.get_ideal_size(nullptr)})
        EXPECT_TRUE(size.x == -1 && size.y == -1);
    EXPECT_EQ(window.get_placement_flags(nullptr), 1);
    EXPECT_EQ(window.get_flags(nullptr), 0);
    EXPECT_TRUE(window.should_clear(nullptr));

    using W = window_interface;
    window.push_button_clicked(button, nullptr);
    window.checkbox_value_changed(box, nullptr);
    window.number_value_changed(number, nullptr);
    window.popup_menu_value_changed(menu, nullptr);
    window.disclosure_button_value_changed(opaque<W::disclosure_button_class>(), nullptr);
    window.image_box_image_changed(opaque<W::image_box_class>(), nullptr);
    window.tab_value_changed(opaque<W::tab_class>(), nullptr);
    window.initialize_push_button(button, nullptr);
    window.initialize_static_text(label, nullptr);
    window.initialize_table(opaque<W::table_control_class>(), nullptr);
    window.initialize_tab(opaque<W::tab_class>(), nullptr);
    EXPECT_FALSE(window.setup_push_button(button, nullptr));
    EXPECT_FALSE(window.setup_checkbox(box, nullptr));
    EXPECT_FALSE(window.setup_number(number, nullptr));
    EXPECT_FALSE(window.setup_popup_menu(menu, nullptr));
    EXPECT_FALSE(window.setup_static_text(label, nullptr));
    EXPECT_FALSE(window.setup_slider(opaque<W::slider_class>(), nullptr));
    EXPECT_FALSE(window.setup_flasher(opaque<W::flasher_class>(), nullptr));
    EXPECT_FALSE(window.setup_tab(opaque<W::tab_class>(), nullptr));
    EXPECT_FALSE(window.setup_table(opaque<W::table_control_class>(), nullptr));
    EXPECT_TRUE(services.calls.empty());
}

TEST_F(WindowBinding, SetFramePositionMovesTheFrameKeepingItsSize) {
    services.frame = {10, 20, 110, 70};
    tq::point_class p = window.get_frame_position(nullptr);
    EXPECT_TRUE(p.x == 10 && p.y == 20);

    services.calls.clear();
    EXPECT_EQ(&window.set_frame_position({0, 0}, nullptr), &window);
    ASSERT_EQ(services.calls.size(), 2u);
    EXPECT_EQ(services.calls[0].name, "get_frame_rectangle");
    EXPECT_EQ(services.calls[1].name, "set_frame_rectangle");
    EXPECT_EQ(services.calls[1].args, "(0,0)-(100,50)");

    window.set_frame_position({-5, 300}, nullptr);
    EXPECT_EQ(services.last().args, "(-5,300)-(95,350)");
}

TEST_F(WindowBinding, WindowMembersPassTheWindowAndReturnIt) {
    window.show();
    EXPECT_EQ(only_call().name, "show_window");
    services.calls.clear();
    window.hide();
    EXPECT_EQ(only_call().name, "hide_window");
    EXPECT_EQ(only_call().window, &window);

    struct setter_case {
        char const* host_operation;
        std::function<window_interface&()> call;
        std::string args;
    };
    std::vector<setter_case> const cases = {
        {"set_window_title", [&]() -> window_interface& { return window.set_title("Vexel"); }, "Vexel"},
        {"set_client_size", [&]() -> window_interface& { return window.set_client_size({120, 15}); }, "(120,15)"},
        {"set_canvas_size", [&]() -> window_interface& { return window.set_canvas_size({3, 4}); }, "(3,4)"},
        {"set_frame_rectangle", [&]() -> window_interface& { return window.set_frame_rectangle({1, 2, 3, 4}); }, "(1,2)-(3,4)"},
    };
    for (auto const& c : cases) {
        services.calls.clear();
        EXPECT_EQ(&c.call(), &window) << c.host_operation;
        EXPECT_EQ(only_call().name, c.host_operation);
        EXPECT_EQ(only_call().window, &window);
        EXPECT_EQ(only_call().args, c.args);
    }
}

TEST_F(WindowBinding, ServicesAreFetchedAnewOnEveryCall) {
    int before = host.services_asked;
    window.show();
    window.hide();
    EXPECT_EQ(host.services_asked, before + 2);
    EXPECT_EQ(host.last_reserved, nullptr);
}

TEST_F(WindowBinding, ChildWindowIsCreatedByTheHostInsideItsParent) {
    test_window child(window, 5);
    auto const& call = only_call();
    EXPECT_EQ(call.name, "create_child_window");
    EXPECT_EQ(call.window, &child);
    EXPECT_EQ(call.object, &window);
    EXPECT_EQ(call.args, "5");
    EXPECT_EQ(child.host_root, window.host_root);
    EXPECT_EQ(child.child_handle, services.pointer);
    EXPECT_EQ(window.child_handle, nullptr);

    services.throw_on = "create_child_window";
    EXPECT_THROW(test_window(window, 0), std::runtime_error);
}

// Control wrappers.

TEST_F(WindowBinding, EachControlKindCreatesItsHostControlThenRoutesItsEvents) {
    using W = window_interface;
    struct kind_case {
        char const* create_operation;
        std::function<W::control_base_class*()> make;
        std::string args;
        std::function<void const*(W::control_base_class*)> typed_handle;
    };
    // Placement codes (bit 29: after the previous control; bit 28: on its line) pass unchanged.
    std::vector<kind_case> const cases = {
        {"create_button", [&] { return new W::push_button_class(window, 0, 0x20000002, 0x10000000, 32, 14, "App."); },
         "0,536870914,268435456,32,14,App.",
         [](W::control_base_class* c) -> void const* { return static_cast<W::push_button_class*>(c)->typed_handle; }},
        {"create_check_box", [&] { return new W::checkbox_class(window, 0, 4, 5, 40, 14, "link"); },
         "0,4,5,40,14,link",
         [](W::control_base_class* c) -> void const* { return static_cast<W::checkbox_class*>(c)->typed_handle; }},
        {"create_number", [&] { return new W::number_class(window, 0, 6, 7, 60, 14, "X"); },
         "0,6,7,60,14,X",
         [](W::control_base_class* c) -> void const* { return static_cast<W::number_class*>(c)->typed_handle; }},
        {"create_static_text", [&] { return new W::static_text_class(window, 0, 8, 9, 50, 14, "un sel."); },
         "0,8,9,50,14,un sel.",
         [](W::control_base_class* c) -> void const* { return static_cast<W::static_text_class*>(c)->typed_handle; }},
        {"create_popup", [&] { return new W::popup_menu_class(window, 0, 0x20000000, 0, "", 32, "0|1|2"); },
         "0,536870912,0,,32,0|1|2",
         [](W::control_base_class* c) -> void const* { return static_cast<W::popup_menu_class*>(c)->typed_handle; }},
    };
    for (auto const& c : cases) {
        services.calls.clear();
        W::control_base_class* control = c.make();
        ASSERT_EQ(services.calls.size(), 2u) << c.create_operation;
        auto const& create = services.calls[0];
        auto const& route = services.calls[1];
        EXPECT_EQ(create.name, c.create_operation);
        EXPECT_EQ(create.window, &window);
        EXPECT_EQ(create.object, static_cast<handler_interface*>(control));
        EXPECT_EQ(create.args, c.args);
        EXPECT_EQ(route.name, "set_handler");
        EXPECT_EQ(route.window, nullptr);
        EXPECT_EQ(route.control, control->control);
        EXPECT_EQ(route.object, static_cast<unknown_interface*>(control));
        EXPECT_EQ(route.owner, window.get_uuid(nullptr)) << c.create_operation;
        EXPECT_EQ(control->control, doubles::recording_services::handle(services.controls.back()));
        EXPECT_EQ(c.typed_handle(control), control->control) << c.create_operation;
        EXPECT_EQ(control->window, &window);
        EXPECT_EQ(control->get_tessel_version(), 430286);
        control->AddRef();
        control->Release();
    }
}

TEST_F(WindowBinding, OwnerIdentifierFollowsTheWindowsUuid) {
    window.version = 390000;  // before get_uuid existed: the integer family of get_id
    window_interface::push_button_class button(window, 0, 0, 0, 10, 10, "b");
    EXPECT_EQ(services.last().owner, tq::uuid_class(0x77u));
}

TEST_F(WindowBinding, ValueMembersPassTheWindowPerControlMembersDoNot) {
    window_interface::checkbox_class box(window, 0, 0, 0, 10, 10, "c");
    window_interface::number_class number(window, 0, 0, 0, 10, 10, "n");
    window_interface::popup_menu_class menu(window, 0, 0, 0, "", 10, "0|1");
    struct member_case {
        char const* host_operation;
        std::function<void()> call;
        void const* control;
        bool passes_window;
        std::string args;
    };
    std::vector<member_case> const cases = {
        {"set_check_box_int_value", [&] { window.set_check_box_int_value(*box.typed_handle, 1); }, box.control, true, "1"},
        {"get_check_box_int_value", [&] { EXPECT_EQ(window.get_check_box_int_value(*box.typed_handle), 5); }, box.control, true, ""},
        {"set_number_float_value", [&] { window.set_number_float_value(*number.typed_handle, 1.25f); }, number.control, true, "1.25"},
        {"get_number_float_value", [&] { EXPECT_EQ(window.get_number_float_value(*number.typed_handle), 2.5f); }, number.control, true, ""},
        {"set_number_columns", [&] { window.set_number_columns(*number.typed_handle, 9); }, number.control, true, "9"},
        {"set_popup_int_value", [&] { window.set_popup_int_value(*menu.typed_handle, 3); }, menu.control, true, "3"},
        {"get_popup_int_value", [&] { EXPECT_EQ(window.get_popup_int_value(*menu.typed_handle), 5); }, menu.control, true, ""},
        {"select", [&] { window.select(*box.control, true, false); }, box.control, false, "true,false"},
        {"set_tooltip", [&] { window.set_tooltip(*box.control, "tip"); }, box.control, false, "tip"},
        {"set_active", [&] { window.set_active(*box.control, false); }, box.control, false, "false"},
        {"invalidate", [&] { window.invalidate(*number.control); }, number.control, false, ""},
        {"show", [&] { window.show(*number.control); }, number.control, false, ""},
        {"hide", [&] { window.hide(*number.control); }, number.control, false, ""},
        {"get_position", [&] { EXPECT_EQ(window.get_position(*menu.control).x, 7); }, menu.control, false, ""},
        {"get_size", [&] { EXPECT_EQ(window.get_size(*menu.control).y, 8); }, menu.control, false, ""},
        {"set_title", [&] { window.set_title(*menu.control, "T"); }, menu.control, false, "T"},
    };
    for (auto const& c : cases) {
        services.calls.clear();
        c.call();
        auto const& call = only_call();
        EXPECT_EQ(call.name, c.host_operation);
        EXPECT_EQ(call.window, c.passes_window ? &window : nullptr) << c.host_operation;
        EXPECT_EQ(call.control, c.control) << c.host_operation;
        EXPECT_EQ(call.args, c.args) << c.host_operation;
    }
}

TEST_F(WindowBinding, WrapperSelectAndDeleteSelfActOnItsControl) {
    window_interface::push_button_class button(window, 0, 0, 0, 10, 10, "b");
    services.calls.clear();
    services.answer = true;
    EXPECT_TRUE(button.select_control(false, true));
    EXPECT_EQ(only_call().name, "select");
    EXPECT_EQ(only_call().control, button.control);
    EXPECT_EQ(only_call().args, "false,true");

    services.calls.clear();
    button.delete_self(nullptr);
    EXPECT_EQ(only_call().name, "delete_self");
    EXPECT_EQ(only_call().control, button.control);
    EXPECT_TRUE(services.controls.back().deleted);
}

TEST_F(WindowBinding, DestroyingAWrapperLeavesTheHostControl) {
    auto* button = new window_interface::push_button_class(window, 0, 0, 0, 10, 10, "b");
    services.calls.clear();
    button->AddRef();
    EXPECT_EQ(button->Release(), 0u);
    EXPECT_TRUE(services.calls.empty());
    EXPECT_FALSE(services.controls.back().deleted);
}

// The host made the control with the dying wrapper as its handler: a control left behind
// would send its clicks and paints to freed memory.
TEST_F(WindowBinding, FailedRoutingDestroysTheWrapperAndTheHostControl) {
    services.throw_on = "set_handler";
    EXPECT_THROW(new window_interface::checkbox_class(window, 0, 0, 0, 10, 10, "c"), std::runtime_error);
    ASSERT_EQ(services.controls.size(), 1u);
    EXPECT_TRUE(services.controls[0].deleted);
    ASSERT_EQ(services.calls.size(), 3u);  // create, the failed set_handler, delete_self

    services.throw_on = "create_popup";
    services.calls.clear();
    EXPECT_THROW(new window_interface::popup_menu_class(window, 0, 0, 0, "", 10, "0"), std::runtime_error);
    EXPECT_EQ(only_call().name, "create_popup");  // no set_handler for a control that is not there
}

TEST_F(WindowBinding, HostExceptionsPassThroughTheWrappers) {
    window_interface::push_button_class button(window, 0, 0, 0, 10, 10, "b");
    services.throw_on = "set_tooltip";
    EXPECT_THROW(window.set_tooltip(*button.control, "t"), std::runtime_error);
    services.throw_on = "default_idle";
    EXPECT_THROW(window.idle(nullptr), std::runtime_error);
}
