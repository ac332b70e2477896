// How the window follows the host: notifications, idle ticks, visibility and deletions.
#include "scene/scene_edits.h"
#include "window_fixture.h"

using namespace window_test;

namespace {

class Events : public window_fixture {
protected:
    void remove(std::string const& path) {
        scene->delete_shape(path, [&](std::vector<shape_class*> const& shapes) {
            hostapp->shapes_being_deleted(shapes);
        });
    }
};

TEST_F(Events, AnotherControlPointOfTheSameLineShowsWithinOneTick) {
    open(mixed_scene);
    activate("curve", {0});
    tick();
    scene->set_active_points("curve", {1});
    int frames = state().invalidations;
    tick();
    EXPECT_EQ(text(point_number), "      1");
    EXPECT_VEC3_NEAR(row(0), 10, 0, 0, 1e-5);
    EXPECT_EQ(height(), 89);
    EXPECT_GT(state().invalidations, frames);
}

TEST_F(Events, DeselectingAndReselectingRelaysOutAndResizesATickLater) {
    open(mixed_scene);
    activate("curve", {1});
    tick();
    scene->set_active_points("curve", {});
    tick();
    EXPECT_EQ(text(point_number), "un sel.");
    EXPECT_FALSE(enabled(app));
    EXPECT_VEC3_NEAR(row(0), 10, 0, 0, 1e-5) << "the rows keep what they showed";
    EXPECT_EQ(height(), 89);
    tick();
    EXPECT_EQ(height(), 15);
    scene->set_active_points("curve", {0});
    tick();
    EXPECT_EQ(text(point_number), "      0");
    EXPECT_TRUE(enabled(app));
    EXPECT_VEC3_NEAR(row(0), 0, 0, 0, 1e-5);
    tick();
    EXPECT_EQ(height(), 89);
}

TEST_F(Events, TheIdleTickNeverRebindsTheShape) {
    open(mixed_scene);
    activate("curve", {0});
    scene->set_active_shape("ball");
    tick(2);
    EXPECT_EQ(state().title, "Line          [curve]");
    hostapp->active_shapes_changed({}, {});
    EXPECT_EQ(state().title, "Line          [curve]") << "an empty new selection is ignored";
    hostapp->active_shapes_changed({}, {shape("ball")});
    EXPECT_EQ(state().title, "Sphere        [ball]");
}

TEST_F(Events, AFlipOfTheStateFlagRereadsTheValuesOnce) {
    open(mixed_scene);
    activate("ball");
    tick();
    host::move_point(*scene, "ball", 0, vec3{4, 4, 4});
    tick();
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-5) << "nothing changed that idle looks at";
    scene->set_state_flag(true);
    tick();
    EXPECT_VEC3_NEAR(row(0), 4, 4, 4, 1e-5);
}

TEST_F(Events, ModificationsAndJointChangesRereadTheValues) {
    open(mixed_scene);
    activate("arm");
    host::move_point(*scene, "arm", 0, vec3{0, 0, 1});
    hostapp->shapes_modified({shape("arm")});
    EXPECT_VEC3_NEAR(row(0), 0, 0, 1, 1e-5);
    host::move_point(*scene, "arm", 0, vec3{0, 0, 2});
    hostapp->current_joint_value_changed({shape("arm")->as_part()});
    EXPECT_VEC3_NEAR(row(0), 0, 0, 2, 1e-5);
    expect_clean();
}

TEST_F(Events, AModificationThatDeselectsKeepsTheLayoutUntilAFullRefresh) {
    open(mixed_scene);
    activate("curve", {1});
    scene->set_active_points("curve", {});
    hostapp->shapes_modified({shape("curve")});
    tick(2);
    EXPECT_EQ(text(point_number), "      1");
    EXPECT_EQ(height(), 89);
    click(ref);
    EXPECT_EQ(text(point_number), "un sel.");
}

TEST_F(Events, AHiddenWindowWaitsAndIsRefreshedWhenShownAgain) {
    open(mixed_scene);
    activate("ball");
    tick();
    hostapp->hide_window();
    scene->set_figure_unit(10);
    hostapp->figure_unit_changed();
    host::move_point(*scene, "ball", 0, vec3{2, 2, 2});
    hostapp->shapes_modified({shape("ball")});
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-5);
    tick();
    tq::rectangle_class f = state().frame;
    hostapp->window()->set_frame_rectangle(tq::rectangle_class{-20, 300, f.right - f.left - 20, 300 + f.bottom - f.top});
    hostapp->show_window();
    tick();
    EXPECT_VEC3_NEAR(row(0), 20, 20, 20, 1e-4);
    EXPECT_EQ(state().frame.left, 100);
    EXPECT_EQ(state().frame.top, 100);
    expect_clean();
}

TEST_F(Events, ATickThatFailedToSeeTheWindowHiddenStillRefreshesItWhenShown) {
    open(mixed_scene);
    activate("ball");
    tick();
    hostapp->hide_window();
    host::faults().fail_operation("is_window_shown", 1);
    tick();  // fails before it sees the window hidden
    host::faults().reset();
    host::move_point(*scene, "ball", 0, vec3{2, 2, 2});
    hostapp->shapes_modified({shape("ball")});  // ignored: the window is hidden
    hostapp->show_window();
    tick();
    EXPECT_VEC3_NEAR(row(0), 2, 2, 2, 1e-5) << "refreshed, not the rows from before the move";
    expect_clean();
}

TEST_F(Events, AWindowVisibleAtItsFirstTickIsNotRefreshedByIt) {
    auto s = host::load_scene_text(mixed_scene, "test scene");
    hostapp->set_scene(s.get());
    s->set_active_shape("ball");
    hostapp->active_scene_changed();
    tick(2);
    EXPECT_EQ(state().title, "");
    hostapp->set_scene(nullptr);
}

TEST_F(Events, DeletingTheShownShapeLetsGoOfIt) {
    open(mixed_scene);
    activate("ball");
    tick();
    remove("ball");
    EXPECT_FALSE(enabled(app));
    EXPECT_FALSE(enabled(snap));
    tick();
    EXPECT_EQ(height(), 15);
    control(app).handler->clicked(0, nullptr);
    control(snap).handler->clicked(0, nullptr);
    control(save).handler->clicked(0, nullptr);
    hostapp->shapes_modified({});
    scene->set_state_flag(true);
    tick(2);
    EXPECT_FALSE(scene->has_non_finite_write());
    expect_clean();
}

TEST_F(Events, ANewActiveSceneLetsGoOfThePreviousScenesShape) {
    open(mixed_scene);
    activate("ball");
    tick();
    open(mixed_scene);  // the previous scene and its shapes are freed
    EXPECT_EQ(state().title, "");
    EXPECT_FALSE(enabled(app));
    EXPECT_FALSE(enabled(snap));
    EXPECT_FALSE(enabled(save));
    control(app).handler->clicked(0, nullptr);
    control(snap).handler->clicked(0, nullptr);
    hostapp->shapes_modified({});
    tick(2);
    EXPECT_EQ(height(), 15);
    activate("ball");
    EXPECT_EQ(state().title, "Sphere        [ball]");
    expect_clean();
}

TEST_F(Events, ADeletionWhileBusyStillEmptiesSlotsAndLetsGo) {
    TearDown();
    start(4);  // with undo: the open undo record must still be closed
    open(mixed_scene);
    activate("plate");
    click(save);
    activate("ball");
    bool deleted = false;
    scene->set_modification_listener([&](std::vector<shape_class*> const&) {
        if (deleted) return;
        deleted = true;
        remove("plate");
        remove("ball");
    });
    type(box(0, 0), "3");
    click(app);
    ASSERT_TRUE(deleted);
    EXPECT_FALSE(enabled(load));
    EXPECT_FALSE(enabled(app));
    scene->set_modification_listener(nullptr);
    click(ref);
    control(snap).handler->clicked(0, nullptr);
    tick(2);
    expect_clean();
}

TEST_F(Events, AShapeDeletedInsideAClickIsNotWritten) {
    // The host deletes the shown shape from inside a host call of the click: while "App."
    // reads a control point's link check box, or as "Snap" opens the update bracket around
    // its move, with and without an undo record open; last, the leaving shape cannot give
    // its scene, which closes the record all the same. The window lets go of the shape and
    // writes nothing into it.
    struct {
        int button;
        char const* shape;
        char const* operation;
        int settings;
        bool scene_fails;
    } const cases[] = {{app, "curve", "get_check_box_int_value", 0, false},
                       {snap, "ball", "scene.begin_update", 0, false},
                       {snap, "ball", "scene.begin_update", 4, false},  // 4: undo on
                       {snap, "ball", "scene.begin_update", 4, true}};
    for (auto const& c : cases) {
        SCOPED_TRACE(c.operation);
        TearDown();
        start(c.settings);
        open(mixed_scene);
        activate(c.shape, c.button == app ? std::vector<int>{1} : std::vector<int>{});  // the curve's point 1
        type(box(0, 0), "7");
        host::faults().before_call(c.operation, "delete", [&] {
            if (c.scene_fails) host::faults().fail_operation("shape.get_scene", 1);
            remove(c.shape);
        });
        click(c.button);
        EXPECT_EQ(scene->find(c.shape), nullptr) << "deleted during the click";
        EXPECT_EQ(state().title, "");
        expect_clean();
    }
}

// A point write to the scene: a host call that sets a position, handle or link.
bool writes_a_point(std::string const& operation) {
    return operation.find(".set_") != std::string::npos && operation.rfind("text_object.", 0) != 0 &&
           operation.rfind("scene.", 0) != 0;
}

TEST_F(Events, AShapeDeletedBeforeAppWritesItIsNotWritten) {
    // The host deletes the shown shape while "App." reads the rows, before any write, for
    // each way a point is written (a sphere's centre, a mesh vertex, a joint's two points).
    // Nothing is written from then on, and an open undo record is closed. The rows are host
    // number boxes, whose read is a host call on every platform.
    struct {
        char const* shape;
        std::vector<int> points;
        char const* operation;
        int settings;  // 2: host number boxes, 4: undo on
    } const cases[] = {{"ball", {}, "get_number_float_value", 2},
                       {"mesh", {1}, "get_number_float_value", 2},
                       {"arm", {}, "get_number_float_value", 6}};
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.shape) + " at " + c.operation);
        TearDown();
        start(c.settings);
        open(mixed_scene);
        activate(c.shape, c.points);
        type(box(0, 0), "7");
        host::faults().record_trace(true);
        std::size_t deleted_at = 0;
        host::faults().before_call(c.operation, "delete", [&] {
            remove(c.shape);
            deleted_at = host::faults().trace().size();
        });
        click(app);
        ASSERT_EQ(scene->find(c.shape), nullptr) << "deleted during the click";
        std::vector<std::string> const trace = host::faults().trace();
        host::faults().record_trace(false);
        for (std::size_t i = deleted_at; i < trace.size(); ++i)
            EXPECT_FALSE(writes_a_point(trace[i])) << trace[i] << " after the deletion";
        EXPECT_EQ(state().title, "");
        expect_clean();
    }
}

TEST_F(Events, ADeletionListWithoutShapesEmptiesNoSlot) {
    // A list the host sends empty, or with a null entry: no slot and not the shown shape
    // count as deleted (a null entry would match every slot that holds no line).
    open(mixed_scene);
    activate("ball");
    click(save);
    hostapp->shapes_being_deleted({});
    hostapp->shapes_being_deleted({nullptr});
    EXPECT_TRUE(enabled(load));
    EXPECT_EQ(state().title, "Sphere        [ball]");
    activate("curve", {0});
    click(load);
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-5);
    expect_clean();
}

TEST_F(Events, AWindowWaitingForItsUnitWaitsOnWhileTheUnitCannotBeRead) {
    // The announcement fails to read the unit, and so do the next selection and "Ref.":
    // the window still waits, and no notification refreshes what "Ref." showed meanwhile.
    open(mixed_scene);
    host::faults().fail_operation("scene.get_figure_unit_factor", 1);
    hostapp->active_scene_changed();
    host::faults().fail_operation("scene.get_figure_unit_factor", 1);
    activate("ball");
    EXPECT_EQ(state().title, "") << "still waiting";
    host::faults().fail_operation("scene.get_figure_unit_factor", 1);
    click(ref);
    ASSERT_EQ(state().title, "Sphere        [ball]");
    host::move_point(*scene, "ball", 0, vec3{4, 4, 4});
    hostapp->current_joint_value_changed({});
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-5) << "not refreshed while waiting";
    activate("ball");
    EXPECT_VEC3_NEAR(row(0), 4, 4, 4, 1e-5) << "the unit read: ready";
    host::move_point(*scene, "ball", 0, vec3{5, 5, 5});
    hostapp->current_joint_value_changed({});
    EXPECT_VEC3_NEAR(row(0), 5, 5, 5, 1e-5);
    expect_clean();
}

TEST_F(Events, NotificationsWithoutASceneTouchNoScene) {
    // The host has no active scene: it announces none, or sends a selection, a change of
    // unit or idle ticks without one. The window reads nothing then (also while it waits
    // for a unit it could not read), and keeps what it showed and stored.
    open(mixed_scene);
    host::faults().fail_operation("scene.get_figure_unit_factor", 1);
    hostapp->active_scene_changed();
    hostapp->set_scene(nullptr);
    hostapp->active_shapes_changed({}, {shape("ball")});
    EXPECT_EQ(state().title, "");
    hostapp->set_scene(scene.get());
    hostapp->active_scene_changed();
    activate("ball");
    click(save);
    hostapp->set_scene(nullptr);
    hostapp->active_scene_changed();
    hostapp->figure_unit_changed();
    tick(2);
    EXPECT_EQ(state().title, "Sphere        [ball]");
    EXPECT_TRUE(enabled(load)) << "the slots are kept";
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-5);
    hostapp->set_scene(scene.get());
    expect_clean();
}

TEST_F(Events, AWindowShownAgainAboveTheScreenComesBackOnIt) {
    open(mixed_scene);
    activate("ball");
    tick();
    hostapp->hide_window();
    tick();
    tq::rectangle_class f = state().frame;
    hostapp->window()->set_frame_rectangle(tq::rectangle_class{300, -20, 300 + f.right - f.left, -20 + f.bottom - f.top});
    hostapp->show_window();
    tick();
    EXPECT_EQ(state().frame.left, 100);
    EXPECT_EQ(state().frame.top, 100);
}

TEST_F(Events, ADeletionBeforeTheSceneIsAnnouncedIsKeptTrackOf) {
    open(mixed_scene);
    // The announcement fails, so the window is not ready for the scene; the buttons still
    // work, so "Ref." shows a shape and "Save" keeps it in a slot while not ready.
    host::faults().fail_operation("scene.get_figure_unit_factor", 1);
    hostapp->active_scene_changed();
    scene->set_active_shape("ball");
    click(ref);
    click(save);
    ASSERT_EQ(state().title, "Sphere        [ball]");
    ASSERT_TRUE(enabled(load));
    remove("ball");
    EXPECT_EQ(state().title, "") << "the shown shape is let go of";
    EXPECT_FALSE(enabled(load)) << "the slot holding it is emptied";
    EXPECT_FALSE(enabled(app));
}

TEST_F(Events, AUnitReadAtItsChangeIsNotReadAgainAtTheNextSelection) {
    open(mixed_scene);
    scene->set_figure_unit(10);
    hostapp->figure_unit_changed();
    host::faults().fail_operation("scene.get_figure_unit_factor", 1);
    activate("ball");
    EXPECT_FALSE(host::faults().fired());
    host::faults().reset();
}

TEST_F(Events, AUnitThatCouldNotBeReadIsReadAgainAtTheNextFullRefresh) {
    // The scene announced anew, or only its unit changed (then also while the window is
    // hidden, the refresh being the tick that finds it shown): the read fails once.
    enum class next { selection, shown_again };
    struct {
        bool announced;
        next refresh;
    } const cases[] = {{true, next::selection}, {false, next::selection}, {false, next::shown_again}};
    for (auto const& c : cases) {
        open(mixed_scene);
        activate("ball");
        tick();
        vec3 at_unit_1 = row(0);
        if (c.refresh == next::shown_again) {
            hostapp->hide_window();
            tick();
        }
        scene->set_figure_unit(10);
        host::faults().fail_operation("scene.get_figure_unit_factor", 1);
        if (c.announced)
            hostapp->active_scene_changed();
        else
            hostapp->figure_unit_changed();
        if (c.refresh == next::selection) {
            activate("ball");
            EXPECT_EQ(state().title, "Sphere        [ball]") << "the window follows the selection";
        } else {
            hostapp->show_window();
            tick();
        }
        EXPECT_VEC3_NEAR(row(0), at_unit_1.x * 10, at_unit_1.y * 10, at_unit_1.z * 10, 1e-4)
            << (c.announced ? "announced" : "unit changed") << ", case " << &c - cases << ": in the scene's unit";
    }
}

TEST_F(Events, ALengthModeDroppedWithoutItsLabelStaysAsTheLabelSays) {
    open(mixed_scene);
    activate("curve", {1});
    click(extra(1));
    click(extra(1));
    ASSERT_EQ(text(extra(1)), "O b.");  // one of the handle rows shows only a length
    bool in_shown = control(box(1, 1)).shown, out_shown = control(box(2, 1)).shown;
    ASSERT_NE(in_shown, out_shown);
    host::faults().fail_operation("set_title", 1);  // the mode label, first written
    activate("arm");
    activate("curve", {1});
    EXPECT_EQ(text(extra(1)), "O b.");
    EXPECT_EQ(control(box(1, 1)).shown, in_shown) << "the boxes as the label says";
    EXPECT_EQ(control(box(2, 1)).shown, out_shown);
}

TEST_F(Events, HostExceptionsNeverReachTheHost) {
    open(mixed_scene);
    activate("curve", {1});
    for (char const* op : {"scene.begin_update", "scene.get_active_shape", "shape.point_count",
                           "scene.get_state_flag"}) {
        host::faults().fail_operation(op, 1);
        EXPECT_NO_THROW(click(ref)) << op;
        EXPECT_NO_THROW(hostapp->active_shapes_changed({}, {shape("curve")})) << op;
        EXPECT_NO_THROW(tick()) << op;
        host::faults().reset();
        expect_clean();
    }
    click(ref);
    EXPECT_EQ(text(point_number), "      1") << "the window still follows the host";
}

}  // namespace
