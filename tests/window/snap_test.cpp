// "Snap": the whole shape moves so that its shown point lands on row 0.
#include "window_fixture.h"

using namespace window_test;

namespace {

class Snapping : public window_fixture {
protected:
    void show(std::string const& path, std::vector<int> points = {}, int settings = -1) {
        if (settings >= 0) {
            TearDown();
            start(settings);
        }
        open(mixed_scene);
        activate(path, points);
    }
    vec3 world_of(std::string const& path, vec3 p) { return p * shape(path)->get_world_matrix(); }
};

TEST_F(Snapping, ASphereMovesByTheDifferenceToTheTypedCentre) {
    show("ball");
    type(box(0, 0), "4");
    int refreshes = scene->refresh_count();
    click(snap);
    EXPECT_VEC3_NEAR(world_of("ball", center("ball")), 4, 2, 3, 1e-5);
    EXPECT_EQ(scene->refresh_count(), refreshes + 1);
    expect_clean();
}

TEST_F(Snapping, TheSamePositionMovesNothingAndMakesNoUndoStep) {
    show("ball", {}, 4);
    int refreshes = scene->refresh_count();
    click(snap);
    EXPECT_EQ(scene->refresh_count(), refreshes);
    EXPECT_EQ(scene->undo_records().step_count(), 0u);
    EXPECT_EQ(scene->suspend_count(), 0);
}

TEST_F(Snapping, WorldValuesGiveADisplacementInTheShapesFrame) {
    show("moved");
    click(extra(0));  // Glo.
    type(box(0, 0), "15");
    click(snap);
    click(ref);
    EXPECT_VEC3_NEAR(row(0), 15, 0, 0, 1e-5);
    click(extra(0));
    EXPECT_VEC3_NEAR(row(0), 0, 0, 0, 1e-5);  // moved as a whole, the centre kept
}

TEST_F(Snapping, AControlPointOfASurfacePartMovesTheWholePart) {
    show("surf", {4});
    type(box(0, 2), "1");
    click(snap);
    vec3 other = shape("surf/l0")->control_point_at(0)->get_point_position();
    EXPECT_VEC3_NEAR(world_of("surf/l0", other), 0, 0, 1, 1e-5);
    expect_clean();
}

TEST_F(Snapping, AVertexOfAMeshInASurfacePartMovesTheWholePart) {
    open(R"({"shapes": [{"name": "surf", "type": "part", "part": "surface", "children": [
      {"name": "l0", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]},
      {"name": "net", "type": "polygon_mesh", "matrix": [1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,5,1],
       "vertices": [[0, 0, 0], [1, 2, 3]]}]}]})");
    // The mesh's second vertex, at (1, 2, 8) in the world. The window shows a surface
    // part's points as control points, which a vertex is not: every row is typed.
    activate("surf", {3});
    click(extra(0));  // Glo.
    type_row(0, vec3{1, 2, 10});
    click(snap);
    EXPECT_VEC3_NEAR(world_of("surf/l0", shape("surf/l0")->control_point_at(0)->get_point_position()), 0, 0, 2, 1e-5);
    expect_clean();
}

TEST_F(Snapping, AJointKeepsItsEndPointOffset) {
    show("arm");
    type_row(0, vec3{0, 0, 0});
    click(snap);
    click(extra(1));  // Abs.
    click(extra(0));  // Glo.: the joint moved as a whole, its own values did not change
    EXPECT_VEC3_NEAR(row(0), 0, 0, 0, 1e-5);
    EXPECT_VEC3_NEAR(row(1), 0, 0, 10, 1e-5);
}

TEST_F(Snapping, TheStateFlagSeenByIdleIsSuspendedAroundTheMove) {
    show("ball");
    scene->set_state_flag(true);
    tick();
    type(box(0, 0), "5");
    click(snap);
    EXPECT_EQ(scene->suspend_count(), 1);
    EXPECT_EQ(scene->resume_count(), 1);
    expect_clean();
}

TEST_F(Snapping, WithoutTheStateFlagNothingIsSuspended) {
    show("ball");
    type(box(0, 0), "5");
    click(snap);
    EXPECT_EQ(scene->suspend_count(), 0);
}

TEST_F(Snapping, OneHostUndoRevertsTheMove) {
    show("ball", {}, 4);
    type(box(0, 0), "5");
    click(snap);
    ASSERT_EQ(scene->undo_records().step_count(), 1u);
    scene->undo();
    EXPECT_VEC3_NEAR(world_of("ball", center("ball")), 1, 2, 3, 0);
    expect_clean();
}

TEST_F(Snapping, AnUnreadableCurrentPositionMovesNothing) {
    show("ball");
    type(box(0, 0), "5");
    host::faults().fail_operation("shape.as_sphere", 1);
    int refreshes = scene->refresh_count();
    click(snap);
    EXPECT_EQ(scene->refresh_count(), refreshes);
    EXPECT_VEC3_NEAR(world_of("ball", center("ball")), 1, 2, 3, 0);
    expect_clean();
}

// A host with no active scene (one closed, the next not yet announced) still shows the
// window: Snap then has no update bracket to move in and moves nothing.
TEST_F(Snapping, WithoutAnActiveSceneNothingMovesAndNoUndoStepOpens) {
    show("ball", {}, 4);  // 4: undo on
    type(box(0, 0), "5");
    hostapp->set_scene(nullptr);
    click(snap);
    hostapp->set_scene(scene.get());
    EXPECT_VEC3_NEAR(world_of("ball", center("ball")), 1, 2, 3, 0);
    EXPECT_EQ(scene->undo_records().step_count(), 0u);
    expect_clean();
}

// The undo record of a line in a surface part names the part. When the host deletes the
// whole part from inside the click (part and lines in one notification), the step is
// closed on the scene taken from the part's first announcement, once.
TEST_F(Snapping, ASurfacePartDeletedAroundTheShownLineClosesTheUndoStep) {
    show("surf/l0", {1}, 4);  // 4: undo on
    type(box(0, 0), "5");
    host::faults().before_call("scene.begin_update", "delete", [&] {
        scene->delete_shape("surf", [&](std::vector<shape_class*> const& shapes) {
            hostapp->shapes_being_deleted(shapes);
        });
    });
    click(snap);
    ASSERT_EQ(scene->find("surf"), nullptr) << "deleted during the click";
    EXPECT_EQ(state().title, "");
    EXPECT_EQ(scene->undo_records().mismatches(), 0);
    expect_clean();
}

TEST_F(Snapping, ATypedNanMovesNothing) {
    show("ball");
    type(box(0, 1), "nan");
    click(snap);
    EXPECT_VEC3_NEAR(world_of("ball", center("ball")), 1, 2, 3, 0);
    expect_clean();
}

}  // namespace
