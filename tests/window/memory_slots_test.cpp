// Memory slots: "Save" and "Load", the slot pop-up, marks on the stored element, and
// slots whose shapes go away.
#include <algorithm>

#include "scene/scene_edits.h"
#include "window_fixture.h"

using namespace window_test;

namespace {

class MemorySlots : public window_fixture {
protected:
    void remove(std::string const& path) {
        scene->delete_shape(path, [&](std::vector<shape_class*> const& shapes) {
            hostapp->shapes_being_deleted(shapes);
        });
    }
    std::vector<recorded_mark> const& marks() { return marker.requests; }
};

TEST_F(MemorySlots, ASphereSavedAfterApplyLoadsItsCentre) {
    open(mixed_scene);
    activate("ball");
    click(app);  // a one-point shape: the shown point becomes -1
    click(save);
    EXPECT_TRUE(enabled(load));
    host::move_point(*scene, "ball", 0, vec3{9, 8, 7});
    activate("curve", {0});
    click(load);
    EXPECT_VEC3_NEAR(row(0), 9, 8, 7, 1e-5);
    EXPECT_VEC3_NEAR(row(1), -1, 0, 0, 1e-5) << "only row 0 is loaded";
    EXPECT_VEC3_NEAR(anchor("curve", 0), 0, 0, 0, 0) << "loading never changes the scene";
}

class SurfaceSlots : public MemorySlots, public ::testing::WithParamInterface<bool> {};

TEST_P(SurfaceSlots, AControlPointOfASurfaceLineIsStoredByLineAndPoint) {
    TearDown();
    start(1);  // marking on
    std::string json = mixed_scene;
    if (!GetParam()) json.replace(json.find(R"("part": "surface",)"), 18, R"("part": "surface", "direction": false,)");
    open(json);
    activate("surf/l2", {1});
    click(save);
    ASSERT_FALSE(marks().empty());
    recorded_mark const& m = marks().back();
    EXPECT_EQ(m.shape, shape("surf"));
    EXPECT_EQ(m.operation, 3);
    EXPECT_EQ(m.target, 1);
    EXPECT_FALSE(m.flag);
    EXPECT_EQ(m.indices, std::vector<int>{7});  // line 2 of lines of 3 points, point 1

    activate("curve", {0});
    click(load);
    EXPECT_VEC3_NEAR(row(0), 1, 2, 0, 1e-5);
    EXPECT_VEC3_NEAR(row(1), -0.5, 0, 0, 1e-5);
    EXPECT_VEC3_NEAR(row(2), 0.5, 0, 0, 1e-5);
    EXPECT_EQ(control(extra(2)).value.value(), 1);
    expect_clean();
}

INSTANTIATE_TEST_SUITE_P(direction_flag, SurfaceSlots, ::testing::Bool());

TEST_F(MemorySlots, LoadWithActionBit2FillsTheSecondPointAsItIs) {
    open(mixed_scene);
    activate("plate");
    click(save);
    activate("arm");
    ASSERT_EQ(text(extra(1)), "Rel.");
    click(load, 2);
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-5);
    EXPECT_VEC3_NEAR(row(1), 5, 0, 0, 1e-5);
    click(load);
    EXPECT_VEC3_NEAR(row(0), 5, 0, 0, 1e-5);
}

TEST_F(MemorySlots, ChoosingASlotMovesTheMarkAndACameraIsNeverMarked) {
    TearDown();
    start(1);
    open(mixed_scene);
    activate("curve", {1});
    click(save);  // slot 0: mark on the curve
    ASSERT_EQ(marks().size(), 1u);
    EXPECT_EQ(marks()[0].indices, std::vector<int>{1});
    choose_slot(1);  // leaves slot 0: clear; slot 1 is empty: no mark
    ASSERT_EQ(marks().size(), 2u);
    EXPECT_EQ(marks()[1].operation, 0);
    EXPECT_EQ(marks()[1].shape, shape("curve"));
    EXPECT_FALSE(enabled(load));
    activate("cam");
    click(save);  // a camera joint: neither cleared nor marked
    EXPECT_EQ(marks().size(), 2u);
    choose_slot(0);
    ASSERT_EQ(marks().size(), 3u);
    EXPECT_EQ(marks()[2].operation, 3);
    EXPECT_EQ(marks()[2].indices, std::vector<int>{1});
    EXPECT_TRUE(enabled(load));
}

TEST_F(MemorySlots, WithoutMarkingNothingIsMarked) {
    open(mixed_scene);
    activate("curve", {1});
    click(save);
    choose_slot(1);
    EXPECT_TRUE(marks().empty());
}

TEST_F(MemorySlots, ANewActiveSceneEmptiesEverySlot) {
    open(mixed_scene);
    activate("ball");
    click(save);
    ASSERT_TRUE(enabled(load));
    open(mixed_scene);
    EXPECT_FALSE(enabled(load));
    activate("curve", {0});
    control(load).handler->clicked(0, nullptr);
    EXPECT_VEC3_NEAR(row(0), 0, 0, 0, 0);
}

TEST_F(MemorySlots, DeletingTheChosenSlotsShapeEmptiesItAndDisablesLoad) {
    open(mixed_scene);
    activate("plate");
    choose_slot(1);
    click(save);
    activate("ball");
    choose_slot(0);
    click(save);
    activate("curve", {0});
    remove("plate");
    EXPECT_TRUE(enabled(load)) << "another slot: Load as it was";
    remove("ball");
    EXPECT_FALSE(enabled(load));
    control(load).handler->clicked(0, nullptr);
    EXPECT_VEC3_NEAR(row(0), 0, 0, 0, 0);
    choose_slot(1);
    EXPECT_FALSE(enabled(load));
    expect_clean();
}

TEST_F(MemorySlots, SaveWithNoChosenSlotStoresIntoTheSlotShown) {
    open(mixed_scene);
    activate("ball");
    choose_slot(3);
    click(save);
    remove("ball");
    activate("plate");
    click(save);
    EXPECT_TRUE(enabled(load));
    activate("curve", {0});
    click(load);
    EXPECT_VEC3_NEAR(row(0), 5, 0, 0, 1e-5);
}

TEST_F(MemorySlots, LoadOfAnotherObjectTypesPointFillsRow0) {
    open(mixed_scene);
    activate("curve", {1});
    click(save);
    activate("arm");
    click(load);
    EXPECT_VEC3_NEAR(row(0), 10, 0, 0, 1e-5);
    activate("mesh", {1});
    click(load);
    EXPECT_VEC3_NEAR(row(0), 10, 0, 0, 1e-5);
    expect_clean();
}

TEST_F(MemorySlots, ASurfacePartWithoutLinesLoadsNothing) {
    open(R"({"shapes": [{"name": "bare", "type": "part", "part": "surface"},
        {"name": "ball", "type": "sphere", "center": [1, 2, 3]}]})");
    activate("bare");
    control(save).handler->clicked(0, nullptr);
    activate("ball");
    click(load);
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-5);
    expect_clean();
}

TEST_F(MemorySlots, ASurfacePartSavedAsAWholeGivesBackItsOwnPoint) {
    TearDown();
    start(1);
    open(mixed_scene);
    activate("surf", {4});
    click(save);
    ASSERT_FALSE(marks().empty());
    EXPECT_EQ(marks().back().indices, std::vector<int>{4});
    activate("curve", {0});
    click(load);
    EXPECT_VEC3_NEAR(row(0), 1, 1, 0, 1e-5);
}

TEST_F(MemorySlots, AMeshInASurfacePartIsKeptAndMarkedAsItself) {
    TearDown();
    start(1);
    open(R"({"shapes": [{"name": "surf", "type": "part", "part": "surface", "children": [
      {"name": "l0", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]},
      {"name": "net", "type": "polygon_mesh", "vertices": [[0, 0, 5], [1, 2, 3]]}]}]})");
    activate("surf/net", {1});
    click(save);
    ASSERT_FALSE(marks().empty());
    EXPECT_EQ(marks().back().shape, shape("surf/net")) << "only a line is kept by its surface part";
    EXPECT_EQ(marks().back().indices, std::vector<int>{1});
}

TEST_F(MemorySlots, ASavedLinePointTheHostRemovedLoadsNothing) {
    open(mixed_scene);
    activate("surf/l1", {2});  // flat point 5 of the part
    click(save);
    host::remove_point(*scene, "surf/l1", 2);
    hostapp->shapes_modified({shape("surf/l1")});
    activate("curve", {0});
    vec3 before = row(0);
    click(load);
    // The stored index now lies past the line's end: reading on would load the next
    // line's first point, which a following "App." would write over.
    EXPECT_VEC3_NEAR(row(0), before.x, before.y, before.z, 0);
    expect_clean();
}

TEST_F(MemorySlots, ASavedLinePointTheHostRemovedIsNoLongerMarked) {
    TearDown();
    start(1);  // marking on
    open(mixed_scene);
    activate("surf/l1", {2});
    click(save);
    ASSERT_EQ(marks().back().indices, std::vector<int>{5});
    host::remove_point(*scene, "surf/l1", 2);
    hostapp->shapes_modified({shape("surf/l1")});
    choose_slot(1);
    std::size_t before = marks().size();
    choose_slot(0);  // the stored point no longer exists: nothing to mark
    EXPECT_EQ(marks().size(), before);
    expect_clean();
}

TEST_F(MemorySlots, AFailedChoiceWhileNoSlotIsChosenLeavesNoneChosen) {
    // The chosen slot's shape was deleted; choosing another slot then fails. No slot is
    // chosen, as before, and the pop-up is not asked to show one; "Save" stores into the
    // slot the pop-up shows.
    open(mixed_scene);
    activate("ball");
    click(save);
    remove("ball");
    activate("plate");
    host::faults().record_trace(true);
    host::faults().fail_operation("get_popup_int_value", 1);
    choose_slot(2);
    std::vector<std::string> const trace = host::faults().trace();
    host::faults().record_trace(false);
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "set_popup_int_value"), 0);
    EXPECT_FALSE(enabled(load));
    click(save);
    EXPECT_TRUE(enabled(load));
    activate("curve", {0});
    click(load);
    EXPECT_VEC3_NEAR(row(0), 5, 0, 0, 1e-5);
    expect_clean();
}

TEST_F(MemorySlots, RefEnablesLoadAgainAfterASaveFailedToEnableIt) {
    open(mixed_scene);
    activate("curve", {1});
    host::faults().fail_operation("set_active", 1);  // Save's enabling of "Load"
    click(save);
    ASSERT_FALSE(enabled(load));
    click(ref);
    EXPECT_TRUE(enabled(load)) << "the slot holds a point: a full refresh shows it";
    expect_clean();
}

}  // namespace
