// Undo records: one host undo restores exactly what a bracket of plug-in writes changed.
#include <gtest/gtest.h>

#include <cstring>

#include "scene_files/scene_dump.h"
#include "scene/scene_edits.h"
#include "scene_fixture.h"

namespace {

using scene_test::load;

char const* const undo_scene = R"({"shapes": [
  {"name": "wing", "type": "part", "part": "surface", "children": [
    {"name": "l0", "type": "line", "points": [
      {"anchor": [0.1, 0.2, 0.3], "in": [1, 0, 0], "linked": true}, {"anchor": [1, 1, 1]}]},
    {"name": "l1", "type": "line", "points": [{"anchor": [7, 7, 7]}]}]},
  {"name": "rot", "type": "part", "part": "rotator", "first_point": [0, 0, 0], "second_point": [0, 0, 10]},
  {"name": "other", "type": "sphere", "center": [3, 3, 3]}]})";

class SceneUndo : public scene_test::checked_scene {
protected:
    std::unique_ptr<host::scene_model> scene = load(undo_scene);
    shape_class& shape(char const* path) { return scene->find(path)->iface(); }
    std::string dump() { return host::dump_scene_text(*scene); }
    void begin(shape_class* s, bool flag_b) { scene->begin_undo_record(1, &s, true, flag_b, 0); }
    void end(shape_class* s, bool flag_b) { scene->end_undo_record(1, &s, true, flag_b, 0); }
};

TEST_F(SceneUndo, OneUndoRestoresEveryWriteOfTheBracketExactly) {
    std::string before = dump();
    shape_class* wing = &shape("wing");
    begin(wing, true);
    EXPECT_TRUE(scene->undo_record_open());
    control_point_class* cp = wing->control_point_at(0);
    cp->set_point_position({9.123f, -4, 1e-7f});
    cp->set_in_handle({5, 5, 5});
    cp->set_linked(false);
    wing->control_point_at(2)->set_l_out_handle({8, 8, 8});  // l1, inside the subtree
    wing->apply_transformation(mat4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.3f, 0, 0, 1));
    end(wing, true);
    EXPECT_FALSE(scene->undo_record_open());
    scene->commit_undo();
    EXPECT_NE(dump(), before);
    EXPECT_TRUE(scene->undo());
    EXPECT_EQ(dump(), before);
    auto const& restored = scene->find("wing/l0")->geometry.points[0];
    EXPECT_EQ(restored.anchor.x, 0.1f);  // bit for bit, not approximately
    EXPECT_TRUE(restored.linked);
    EXPECT_FALSE(scene->undo());  // nothing more to undo
}

TEST_F(SceneUndo, UndoLeavesShapesOutsideTheRecordAlone) {
    shape_class* l0 = &shape("wing/l0");
    begin(l0, false);
    l0->control_point_at(0)->set_point_position({1, 2, 3});
    shape("other").as_sphere()->set_center({0, 0, 0});
    end(l0, false);
    scene->commit_undo();
    scene->undo();
    EXPECT_EQ(scene->find("wing/l0")->geometry.points[0].anchor.x, 0.1f);
    EXPECT_EQ(scene->find("other")->geometry.center.x, 0.0f);
}

TEST_F(SceneUndo, ARecordCoversLinkTargetsAndLinkedShapes) {
    auto linked = load(R"({"shapes": [
        {"name": "j", "type": "part", "part": "ball", "linked_joint": ["s"], "linked_skin": ["p"]},
        {"name": "s", "type": "sphere"},
        {"name": "p", "type": "part", "part": "simple", "children": [
          {"name": "c", "type": "line", "points": [{"anchor": [1, 1, 1]}]}]},
        {"name": "k", "type": "part", "part": "link", "link_target": "p"}]})");
    mat4 const move(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 2, 0, 0, 1);
    std::string before = host::dump_scene_text(*linked);
    shape_class* j = &linked->find("j")->iface();
    linked->begin_undo_record(1, &j, true, false, 0);
    linked->find("s")->iface().apply_transformation(move);
    linked->find("p/c")->iface().apply_transformation(move);
    linked->end_undo_record(1, &j, true, false, 0);
    linked->commit_undo();
    shape_class* k = &linked->find("k")->iface();
    linked->begin_undo_record(1, &k, true, false, 0);
    k->point_count();
    linked->find("p/c")->iface().control_point_at(0)->set_point_position({5, 5, 5});
    linked->end_undo_record(1, &k, true, false, 0);
    linked->commit_undo();
    linked->undo();
    linked->undo();
    EXPECT_EQ(host::dump_scene_text(*linked), before);
}

TEST_F(SceneUndo, StepsUndoInReverseOrder) {
    shape_class* rot = &shape("rot");
    for (float z : {4.0f, 6.0f}) {
        begin(rot, false);
        joint_interface* view = rot->rotator_joint();
        view->set_first_point({0, 0, z});
        view->Release();
        end(rot, false);
        scene->commit_undo();
    }
    EXPECT_EQ(scene->undo_records().step_count(), 2u);
    scene->undo();
    EXPECT_EQ(scene->find("rot")->geometry.first.z, 4.0f);
    scene->undo();
    EXPECT_EQ(scene->find("rot")->geometry.first.z, 0.0f);
}

TEST_F(SceneUndo, TheArgumentsOfEveryCallAreRecorded) {
    shape_class* wing = &shape("wing");
    begin(wing, true);
    end(wing, true);
    auto const& calls = scene->undo_records().calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].operation, "begin");
    EXPECT_EQ(calls[0].shapes, std::vector<shape_class*>{wing});
    EXPECT_TRUE(calls[0].flag_a);
    EXPECT_TRUE(calls[0].flag_b);
    EXPECT_EQ(calls[0].kind, 0);
    EXPECT_EQ(calls[1].operation, "end");
    EXPECT_EQ(scene->undo_records().mismatches(), 0);
}

TEST_F(SceneUndo, ProtocolFaultsAreRefusedAndCounted) {
    shape_class* wing = &shape("wing");
    EXPECT_THROW(end(wing, true), host::host_error);
    EXPECT_THROW(scene->commit_undo(), host::host_error);
    begin(wing, true);
    EXPECT_THROW(begin(wing, true), host::host_error);
    EXPECT_TRUE(scene->undo_record_open());
    // An end naming another shape still closes the record but is counted.
    shape_class* l0 = &shape("wing/l0");
    end(l0, true);
    EXPECT_EQ(scene->undo_records().mismatches(), 1);
    EXPECT_EQ(scene->undo_records().protocol_errors(), 3);
    EXPECT_FALSE(scene->undo_record_open());
}

TEST_F(SceneUndo, ForeignOrNullShapesAreRefused) {
    auto elsewhere = load(undo_scene);
    shape_class* foreign = &elsewhere->find("wing")->iface();
    EXPECT_THROW(begin(foreign, true), host::host_error);
    EXPECT_THROW(begin(nullptr, true), host::host_error);
    EXPECT_THROW(scene->begin_undo_record(1, nullptr, true, true, 0), host::host_error);
    EXPECT_FALSE(scene->undo_record_open());
}

// Undo never succeeds without a visible change, whichever front end asks.
TEST_F(SceneUndo, ARecordInWhichNothingChangedIsNeverOffered) {
    shape_class* wing = &shape("wing");
    begin(wing, true);
    wing->control_point_at(0)->set_point_position({5, 5, 5});
    end(wing, true);
    scene->commit_undo();
    begin(wing, true);
    wing->control_point_at(0)->set_point_position({5, 5, 5});  // the value it already has
    end(wing, true);
    scene->commit_undo();
    EXPECT_TRUE(scene->can_undo());
    EXPECT_TRUE(scene->undo()) << "the step that changed the point, past the one that did not";
    EXPECT_EQ(scene->find("wing/l0")->geometry.points[0].anchor.x, 0.1f);
    EXPECT_FALSE(scene->can_undo());
    EXPECT_FALSE(scene->undo());
}

TEST_F(SceneUndo, ANegativeZeroIsAChange) {
    shape_class* other = &shape("other");
    scene->find("other")->geometry.center = {0, 0, 0};
    begin(other, false);
    other->as_sphere()->set_center({-0.0f, 0, 0});
    end(other, false);
    scene->commit_undo();
    EXPECT_TRUE(scene->can_undo()) << "undo restores every bit";
}

TEST_F(SceneUndo, RedoTakesTheUndoneStepForwardUntilANewStepIsMade) {
    shape_class* rot = &shape("rot");
    auto set_first = [&](float z) {
        begin(rot, false);
        joint_interface* view = rot->rotator_joint();
        view->set_first_point({0, 0, z});
        view->Release();
        end(rot, false);
        scene->commit_undo();
    };
    set_first(4);
    set_first(6);
    EXPECT_FALSE(scene->can_redo());
    ASSERT_TRUE(scene->undo());
    ASSERT_TRUE(scene->undo());
    EXPECT_EQ(scene->find("rot")->geometry.first.z, 0.0f);
    ASSERT_TRUE(scene->redo());
    EXPECT_EQ(scene->find("rot")->geometry.first.z, 4.0f);
    ASSERT_TRUE(scene->undo());
    ASSERT_TRUE(scene->redo());
    ASSERT_TRUE(scene->redo());
    EXPECT_EQ(scene->find("rot")->geometry.first.z, 6.0f);
    EXPECT_FALSE(scene->redo());
    scene->undo();
    set_first(9);
    EXPECT_FALSE(scene->can_redo()) << "a new step ends what could be redone";
    EXPECT_FALSE(scene->redo());
}

TEST_F(SceneUndo, AHostStepIsOneUndoStepOutsideThePluginsProtocol) {
    std::string before = dump();
    scene->begin_host_step("wing/l0");
    host::move_point(*scene, "wing/l0", 1, {3, 3, 3});
    host::move_point(*scene, "wing/l0", 1, {4, 4, 4});
    scene->commit_host_step();
    EXPECT_TRUE(scene->undo_records().calls().empty());
    EXPECT_EQ(scene->undo_records().protocol_errors(), 0);
    ASSERT_TRUE(scene->undo());
    EXPECT_EQ(dump(), before);
    ASSERT_TRUE(scene->redo());
    EXPECT_EQ(scene->find("wing/l0")->geometry.points[1].anchor.x, 4.0f);
}

TEST_F(SceneUndo, AHostStepCalledOffPutsTheShapeBackAndFilesNoStep) {
    host::move_point(*scene, "wing/l0", 0, {7, 7, 7});
    scene->begin_host_step("wing/l0");
    std::string before = dump();
    host::move_point(*scene, "wing/l0", 1, {3, 3, 3});
    scene->cancel_host_step();
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(scene->undo_records().step_count(), 0u);
    scene->commit_host_step();  // nothing begun any more
    EXPECT_EQ(scene->undo_records().step_count(), 0u);
}

TEST_F(SceneUndo, AShapeDeletedAfterItsRecordIsSkippedByUndo) {
    shape_class* wing = &shape("wing");
    begin(wing, true);
    wing->control_point_at(0)->set_point_position({5, 5, 5});
    end(wing, true);
    scene->commit_undo();
    scene->delete_shape("wing/l1");
    EXPECT_TRUE(scene->undo());
    EXPECT_EQ(scene->find("wing/l0")->geometry.points[0].anchor.x, 0.1f);
    EXPECT_EQ(scene->find("wing/l1"), nullptr);
}

}  // namespace
