// Undo brackets: the record names the surface part that owns a line, else the shape, and
// one host undo restores every write made inside the bracket.
#include "shape_fixture.h"

namespace {

using shape_test::expect_vec3;
using shape_test::shape_layer;

char const* const undo_scene = R"({"shapes": [
  {"name": "wing", "type": "part", "part": "surface", "children": [
    {"name": "c0", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]},
    {"name": "c1", "type": "line", "points": [{"anchor": [0, 2, 0]}, {"anchor": [1, 2, 0]}]}]},
  {"name": "body", "type": "part", "part": "simple", "children": [
    {"name": "curve", "type": "line", "points": [{"anchor": [5, 5, 5]}]}]},
  {"name": "rail", "type": "part", "part": "slider", "first_point": [0, 0, 0], "second_point": [0, 5, 0]}]})";

class UndoBracket : public shape_layer {
protected:
    void SetUp() override {
        shape_layer::SetUp();
        load(undo_scene);
    }
    host::undo_call const& call(std::size_t i) { return scene->undo_records().calls().at(i); }
};

TEST_F(UndoBracket, ALineInASurfacePartRecordsThePart) {
    Shape_class s = wrap("wing/c1");
    s.start_undo(false);
    EXPECT_EQ(s.surface_dad, &host_shape("wing"));
    s.end_undo();
    ASSERT_EQ(scene->undo_records().calls().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(call(i).shapes, std::vector<shape_class*>{&host_shape("wing")});
        EXPECT_TRUE(call(i).flag_a);  // the negation of the argument
        EXPECT_TRUE(call(i).flag_b);  // a surface part is named
        EXPECT_EQ(call(i).kind, 0);
    }
    EXPECT_EQ(scene->undo_records().step_count(), 1u);
    EXPECT_EQ(scene->undo_records().mismatches(), 0);
}

TEST_F(UndoBracket, ALineUnderASimplePartRecordsTheLineItself) {
    Shape_class s = wrap("body/curve");
    s.start_undo(true);
    s.end_undo();
    EXPECT_EQ(call(0).shapes, std::vector<shape_class*>{&host_shape("body/curve")});
    EXPECT_FALSE(call(0).flag_a);
    EXPECT_FALSE(call(0).flag_b);
    EXPECT_EQ(scene->undo_records().mismatches(), 0);
    EXPECT_FALSE(scene->undo_record_open());
}

TEST_F(UndoBracket, OneHostUndoRestoresEveryWriteOfTheBracket) {
    Shape_class s = wrap("wing/c1");
    s.start_undo(false);
    s.set_position(0, {9, 9, 9}, false);
    s.set_position(1, {8, 8, 8}, true);
    Surface_point p{};
    ASSERT_TRUE(s.get_surface_point(1, p, false));
    p.in_handle = {7, 7, 7};
    p.linked = true;
    ASSERT_TRUE(s.set_surface_point(1, p, false));
    s.end_undo();
    expect_vec3(node("wing/c1").geometry.points[1].in, {7, 7, 7});

    ASSERT_TRUE(scene->undo());
    auto const& points = node("wing/c1").geometry.points;
    expect_vec3(points[0].anchor, {0, 2, 0});
    expect_vec3(points[1].anchor, {1, 2, 0});
    expect_vec3(points[1].in, {1, 2, 0});
    EXPECT_FALSE(points[1].linked);
}

TEST_F(UndoBracket, AJointBracketRestoresItsPoints) {
    Shape_class s = wrap("rail");
    s.start_undo(false);
    s.set_position(0, {1, 1, 1}, false);
    s.set_position(1, {2, 2, 2}, false);
    s.end_undo();
    ASSERT_TRUE(scene->undo());
    expect_vec3(node("rail").geometry.first, {0, 0, 0});
    expect_vec3(node("rail").geometry.second, {0, 5, 0});
}

TEST_F(UndoBracket, AFailingRecordReachesTheCallerAndReleasesTheScene) {
    Shape_class s = wrap("body/curve");
    host::faults().fail_operation("scene.begin_undo_record", 1);
    EXPECT_THROW(s.start_undo(false), host::host_error);
    EXPECT_TRUE(host::audit().outstanding().empty());
    host::faults().fail_operation("scene.commit_undo", 1);
    s.start_undo(false);
    EXPECT_THROW(s.end_undo(), host::host_error);
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(UndoBracket, AFailedCommitTriedAgainCommitsTheRecordOnce) {
    Shape_class s = wrap("body/curve");
    s.start_undo(false);
    s.set_position(0, {9, 9, 9}, false);
    host::faults().fail_operation("scene.commit_undo", 1);
    EXPECT_THROW(s.end_undo(), host::host_error);
    s.end_undo();
    EXPECT_TRUE(scene->violations().empty());
    ASSERT_TRUE(scene->undo());
    expect_vec3(node("body/curve").geometry.points[0].anchor, {5, 5, 5});
}

TEST_F(UndoBracket, WithoutAShapeThereIsNothingToRecord) {
    Shape_class none;
    none.start_undo(false);
    none.end_undo();
    EXPECT_TRUE(scene->undo_records().calls().empty());
}

}  // namespace
