// "App.": the rows written back into the shown point, with handles, link flags, frames,
// two-point joints and the undo step.
#include "window_fixture.h"

using namespace window_test;

namespace {

class Apply : public window_fixture {
protected:
    control_point_class& point(int index) { return *shape("curve")->control_point_at(index); }
    void show_curve_point(int index, int settings = -1) {
        if (settings >= 0) {
            TearDown();
            start(settings);
        }
        open(mixed_scene);
        activate("curve", {index});
    }
};

TEST_F(Apply, RelativeHandlesFollowAMovedAnchor) {
    show_curve_point(1);
    type_row(0, vec3{12, 3, 0});
    click(app);
    EXPECT_VEC3_NEAR(point(1).get_point_position(), 12, 3, 0, 1e-5);
    EXPECT_VEC3_NEAR(point(1).get_in_handle(), 11, 4, 0, 1e-5);
    EXPECT_VEC3_NEAR(point(1).get_out_handle(), 13, 2, 0, 1e-5);
    EXPECT_VEC3_NEAR(point(1).get_l_in_handle(), 12, 3, -2, 1e-5);
    EXPECT_VEC3_NEAR(point(1).get_l_out_handle(), 12, 3, 2, 1e-5);
    EXPECT_TRUE(point(1).get_linked());
    EXPECT_FALSE(point(1).get_l_linked());
    expect_clean();
}

TEST_F(Apply, AbsoluteHandlesStayWhereTheyWere) {
    show_curve_point(1);
    set_mode(1, "Abs.");
    set_mode(3, "Abs.");
    type_row(0, vec3{12, 3, 0});
    click(app);
    EXPECT_VEC3_NEAR(point(1).get_point_position(), 12, 3, 0, 1e-5);
    EXPECT_VEC3_NEAR(point(1).get_in_handle(), 9, 1, 0, 1e-5);
    EXPECT_VEC3_NEAR(point(1).get_l_out_handle(), 10, 0, 2, 1e-5);
}

TEST_F(Apply, InBasedModePutsOutOppositeInAtTheTypedLengthAndLinks) {
    show_curve_point(0);  // In at (-1, 0, 0) from the anchor, not linked
    set_mode(1, "I b.");
    type(box(2, 0), "3");
    click(app);
    EXPECT_VEC3_NEAR(point(0).get_out_handle(), 3, 0, 0, 1e-5);
    EXPECT_VEC3_NEAR(point(0).get_in_handle(), -1, 0, 0, 1e-5);
    EXPECT_TRUE(point(0).get_linked());
}

TEST_F(Apply, OutBasedModePutsInOppositeOut) {
    show_curve_point(0);
    set_mode(1, "O b.");
    type(box(1, 0), "2");
    click(app);
    EXPECT_VEC3_NEAR(point(0).get_in_handle(), -2, 0, 0, 1e-5);
    EXPECT_TRUE(point(0).get_linked());
}

TEST_F(Apply, ALengthOppositeAHandleOnTheAnchorKeepsItsOwnDirection) {
    show_curve_point(0);  // L out is (0, 1, 0)
    set_mode(3, "I b.");
    type_row(3, vec3{0, 0, 0});  // L in on the anchor: no direction to go opposite
    type(box(4, 0), "5");
    click(app);
    EXPECT_VEC3_NEAR(point(0).get_l_out_handle(), 0, 5, 0, 1e-6);
    EXPECT_TRUE(point(0).get_l_linked());
}

TEST_F(Apply, LinkFlagsFollowTheCheckBoxesInAbsoluteAndRelative) {
    show_curve_point(1);
    toggle(extra(2));
    toggle(extra(4));
    click(app);
    EXPECT_FALSE(point(1).get_linked());
    EXPECT_TRUE(point(1).get_l_linked());
}

TEST_F(Apply, OnlyTheEditedBoxChangesTheRestIsWrittenBackAsShown) {
    show_curve_point(1);
    type(box(0, 0), "10.5");
    click(app);
    EXPECT_VEC3_NEAR(point(1).get_point_position(), 10.5, 0, 0, 1e-6);
    EXPECT_VEC3_NEAR(point(1).get_in_handle(), 9.5, 1, 0, 1e-5);
}

TEST_F(Apply, WorldValuesAreConvertedIntoTheShape) {
    open(mixed_scene);
    activate("moved");
    click(extra(0));
    type_row(0, vec3{15, 0, 0});
    click(app);
    EXPECT_VEC3_NEAR(center("moved"), 5, 0, 0, 1e-5);
}

TEST_F(Apply, CameraTargetIsEyePlusTheRelativeRow) {
    open(mixed_scene);
    activate("cam");
    type_row(1, vec3{0, 0, -4});
    click(app);
    click(ref);
    EXPECT_VEC3_NEAR(row(0), 0, 0, 10, 1e-5);
    EXPECT_VEC3_NEAR(row(1), 0, 0, -4, 1e-5);
    click(extra(1));
    EXPECT_VEC3_NEAR(row(1), 0, 0, 6, 1e-5);
    expect_clean();
}

TEST_F(Apply, RotatorEndPointFollowsTheTypedAbsoluteValue) {
    open(mixed_scene);
    activate("arm");
    click(extra(1));  // Abs.
    type_row(1, vec3{1, 2, 20});
    click(app);
    click(ref);
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-5);
    EXPECT_VEC3_NEAR(row(1), 1, 2, 20, 1e-5);
}

TEST_F(Apply, ANonFinitePointIsSkippedAndTheOtherPointWritten) {
    open(mixed_scene);
    activate("arm");
    click(extra(1));  // Abs.
    type(box(0, 0), "0");
    type(box(1, 2), "nan");
    click(app);
    click(ref);
    EXPECT_VEC3_NEAR(row(0), 0, 2, 3, 1e-5);
    EXPECT_VEC3_NEAR(row(1), 1, 2, 13, 1e-5);  // the end point kept its place
    expect_clean();
}

TEST_F(Apply, ANonFiniteHandleSkipsTheWholeControlPoint) {
    show_curve_point(1);
    type(box(0, 0), "11");
    type(box(3, 1), "1e39");
    click(app);
    EXPECT_VEC3_NEAR(point(1).get_point_position(), 10, 0, 0, 0);
    EXPECT_VEC3_NEAR(point(1).get_l_in_handle(), 10, 0, -2, 0);
    expect_clean();
}

TEST_F(Apply, AnUnreadablePointShowsInvalidValuesThatAreNeverWritten) {
    show_curve_point(1);
    host::faults().fail_operation("shape.control_point_at", 1);  // the one read of the refresh
    click(ref);
    EXPECT_TRUE(std::isnan(shown_number(box(0, 0))));
    EXPECT_TRUE(std::isnan(shown_number(box(4, 2))));
    click(app);
    EXPECT_VEC3_NEAR(point(1).get_point_position(), 10, 0, 0, 0);
    expect_clean();
}

TEST_F(Apply, OneHostUndoRevertsAWholeApply) {
    show_curve_point(1, 4);
    type_row(0, vec3{12, 3, 0});
    toggle(extra(2));
    click(app);
    ASSERT_EQ(scene->undo_records().step_count(), 1u);
    ASSERT_TRUE(scene->undo());
    EXPECT_VEC3_NEAR(point(1).get_point_position(), 10, 0, 0, 0);
    EXPECT_VEC3_NEAR(point(1).get_in_handle(), 9, 1, 0, 0);
    EXPECT_TRUE(point(1).get_linked());
    expect_clean();
}

TEST_F(Apply, WithoutTheUndoSettingNoUndoStepIsMade) {
    show_curve_point(1);
    click(app);
    EXPECT_EQ(scene->undo_records().step_count(), 0u);
}

TEST_F(Apply, BothJointPointsAreOneUndoStep) {
    TearDown();
    start(4);
    open(mixed_scene);
    activate("rail");
    type_row(0, vec3{1, 1, 1});
    type_row(1, vec3{0, 0, 5});
    click(app);
    ASSERT_EQ(scene->undo_records().step_count(), 1u);
    scene->undo();
    click(ref);
    EXPECT_VEC3_NEAR(row(0), 0, 0, 0, 0);
    EXPECT_VEC3_NEAR(row(1), 0, 0, 10, 0);
}

TEST_F(Apply, ALineWithoutAShownPointStillMakesAnEmptyUndoStep) {
    show_curve_point(1, 4);
    scene->set_active_points("curve", {});
    hostapp->shapes_modified({shape("curve")});
    ASSERT_TRUE(enabled(app)) << "the layout waits for the next full refresh";
    click(app);
    EXPECT_EQ(scene->undo_records().step_count(), 1u);
    expect_clean();
}

TEST_F(Apply, AShapeWithoutPointsOpensNoUndoStep) {
    TearDown();
    start(4);
    open(mixed_scene);
    activate("body");
    EXPECT_FALSE(enabled(app));
    // A host may still deliver the click of the disabled button.
    control(app).handler->clicked(0, nullptr);
    EXPECT_EQ(scene->undo_records().step_count(), 0u);
    expect_clean();
}

TEST_F(Apply, NotificationsDuringTheWriteDoNotRereadTheView) {
    show_curve_point(1);
    int notified = 0;
    scene->set_modification_listener([&](std::vector<shape_class*> const& shapes) {
        ++notified;
        hostapp->shapes_modified(shapes);
    });
    type(box(0, 1), "7");
    type(box(1, 0), "100");  // In, relative: would be re-read as -1 if the view refreshed
    click(app);
    EXPECT_GT(notified, 0);
    EXPECT_NEAR(shown_number(box(1, 0)), 100, 1e-4);
    hostapp->shapes_modified({shape("curve")});
    EXPECT_NEAR(shown_number(box(1, 0)), 100, 1e-4) << "re-read: the write reached the shape";
    EXPECT_NEAR(shown_number(box(0, 1)), 7, 1e-5);
}

}  // namespace
