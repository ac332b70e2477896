// The points each kind of shape keeps, in the order of its own numbering, with their roles
// and frames, and the move of one point by index: it moves that point (an anchor its
// handles along) and nothing else.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "scene/shape_points.h"
#include "scene_fixture.h"

namespace {

using host::point_role;
using host::shape_point;
using scene_test::load;

// Every kind of shape the file format knows, with numbers exact in float sums.
char const* const every_kind = R"({"shapes": [
  {"name": "curve", "type": "line", "skin": [1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  50, 0, 0, 1],
   "points": [
    {"anchor": [1, 2, 3], "in": [0, 2, 3], "out": [2, 2, 3], "l_in": [1, 1, 3], "l_out": [1, 3, 3]},
    {"anchor": [5, 0, 0], "in": [4, 0, 0], "out": [6, 0, 0], "l_in": [5, -1, 0], "l_out": [5, 1, 0],
     "skin": [2, 0, 0, 0,  0, 2, 0, 0,  0, 0, 2, 0,  0, 0, 0, 1]}]},
  {"name": "mesh", "type": "polygon_mesh", "vertices": [
    [1, 1, 1], {"position": [2, 2, 2], "skin": [1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  0, 9, 0, 1]}]},
  {"name": "lamp", "type": "light", "center": [3, 3, 3]},
  {"name": "ball", "type": "sphere", "center": [4, 4, 4]},
  {"name": "plate", "type": "disk", "center": [5, 5, 5],
   "skin": [1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  0, 0, 7, 1]},
  {"name": "rot", "type": "part", "part": "rotator", "first_point": [1, 0, 0], "second_point": [0, 2, 0]},
  {"name": "sca", "type": "part", "part": "scale", "first_point": [0, 1, 0], "second_point": [0, 0, 4]},
  {"name": "sli", "type": "part", "part": "slider", "first_point": [1, 1, 0], "second_point": [3, 3, 0]},
  {"name": "uni", "type": "part", "part": "uniscale", "first_point": [6, 0, 0]},
  {"name": "pin", "type": "part", "part": "ball", "pivot": [0, 6, 0]},
  {"name": "cam", "type": "part", "part": "camera", "eye": [0, 0, 10], "target": [0, 0, 0]},
  {"name": "wing", "type": "part", "part": "surface", "children": [
    {"name": "rib", "type": "line", "points": [{"anchor": [0, 0, 0]}]}]},
  {"name": "group", "type": "part", "part": "simple"},
  {"name": "odd", "type": "other"},
  {"name": "master", "type": "master_surface"}]})";

std::vector<shape_point> points_of(host::shape_node const& shape) {
    std::vector<shape_point> list;
    host::for_each_point(shape, [&](shape_point const& p) { list.push_back(p); });
    return list;
}

bool same(vec3 const& a, vec3 const& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

auto const A = point_role::anchor, I = point_role::in_handle, O = point_role::out_handle,
           LI = point_role::l_in_handle, LO = point_role::l_out_handle;

struct kind_row {
    char const* path;
    std::vector<int> indices;
    std::vector<point_role> roles;
};

kind_row const rows[] = {
    {"curve", {0, 0, 0, 0, 0, 1, 1, 1, 1, 1}, {A, I, O, LI, LO, A, I, O, LI, LO}},
    {"mesh", {0, 1}, {point_role::vertex, point_role::vertex}},
    {"lamp", {0}, {point_role::center}},
    {"ball", {0}, {point_role::center}},
    {"plate", {0}, {point_role::center}},
    {"rot", {0, 1}, {point_role::joint_first, point_role::joint_end}},
    {"sca", {0, 1}, {point_role::joint_first, point_role::joint_end}},
    {"sli", {0, 1}, {point_role::joint_first, point_role::joint_end}},
    {"uni", {0}, {point_role::pivot}},
    {"pin", {0}, {point_role::pivot}},
    {"cam", {0, 1}, {point_role::eye, point_role::target}},
    {"wing", {}, {}},  // a part's points are its children's
    {"group", {}, {}},
    {"odd", {}, {}},
    {"master", {}, {}},
};

TEST(ShapePoints, EachKindListsItsPointsInOrderWithTheirRoles) {
    auto scene = load(every_kind);
    for (kind_row const& row : rows) {
        std::vector<int> indices;
        std::vector<point_role> roles;
        for (shape_point const& p : points_of(*scene->find(row.path))) {
            indices.push_back(p.index);
            roles.push_back(p.role);
        }
        EXPECT_EQ(indices, row.indices) << row.path;
        EXPECT_EQ(roles, row.roles) << row.path;
    }
}

TEST(ShapePoints, MovingPointIByIndexMovesThatPointAndNothingElse) {
    for (kind_row const& row : rows) {
        int count = row.indices.empty() ? 0 : row.indices.back() + 1;
        for (int i = 0; i < count; ++i) {
            auto scene = load(every_kind);
            host::shape_node& shape = *scene->find(row.path);
            std::vector<shape_point> before = points_of(shape);
            vec3 const to{100.0f + 10 * i, 7, -3};
            ASSERT_TRUE(host::move_shape_point(shape, i, to)) << row.path << " " << i;
            std::vector<shape_point> after = points_of(shape);
            ASSERT_EQ(after.size(), before.size()) << row.path;
            vec3 moved_by{0, 0, 0};
            for (std::size_t k = 0; k < after.size(); ++k) {
                shape_point const& was = before[k];
                shape_point const& now = after[k];
                if (now.index != i) {
                    EXPECT_TRUE(same(now.position, was.position)) << row.path << " point " << k;
                } else if (!host::is_handle(now.role)) {
                    EXPECT_TRUE(same(now.position, to)) << row.path << " point " << k;
                    moved_by = subtract(to, was.position);
                } else {  // the anchor's handles keep their place relative to it
                    EXPECT_TRUE(same(now.position, add(was.position, moved_by)))
                        << row.path << " handle " << k;
                }
            }
        }
    }
}

TEST(ShapePoints, AnIndexTheShapeDoesNotKeepIsRefusedAndChangesNothing) {
    for (kind_row const& row : rows) {
        auto scene = load(every_kind);
        host::shape_node& shape = *scene->find(row.path);
        host::shape_geometry const kept = shape.geometry;
        int count = row.indices.empty() ? 0 : row.indices.back() + 1;
        for (int i : {-1, count})
            EXPECT_FALSE(host::move_shape_point(shape, i, {1, 1, 1})) << row.path << " " << i;
        EXPECT_TRUE(host::same_geometry(shape.geometry, kept)) << row.path;
    }
}

TEST(ShapePoints, ARotatorsEndIsItsFirstPointPlusItsAxisAndStaysWhenTheFirstMoves) {
    auto scene = load(every_kind);
    host::shape_node& rot = *scene->find("rot");
    scene_test::expect_vec3(points_of(rot)[1].position, 1, 2, 0);
    ASSERT_TRUE(host::move_shape_point(rot, 0, {0, 0, 0}));
    scene_test::expect_vec3(rot.geometry.second, 1, 2, 0);  // the axis now reaches the old end
}

TEST(ShapePoints, APointIsKeptInItsElementsSkinElseInTheShapesSkinForItsOwnPoints) {
    auto scene = load(every_kind);
    auto const& curve = *scene->find("curve");
    auto const& mesh = *scene->find("mesh");
    auto const& plate = *scene->find("plate");
    std::vector<shape_point> line = points_of(curve);
    // A control point without a skin is in the line's frame, not the line's shape skin.
    for (int k = 0; k < 5; ++k) EXPECT_EQ(line[k].skin, nullptr) << k;
    for (int k = 5; k < 10; ++k) EXPECT_EQ(line[k].skin, &curve.geometry.points[1].skin.matrix) << k;
    EXPECT_EQ(points_of(mesh)[0].skin, nullptr);
    EXPECT_EQ(points_of(mesh)[1].skin, &mesh.geometry.vertex_skins[0]);
    EXPECT_EQ(points_of(plate)[0].skin, &plate.geometry.skin.matrix);
    EXPECT_EQ(points_of(*scene->find("ball"))[0].skin, nullptr);

    host::dmat4 chain = host::identity_dmat4();
    scene_test::expect_vec3(host::world_position(line[5], chain), 10, 0, 0);
    scene_test::expect_vec3(host::world_position(points_of(mesh)[1], chain), 2, 11, 2);
    scene_test::expect_vec3(host::world_position(points_of(plate)[0], chain), 5, 5, 12);
}

}  // namespace
