// The root interface's services, the notifications the host sends to the window, and
// fault injection on host operations.
#include "host_scene.h"
#include "host_test_doubles.h"
#include "mark_elements.h"
#include "services/window_snapshot.h"
#include "tests/inert_scene.h"

using namespace host_test;

namespace {

// A scene the host's audit counts, so that the test sees every reference given back.
class empty_scene final : public test_doubles::inert_scene<host::counted<scene_interface>> {
public:
    empty_scene() : inert_scene("scene") {}
};

class null_marking final : public marking_interface {
public:
    void handle_mark_request(shape_class&, mark_elements const*, void*) override {}
};

// A window that records the notifications it gets; it leaves the flag of
// shapes_modified alone and writes false into the others.
class listening_window : public test_window {
public:
    using test_window::test_window;
    void active_scene_changed(bool& flag, scene_interface* scene, void*) override {
        flag = false;
        seen.push_back("active_scene_changed");
        last_scene = scene;
    }
    void active_shapes_changed(bool& flag, scene_interface*, int before, shape_class* const*,
                               int after, shape_class* const* shapes, void*) override {
        flag = false;
        seen.push_back("active_shapes_changed " + std::to_string(before) + " " +
                       std::to_string(after));
        last_shape = after ? shapes[0] : nullptr;
    }
    void shapes_modified(bool&, scene_interface*, int count, shape_class* const*,
                         void*) override {
        seen.push_back("shapes_modified " + std::to_string(count));
    }
    void current_joint_value_changed(bool& flag, scene_interface*, int count,
                                     part_class* const*, void*) override {
        flag = false;
        seen.push_back("current_joint_value_changed " + std::to_string(count));
    }
    void figure_unit_changed(bool& flag, scene_interface*, void*) override {
        flag = false;
        seen.push_back("figure_unit_changed");
    }
    void shapes_being_deleted(bool& flag, scene_interface*, int count, shape_class* const*,
                              void*) override {
        flag = false;
        seen.push_back("shapes_being_deleted " + std::to_string(count));
    }
    void idle(void*) override { seen.push_back("idle"); }
    ~listening_window() override { ++*destroyed; }

    std::vector<std::string> seen;
    scene_interface* last_scene = nullptr;
    shape_class* last_shape = nullptr;
    int* destroyed = nullptr;
};

class HostRoot : public host_test_base {
protected:
    host::host_app app;
    empty_scene scene;
    int destroyed = 0;

    listening_window& attach() {
        auto window = new listening_window(app);
        window->destroyed = &destroyed;
        window->AddRef();
        app.attach_window(*window);
        return *window;
    }
};

TEST_F(HostRoot, TheSceneIsHandedOutCountedForTheCaller) {
    EXPECT_EQ(app.get_scene_interface(), nullptr);
    app.set_scene(&scene);
    scene_interface* got = app.get_scene_interface();
    EXPECT_EQ(got, &scene);
    EXPECT_EQ(scene.references(), 1);
    EXPECT_EQ(host::audit().outstanding().size(), 1u);
    got->Release();
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(HostRoot, TheMarkingComponentAnswersOnlyItsOwnIdentifier) {
    null_marking marking;
    EXPECT_EQ(app.get_plugin_interface(elements_preference_uuid), nullptr);
    app.set_marking_component(&marking);
    EXPECT_EQ(app.get_plugin_interface(tq::uuid_class(0x50030010u)), &marking);
    EXPECT_EQ(app.get_plugin_interface(tq::uuid_class(0x50090010u)), nullptr);
    EXPECT_EQ(app.get_plugin_interface(tq::uuid_class("d43b04ce-8713-4d82-8b7c-c79466f1bfd2")),
              nullptr);
}

TEST_F(HostRoot, MessagesAreRecordedForTheRunner) {
    app.show_message("Activate at restart.", 0, 0);
    app.show_message(nullptr, 0, 0);
    EXPECT_EQ(app.messages(), (std::vector<std::string>{"Activate at restart.", ""}));
}

TEST_F(HostRoot, NotificationsReachTheWindowWithTheCurrentScene) {
    listening_window& window = attach();
    app.set_scene(&scene);
    shape_class* const some_shape = reinterpret_cast<shape_class*>(0x1000);
    EXPECT_FALSE(app.active_scene_changed());
    EXPECT_FALSE(app.active_shapes_changed({}, {some_shape}));
    // A flag the window does not write keeps the host's fresh true.
    EXPECT_TRUE(app.shapes_modified({some_shape, some_shape}));
    EXPECT_FALSE(app.current_joint_value_changed({}));
    EXPECT_FALSE(app.figure_unit_changed());
    EXPECT_FALSE(app.shapes_being_deleted({some_shape}));
    app.idle();
    EXPECT_EQ(window.seen, (std::vector<std::string>{
                               "active_scene_changed", "active_shapes_changed 0 1",
                               "shapes_modified 2", "current_joint_value_changed 0",
                               "figure_unit_changed", "shapes_being_deleted 1", "idle"}));
    EXPECT_EQ(window.last_scene, &scene);
    EXPECT_EQ(window.last_shape, some_shape);
}

TEST_F(HostRoot, TheUserHidesAndShowsTheWindow) {
    listening_window& window = attach();
    app.hide_window();
    EXPECT_FALSE(window.is_shown());
    app.show_window();
    EXPECT_TRUE(window.is_shown());
}

TEST_F(HostRoot, NotificationsWithoutAWindowAreAHostSideError) {
    EXPECT_THROW(app.idle(), std::logic_error);
    EXPECT_THROW(app.active_scene_changed(), std::logic_error);
}

TEST_F(HostRoot, UnloadReleasesTheWindowOnce) {
    attach();
    app.unload();
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(app.loaded());
}

TEST_F(HostRoot, AWindowThatOutlivesItsReleaseIsReported) {
    listening_window& window = attach();
    window.AddRef();  // a reference the window never gives back
    EXPECT_THROW(app.unload(), host::module_error);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(window.Release(), 0u);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(HostRoot, APlannedFaultMakesExactlyTheChosenCallThrow) {
    host::faults().fail_operation("get_preference_store", 2);
    app.get_preference_store()->Release();
    try {
        app.get_preference_store();
        FAIL() << "no fault";
    } catch (host::host_error const& e) {
        EXPECT_STREQ(e.what(), "injected fault in get_preference_store");
    }
    EXPECT_TRUE(host::faults().fired());
    preference_store_interface* store = app.get_preference_store();
    store->Release();
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(HostRoot, AFaultOnANameThatIsNoHostOperationIsRefused) {
    for (char const* misspelt : {"get_preferences_store", "scene.get_state", "", "Show"})
        EXPECT_THROW(host::faults().fail_operation(misspelt, 1), std::invalid_argument) << misspelt;
    host::faults().fail_operation("scene.get_state_flag", 1);  // known names still plan
}

TEST_F(HostRoot, EveryPlugInCallIsAFaultPoint) {
    listening_window& window = attach();
    host::faults().reset();
    host::faults().record_trace(true);
    window.set_title("t");
    app.gettext("App.");
    auto const trace = host::faults().trace();
    host::faults().record_trace(false);
    EXPECT_EQ(trace, (std::vector<std::string>{"get_plugin_services", "set_window_title",
                                               "get_plugin_services", "lookup_text"}));
    host::faults().fail_operation("lookup_text", 1);
    EXPECT_THROW(app.gettext("App."), host::host_error);
    host::faults().fail_operation("create_button", 1);
    event_log log;
    EXPECT_THROW(logging_button(window, 0, 0, 10, 10, "x", log), host::host_error);
    EXPECT_TRUE(host::window_snapshot(app.services(), window).controls.empty());
}

}  // namespace
