// An editing session run once for every host call it makes, with that call made to throw:
// the session goes on, nothing escapes into the host, nothing non-finite is written, no
// bracket or undo record stays open, no reference is left and the window is not left busy.
#include "window_fixture.h"

#include "services/module_residence.h"

using namespace window_test;

namespace {

class WindowFaultSweep : public window_fixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override { start(GetParam()); }

    // One user action; a host exception coming out of the plug-in is a failure, a click
    // the host refuses (a control a fault left disabled or hidden) is not.
    template <class Action>
    void step(char const* what, Action&& action) {
        try {
            action();
        } catch (host::host_error const& e) {
            ADD_FAILURE() << what << ": host exception escaped: " << e.what();
        } catch (std::invalid_argument const&) {
        }
    }

    void editing_session() {
        step("open", [&] { open(mixed_scene); });
        step("activate curve", [&] { activate("curve", {1}); });
        step("tick", [&] { tick(2); });
        step("type", [&] { type(box(0, 0), "12"); });
        step("App.", [&] { click(app); });
        step("mode", [&] { click(extra(1)); });
        step("App. I b.", [&] { click(app); });
        step("loc", [&] { click(extra(0)); });
        step("Snap", [&] { click(snap); });
        step("Save", [&] { click(save); });
        step("select", [&] { scene->set_active_points("curve", {0}); });
        step("tick", [&] { tick(2); });
        step("activate cam", [&] { activate("cam"); });
        step("App. cam", [&] { click(app); });
        step("activate ball", [&] { activate("ball"); });
        step("type", [&] { type(box(0, 1), "5"); });
        step("Snap ball", [&] { click(snap); });
        step("slot", [&] { choose_slot(1); });
        step("Save ball", [&] { click(save); });
        step("slot", [&] { choose_slot(0); });
        step("Load", [&] { click(load); });
        step("modified", [&] { hostapp->shapes_modified({shape("ball")}); });
        step("unit", [&] {
            scene->set_figure_unit(2);
            hostapp->figure_unit_changed();
        });
        step("state flag", [&] {
            scene->set_state_flag(true);
            tick(2);
        });
        step("Snap with state flag", [&] { click(snap); });
        step("delete", [&] {
            scene->delete_shape("curve", [&](std::vector<shape_class*> const& shapes) {
                hostapp->shapes_being_deleted(shapes);
            });
        });
        step("settings", [&] {
            hostapp->queue_dialog_choices({{10, false}});
            click(ref, 2);
        });
        step("hide", [&] { hostapp->hide_window(); });
        step("tick", [&] { tick(); });
        step("show", [&] { hostapp->show_window(); });
        step("tick", [&] { tick(2); });
        step("Ref.", [&] { click(ref); });
    }
};

TEST_P(WindowFaultSweep, EveryHostCallMayFail) {
    host::module_residence mapped(VEXEL_MODULE_PATH);
    int runs = 0;
    for (long n = 1;; ++n) {
        SCOPED_TRACE("host call " + std::to_string(n));
        if (n > 1) {
            TearDown();
            start(GetParam());
        }
        host::faults().fail_any(n);
        editing_session();
        bool fired = host::faults().fired();
        host::faults().reset();
        ASSERT_TRUE(scene != nullptr);
        expect_clean();
        // Not left busy: after a new announcement a selection change reaches the window.
        hostapp->active_scene_changed();
        activate("ball");
        EXPECT_EQ(state().title, "Sphere        [ball]");
        ++runs;
        if (!fired || HasFailure()) break;
    }
    EXPECT_GT(runs, 100);
}

// Own text fields with marking and undo; host number boxes with undo.
INSTANTIATE_TEST_SUITE_P(settings, WindowFaultSweep, ::testing::Values(5, 6));

}  // namespace
