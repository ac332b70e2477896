// What the window must be showing after each action, followed from the outside.
#include <gtest/gtest.h>

#include "oracle_fixture.h"
#include "scene/scene_edits.h"
#include "script_syntax.h"
#include "window_contract.h"

namespace {

using namespace oracles;
using namespace oracles_test;

char const* const scene_text = R"({"shapes": [
  {"name": "wing", "type": "part", "part": "surface", "children": [
    {"name": "front", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]},
    {"name": "back", "type": "line", "points": [{"anchor": [0, 1, 0]}, {"anchor": [1, 1, 0]}, {"anchor": [2, 1, 0]}]}]},
  {"name": "curve", "type": "line", "active_points": [2, 0],
   "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}, {"anchor": [2, 0, 0]}]},
  {"name": "ball", "type": "sphere", "center": [1, 2, 3]}
], "active": "curve"})";

class WindowContract : public ::testing::Test {
protected:
    void follow(std::string const& line, action_outcome const& outcome = {}) {
        script::script s = script::parse_script_text(line);
        contract.follow(s.actions.front(), *scene, outcome);
    }
    host::shape_node* shape(char const* path) { return scene->find(path); }

    std::unique_ptr<host::scene_model> scene = scene_of(scene_text);
    window_contract contract;
};

TEST_F(WindowContract, ARefreshShowsTheActiveShapesFirstActivePoint) {
    EXPECT_EQ(contract.shape(), nullptr);
    follow("ref");
    EXPECT_EQ(contract.shape(), shape("curve"));
    EXPECT_EQ(contract.index(), 2);
    EXPECT_TRUE(contract.refreshed());
    EXPECT_TRUE(contract.rebound());
    EXPECT_TRUE(contract.rows_current());
}

TEST_F(WindowContract, AShapeWithFixedPointsShowsPointZero) {
    scene->set_active_shape("ball");
    follow("active ball");
    EXPECT_EQ(contract.shape(), shape("ball"));
    EXPECT_EQ(contract.index(), 0);
    follow("click App.");  // the one point is written as index -1
    EXPECT_EQ(contract.index(), -1);
}

TEST_F(WindowContract, TheTickFollowsTheShownLinesActivePointButNeverRebinds) {
    follow("ref");
    scene->set_active_points("curve", {1});
    follow("idle");
    EXPECT_EQ(contract.index(), 1);
    EXPECT_TRUE(contract.refreshed());
    EXPECT_FALSE(contract.rebound());
    scene->set_active_shape("ball");
    follow("idle");
    EXPECT_EQ(contract.shape(), shape("curve"));
    EXPECT_FALSE(contract.refreshed());
}

TEST_F(WindowContract, RowsTheUserTouchedOrAHiddenWindowMissedAreNotCurrent) {
    follow("ref");
    follow("type 0 x 5");
    EXPECT_FALSE(contract.rows_current());
    follow("click mode1");  // a mode button refreshes the values
    EXPECT_TRUE(contract.rows_current());
    follow("hide");
    follow("idle");  // the tick that sees it hidden
    follow("move curve 2 5 5 5");
    EXPECT_FALSE(contract.rows_current());
    follow("show");
    follow("idle");  // the tick that finds it shown again refreshes it completely
    EXPECT_TRUE(contract.rebound());
    EXPECT_TRUE(contract.rows_current());
}

TEST_F(WindowContract, TheTicksAfterAFailedTickAreLeftOpenUntilOneReadsTheStateFlag) {
    follow("ref");
    contract.fault_struck(script::action_kind::idle);
    follow("idle");
    EXPECT_TRUE(contract.left_open()) << "a whole refresh, or only the point followed";
    follow("idle");
    EXPECT_TRUE(contract.left_open()) << "the state flag the window last saw";
    follow("idle");
    EXPECT_FALSE(contract.left_open());
}

TEST_F(WindowContract, ADeletionInsideTheShownShapeLetsItGo) {
    scene->set_active_shape("wing");
    follow("ref");
    ASSERT_EQ(contract.shape(), shape("wing"));
    action_outcome gone;
    gone.deleted = {shape("wing/front")};
    gone.deleted_under = {shape("wing")};
    follow("delete wing/front", gone);
    EXPECT_EQ(contract.shape(), nullptr);
}

TEST_F(WindowContract, ASurfaceLinesPointIsSavedByTheLineAndNamedByItsFlatIndex) {
    scene->set_active_shape("wing/back");
    scene->set_active_points("wing/back", {1});
    follow("ref");
    follow("click Save");
    ASSERT_TRUE(contract.saved());
    saved_point const& slot = contract.slot(0);
    EXPECT_EQ(slot.shape, shape("wing"));
    EXPECT_EQ(slot.line, shape("wing/back"));
    EXPECT_EQ(window_contract::flat_index(slot), 3);  // two points of "front" come first

    action_outcome earlier;
    earlier.deleted = {shape("wing/front")};
    earlier.deleted_under = {shape("wing")};
    scene->delete_shape("wing/front");
    follow("delete wing/front", earlier);
    EXPECT_EQ(window_contract::flat_index(contract.slot(0)), 1);  // still the same point

    action_outcome own;
    own.deleted = {shape("wing/back")};
    own.deleted_under = {shape("wing")};
    follow("delete wing/back", own);
    EXPECT_EQ(contract.slot(0).shape, nullptr);
    EXPECT_EQ(contract.chosen(), -1);
}

TEST_F(WindowContract, ASlotKeepsItsIndexWhenPointsAreInsertedOrRemoved) {
    scene->set_active_shape("wing/back");
    scene->set_active_points("wing/back", {2});
    follow("ref");
    follow("click Save");
    host::remove_point(*scene, "wing/back", 0);
    follow("remove-point wing/back 0");
    EXPECT_FALSE(window_contract::still_there(contract.slot(0))) << "index 2 of a line of two names no point";
    host::insert_point(*scene, "wing/back", 0, {9, 9, 9});
    follow("insert-point wing/back 0 9 9 9");
    ASSERT_TRUE(window_contract::still_there(contract.slot(0)));
    EXPECT_EQ(window_contract::flat_index(contract.slot(0)), 4);
}

TEST_F(WindowContract, ANewSceneOrARestartEmptiesEverySlot) {
    follow("ref");
    follow("click Save");
    follow("announce");
    EXPECT_EQ(contract.slot(0).shape, nullptr);
    // The announcement names the scene's active shape, which the shown window shows anew.
    EXPECT_EQ(contract.shape(), shape("curve"));
    EXPECT_TRUE(contract.rebound());
    follow("hide");
    follow("announce");
    EXPECT_EQ(contract.shape(), nullptr) << "a hidden window does not follow it";
    follow("show");
    follow("ref");
    follow("slot 4");
    follow("click Save");
    follow("restart");
    EXPECT_EQ(contract.slot(4).shape, nullptr);
    EXPECT_EQ(contract.chosen(), 0);
}

}  // namespace
