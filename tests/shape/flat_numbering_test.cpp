// Flat point numbering: a flat index over a part's contents resolves to the shape that
// holds the point and the index inside it.
#include "shape_fixture.h"

namespace {

using shape_test::shape_layer;

char const* const nested = R"({"shapes": [
  {"name": "p", "type": "part", "part": "simple", "children": [
    {"name": "line", "type": "line", "points": [
      {"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}, {"anchor": [2, 0, 0]}, {"anchor": [3, 0, 0]}]},
    {"name": "ball", "type": "sphere"}]},
  {"name": "outer", "type": "part", "part": "simple", "children": [
    {"name": "mesh", "type": "polygon_mesh", "vertices": [[0, 0, 0], [1, 0, 0]]},
    {"name": "inner", "type": "part", "part": "simple", "children": [
      {"name": "line", "type": "line", "points": [
        {"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}, {"anchor": [2, 0, 0]}]},
      {"name": "empty", "type": "part", "part": "simple"},
      {"name": "disk", "type": "disk"}]},
    {"name": "ball", "type": "sphere"}]},
  {"name": "copy", "type": "part", "part": "link", "link_target": "p"},
  {"name": "q", "type": "part", "part": "simple", "children": [
    {"name": "copy", "type": "part", "part": "link", "link_target": "p"},
    {"name": "tail", "type": "sphere"}]},
  {"name": "copy_q", "type": "part", "part": "link", "link_target": "q"}]})";

class FlatNumbering : public shape_layer {
protected:
    void SetUp() override {
        shape_layer::SetUp();
        load(nested);
    }
    // What the member resolves index to: the holder's path and the inner index.
    std::pair<std::string, int> member(char const* path, int index) {
        shape_class* found = wrap(path).substance_shape(&index);
        return {found ? host::shape_node::from(found)->path() : "(none)", index};
    }
    std::pair<std::string, int> free_function(char const* path, int index, bool follow) {
        shape_class* found = substance_shape(host_shape(path), &index, follow);
        return {found ? host::shape_node::from(found)->path() : "(none)", index};
    }
    using resolved = std::pair<std::string, int>;
};

TEST_F(FlatNumbering, PointsRunAcrossChildrenInOrder) {
    EXPECT_EQ(member("p", 0), resolved("p/line", 0));
    EXPECT_EQ(member("p", 3), resolved("p/line", 3));
    EXPECT_EQ(member("p", 4), resolved("p/ball", 0));
    EXPECT_EQ(member("p", 5).first, "(none)");
}

TEST_F(FlatNumbering, NestedPartsAreNumberedDepthFirst) {
    struct row {
        int index;
        char const* holder;
        int inner;
    } const rows[] = {{0, "outer/mesh", 0},       {1, "outer/mesh", 1}, {2, "outer/inner/line", 0},
                      {4, "outer/inner/line", 2}, {5, "outer/inner/disk", 0},
                      {6, "outer/ball", 0}};
    for (auto const& r : rows)
        EXPECT_EQ(member("outer", r.index), resolved(r.holder, r.inner)) << "index " << r.index;
}

TEST_F(FlatNumbering, OutOfRangeIndicesResolveToNothing) {
    EXPECT_EQ(member("outer", 7), resolved("(none)", 7));   // the member checks the count first
    EXPECT_EQ(member("outer", -1), resolved("(none)", -1));
    // The free function consumes the index as it passes shapes.
    EXPECT_EQ(free_function("outer", 7, false), resolved("(none)", 0));
    int index = 0;
    EXPECT_EQ(Shape_class().substance_shape(&index), nullptr);  // a wrapper without a shape
}

TEST_F(FlatNumbering, ANegativeIndexReachesASinglePointShapeOnlyThroughTheFreeFunction) {
    EXPECT_EQ(free_function("p/ball", -1, false), resolved("p/ball", -1));
    EXPECT_EQ(member("p/ball", -1).first, "(none)");
}

TEST_F(FlatNumbering, LinesAndMeshesHoldTheirOwnIndices) {
    EXPECT_EQ(member("p/line", 2), resolved("p/line", 2));
    EXPECT_EQ(member("outer/mesh", 1), resolved("outer/mesh", 1));
    EXPECT_EQ(member("p/line", 4).first, "(none)");
}

TEST_F(FlatNumbering, TheFreeFunctionFollowsALinkOnceWhenAsked) {
    EXPECT_EQ(free_function("copy", 4, true), resolved("p/ball", 0));
    EXPECT_EQ(free_function("copy", 1, true), resolved("p/line", 1));
    EXPECT_EQ(free_function("copy", 1, false).first, "(none)");
    // Links inside the target are not followed again, but their points are still counted.
    EXPECT_EQ(free_function("copy_q", 5, true), resolved("q/tail", 0));
    EXPECT_EQ(free_function("copy_q", 2, true).first, "(none)");
}

TEST_F(FlatNumbering, TheMemberNeverFollowsLinks) {
    EXPECT_EQ(member("copy", 4).first, "(none)");
    EXPECT_EQ(member("q", 5), resolved("q/tail", 0));
}

TEST_F(FlatNumbering, AnIndexInsideAnUnfollowedLinkIsNotHandedToTheNextSibling) {
    // Indices 0-4 of q are the link's points: unreachable, but not the tail's point.
    for (int index = 0; index < 5; ++index)
        EXPECT_EQ(member("q", index).first, "(none)") << "index " << index;
    EXPECT_EQ(free_function("copy_q", 0, true).first, "(none)");
}

// flat_index_of is the way back: a child's point index to the part's flat index.
TEST_F(FlatNumbering, AChildsPointResolvesBackFromItsFlatIndex) {
    struct row {
        char const* part;
        char const* child;
        int index;
        long long flat;
    } const rows[] = {{"outer", "outer/mesh", 1, 1},   // a mesh counts its vertices
                      {"outer", "outer/inner", 3, 5},  // a part all its points
                      {"outer", "outer/ball", 0, 6},   // a single-point shape one
                      {"p", "p/line", 3, 3},           // a line its control points
                      {"p", "p/ball", 0, 4}};
    for (auto const& r : rows) {
        SCOPED_TRACE(std::string(r.child) + " " + std::to_string(r.index));
        long long flat = flat_index_of(host_shape(r.part), host_shape(r.child), r.index);
        EXPECT_EQ(flat, r.flat);
        EXPECT_EQ(member(r.part, static_cast<int>(flat)), member(r.child, r.index));
    }
}

TEST_F(FlatNumbering, APointThatIsNotTheChildsHasNoFlatIndex) {
    struct row {
        char const* why;
        char const* part;
        char const* child;
        int index;
    } const rows[] = {{"past the child's points", "outer", "outer/ball", 1},
                      {"past a mesh's vertices", "outer", "outer/mesh", 2},
                      {"a negative index", "outer", "outer/inner", -1},
                      {"a part without children", "outer/inner/empty", "outer/ball", 0},
                      {"a grandchild", "outer", "outer/inner/line", 0},
                      {"another part's child", "outer", "p/line", 0}};
    for (auto const& r : rows)
        EXPECT_EQ(flat_index_of(host_shape(r.part), host_shape(r.child), r.index), -1) << r.why;
}

TEST_F(FlatNumbering, HostExceptionsReachTheCaller) {
    host::faults().fail_operation("shape.next_sibling", 1);
    int index = 6;
    EXPECT_THROW(wrap("outer").substance_shape(&index), host::host_error);
}

}  // namespace
