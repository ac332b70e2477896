// Scene files: what a valid file builds, and the one-line refusal of every kind of fault.
#include <gtest/gtest.h>

#include <set>

#include "scene_fixture.h"

namespace {

using scene_test::load;
using scene_test::refusal;

TEST(SceneFile, BuildsTheTreeWithKindsNamesAndDefaults) {
    auto scene = load(R"({
      "figure_unit": 2.5,
      "shapes": [
        {"name": "body", "type": "part", "part": "surface", "direction": false, "children": [
          {"name": "l0", "type": "line", "points": [{"anchor": [1, 2, 3], "in": [0, 2, 3]}]},
          {"name": "l1", "type": "line", "points": []}
        ]},
        {"name": "ball", "type": "sphere", "center": [4, 5, 6], "modifiable": false}
      ],
      "active": "body/l0"
    })");
    ASSERT_EQ(scene->roots().size(), 2u);
    EXPECT_FLOAT_EQ(scene->figure_unit(), 2.5f);
    host::shape_node* line = scene->find("body/l0");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(scene->active_shape(), line);
    EXPECT_EQ(line->object_kind(), kind_line);
    EXPECT_EQ(line->part_kind(), -1);
    auto const& cp = line->geometry.points.at(0);
    EXPECT_EQ(cp.in.x, 0.0f);
    // A handle left out equals the anchor.
    EXPECT_EQ(cp.out.x, 1.0f);
    EXPECT_EQ(cp.l_out.z, 3.0f);
    EXPECT_FALSE(cp.linked);
    host::shape_node* body = scene->find("body");
    EXPECT_EQ(body->part_kind(), part_surface);
    EXPECT_FALSE(body->surface_direction);
    EXPECT_TRUE(body->modifiable);
    EXPECT_FALSE(scene->find("ball")->modifiable);
    EXPECT_EQ(scene->find("ball")->geometry.center.y, 5.0f);
    EXPECT_EQ(scene->find("nope"), nullptr);
}

TEST(SceneFile, EmptyObjectIsAnEmptySceneWithUnitFactorOne) {
    auto scene = load("{}");
    EXPECT_TRUE(scene->roots().empty());
    EXPECT_EQ(scene->figure_unit(), 1.0f);
    EXPECT_EQ(scene->active_shape(), nullptr);
    EXPECT_FALSE(scene->state_flag_value());
}

TEST(SceneFile, EveryPartNameMapsToItsHostPartKind) {
    struct row {
        char const* name;
        int kind;
    } const rows[] = {{"simple", 0},  {"surface", 1},   {"rotator", 2},      {"slider", 3},
                      {"scale", 4},   {"uniscale", 5},  {"light_joint", 6},  {"path", 7},
                      {"morph", 8},   {"custom", 9},    {"ball", 10},        {"camera", 11},
                      {"sound", 12},  {"switch", 13},   {"surface_m", 100},  {"link", 101}};
    for (auto const& r : rows) {
        auto scene = load(std::string(R"({"shapes": [{"name": "p", "type": "part", "part": ")") +
                          r.name + "\"}]}");
        EXPECT_EQ(scene->find("p")->part_kind(), r.kind) << r.name;
    }
}

TEST(SceneFile, EveryTypeNameMapsToItsObjectKind) {
    struct row {
        char const* name;
        int kind;
    } const rows[] = {{"line", 4},  {"polygon_mesh", 7},   {"sphere", 5}, {"disk", 6},
                      {"light", 3}, {"master_surface", 8}, {"other", 9}};
    for (auto const& r : rows) {
        auto scene = load(std::string(R"({"shapes": [{"name": "s", "type": ")") + r.name +
                          "\"}]}");
        EXPECT_EQ(scene->find("s")->object_kind(), r.kind) << r.name;
    }
}

TEST(SceneFile, MatricesAreReadRowAfterRow) {
    auto scene = load(R"({"shapes": [{"name": "s", "type": "sphere",
        "matrix": [1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 1],
        "skin": [2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 1, 1, 1, 1]}]})");
    auto const& g = scene->find("s")->geometry;
    EXPECT_EQ(g.local.m[0][1], 2.0f);
    EXPECT_EQ(g.local.m[1][0], 4.0f);
    EXPECT_EQ(g.local.m[3][2], 12.0f);
    EXPECT_TRUE(g.skin.skinned);
    EXPECT_EQ(g.skin.matrix.m[3][0], 1.0f);
}

TEST(SceneFile, MeshVerticesComeAsArraysOrObjectsWithSkins) {
    auto scene = load(R"({"shapes": [{"name": "m", "type": "polygon_mesh", "vertices": [
        [1, 2, 3],
        {"position": [4, 5, 6], "skin": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 9, 9, 9, 1]}]}]})");
    auto const& g = scene->find("m")->geometry;
    ASSERT_EQ(g.vertices.size(), 2u);
    EXPECT_FALSE(g.vertex_skin(0).skinned);
    EXPECT_EQ(g.vertices[1].position.z, 6.0f);
    EXPECT_TRUE(g.vertex_skin(1).skinned);
    EXPECT_EQ(g.vertex_skin(1).matrix.m[3][0], 9.0f);
}

TEST(SceneFile, LinksAndLinkedShapesMayPointForwardInTheFile) {
    auto scene = load(R"({"shapes": [
        {"name": "j", "type": "part", "part": "rotator", "linked_joint": ["m"],
         "linked_skin": ["g", "m"]},
        {"name": "k", "type": "part", "part": "link", "link_target": "g"},
        {"name": "g", "type": "part", "part": "simple"},
        {"name": "m", "type": "sphere"}]})");
    auto* j = scene->find("j");
    EXPECT_EQ(scene->find("k")->link_to, scene->find("g"));
    ASSERT_EQ(j->linked_shapes(tq::uuid_class(0x50090010u)).size(), 1u);
    EXPECT_EQ(j->linked_shapes(tq::uuid_class(0x50090082u)).at(0), scene->find("g"));
}

// Each faulty file is refused with exactly this line; nothing else counts as a refusal.
TEST(SceneFile, RefusesEveryFaultWithOneLineNamingFilePlaceAndProblem) {
    struct row {
        char const* text;
        char const* message;
    } const rows[] = {
        {R"({"shapes": [{"name": "curve", "type": "line", "points": [
                {"anchor": [0, 0, 0]}, {"anchor": [1, 2]}]}]})",
         "t.json: shapes/curve/points[1]/anchor: expected 3 numbers, got 2"},
        {R"({"shapes": [)", nullptr},
        {"[]", "t.json: top level: expected an object, got an array"},
        {R"({"figure_units": 2})", "t.json: top level: unknown key \"figure_units\""},
        {R"({"figure_unit": 0})", "t.json: figure_unit: expected a positive number"},
        {R"({"figure_unit": "1"})", "t.json: figure_unit: expected a number, got a text"},
        {R"({"shapes": {}})", "t.json: shapes: expected an array, got an object"},
        {R"({"shapes": [{"type": "line"}]})", "t.json: shapes[0]: missing key \"name\""},
        {R"({"shapes": [{"name": "a/b", "type": "line"}]})",
         "t.json: shapes[0]/name: a name must be non-empty and contain no \"/\""},
        {R"({"shapes": [{"name": "a", "type": "line"}, {"name": "a", "type": "disk"}]})",
         "t.json: shapes/a: another shape at the same level has this name"},
        {R"({"shapes": [{"name": "a"}]})", "t.json: shapes/a: missing key \"type\""},
        {R"({"shapes": [{"name": "a", "type": "cube"}]})",
         "t.json: shapes/a/type: unknown type \"cube\" (expected part, line, polygon_mesh, "
         "sphere, disk, light, master_surface, other)"},
        {R"({"shapes": [{"name": "a", "type": "part"}]})", "t.json: shapes/a: missing key \"part\""},
        {R"({"shapes": [{"name": "a", "type": "part", "part": "hinge"}]})",
         "t.json: shapes/a/part: unknown part kind \"hinge\" (expected simple, surface, rotator, "
         "slider, scale, uniscale, light_joint, path, morph, switch, custom, ball, camera, "
         "link, surface_m, sound)"},
        {R"({"shapes": [{"name": "a", "type": "sphere", "centre": [0, 0, 0]}]})",
         "t.json: shapes/a: unknown key \"centre\""},
        {R"({"shapes": [{"name": "a", "type": "sphere", "points": []}]})",
         "t.json: shapes/a: key \"points\" does not apply to this shape type"},
        {R"({"shapes": [{"name": "a", "type": "part", "part": "slider", "pivot": [0, 0, 0]}]})",
         "t.json: shapes/a: key \"pivot\" does not apply to this shape type"},
        {R"({"shapes": [{"name": "a", "type": "line", "children": []}]})",
         "t.json: shapes/a: key \"children\" does not apply to this shape type"},
        {R"({"shapes": [{"name": "p", "type": "part", "part": "simple", "children": [
                {"name": "s", "type": "sphere", "center": [0, "x", 0]}]}]})",
         "t.json: shapes/p/s/center: expected 3 numbers, element 1 is a text"},
        {R"({"shapes": [{"name": "s", "type": "sphere", "center": [0, 1e39, 0]}]})",
         "t.json: shapes/s/center: number out of range"},
        {R"({"shapes": [{"name": "s", "type": "sphere", "center": [0, 1e400, 0]}]})",
         "t.json: shapes[0]/center[1]: number out of range"},
        {R"({"shapes": [{"name": "s", "type": "sphere", "matrix": [1, 0, 0]}]})",
         "t.json: shapes/s/matrix: expected 16 numbers, got 3"},
        {R"({"shapes": [{"name": "s", "type": "sphere",
                "matrix": [1, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]}]})",
         "t.json: shapes/s/matrix: column 3 must be (0, 0, 0, w) with w not 0"},
        {R"({"shapes": [{"name": "s", "type": "sphere", "skin": 3}]})",
         "t.json: shapes/s/skin: expected 16 numbers, got a number"},
        {R"({"shapes": [{"name": "s", "type": "sphere", "modifiable": 1}]})",
         "t.json: shapes/s/modifiable: expected true or false, got a number"},
        {R"({"shapes": [{"name": "c", "type": "line", "points": [{"anchor": [0, 0, 0], "lin": true}]}]})",
         "t.json: shapes/c/points[0]: unknown key \"lin\""},
        {R"({"shapes": [{"name": "c", "type": "line", "points": [{"in": [0, 0, 0]}]}]})",
         "t.json: shapes/c/points[0]: missing key \"anchor\""},
        {R"({"shapes": [{"name": "m", "type": "polygon_mesh", "vertices": [{"pos": [0, 0, 0]}]}]})",
         "t.json: shapes/m/vertices[0]: unknown key \"pos\""},
        {R"({"shapes": [{"name": "m", "type": "polygon_mesh", "vertices": [[0, 0]]}]})",
         "t.json: shapes/m/vertices[0]: expected 3 numbers, got 2"},
        {R"({"shapes": [{"name": "k", "type": "part", "part": "link", "link_target": "nowhere"}]})",
         "t.json: shapes/k/link_target: no shape at path \"nowhere\""},
        {R"({"shapes": [{"name": "j", "type": "part", "part": "ball", "linked_skin": ["j", "x/y"]}]})",
         "t.json: shapes/j/linked_skin[1]: no shape at path \"x/y\""},
        {R"({"shapes": [{"name": "k", "type": "part", "part": "link", "link_target": "k"}]})",
         "t.json: shapes/k: link parts form a cycle"},
        {R"({"shapes": [{"name": "c", "type": "line", "points": [{"anchor": [0, 0, 0]}],
                "active_points": [0, 1]}]})",
         "t.json: shapes/c/active_points[1]: index 1 out of range (the shape has 1 points)"},
        {R"({"shapes": [{"name": "c", "type": "line", "active_points": [0.5]}]})",
         "t.json: shapes/c/active_points[0]: expected an index, got a number"},
        {R"({"active": "ghost"})", "t.json: active: no shape at path \"ghost\""},
        {R"({"shapes": [{"name": "s", "type": "sphere", "center": [1, 0, 0],
                "matrix": [1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  0, 0, 0, 1e-40]}]})",
         "t.json: shapes/s: a point is not a finite number in single precision in world "
         "coordinates (check the matrices above it)"},
        {R"({"shapes": [{"name": "p", "type": "part", "part": "simple",
                "matrix": [1e20, 0, 0, 0,  0, 1e20, 0, 0,  0, 0, 1e20, 0,  0, 0, 0, 1],
                "children": [{"name": "c", "type": "line", "points": [{"anchor": [1e19, 0, 0]}]}]}]})",
         "t.json: shapes/p/c: control point 0 is not a finite number in single precision in "
         "world coordinates (check the matrices above it)"},
        {R"({"figure_unit": 1, "figure_unit": 2})", "t.json: top level: duplicate key \"figure_unit\""},
        {R"({"shapes": [{"name": "a", "type": "sphere"}, {"name": "c", "type": "line", "points": [
                {"anchor": [0, 0, 0]}, {"anchor": [0, 0, 0], "in": [1, 1, 1], "in": [2, 2, 2]}]}]})",
         "t.json: shapes[1]/points[1]: duplicate key \"in\""},
    };
    for (auto const& r : rows) {
        std::string message = refusal(r.text);
        if (r.message)
            EXPECT_EQ(message, r.message) << r.text;
        else
            EXPECT_EQ(message.rfind("t.json: malformed JSON: ", 0), 0u) << message;
    }
}

// Shapes nested deep, long chains of links and many siblings load in one pass (no
// recursion to run out of stack, no search per shape); nesting past the bound is refused.
TEST(SceneFile, DeepTreesLongLinkChainsAndManySiblingsLoad) {
    auto nested = [](int depth) {
        std::string text = R"({"shapes": [)";
        for (int i = depth - 1; i >= 0; --i)
            text += R"({"name": "p)" + std::to_string(i) + R"(", "type": "part", "part": "simple", "children": [)";
        text += R"({"name": "leaf", "type": "sphere"})";
        for (int i = 0; i < depth; ++i) text += "]}";
        return text + "]}";
    };
    EXPECT_EQ(load(nested(4000))->all_shapes().size(), 4001u);
    EXPECT_EQ(refusal(nested(20000)), "t.json: shapes/p19999: parts nest deeper than 5000 levels");

    std::string chain = R"({"name": "l0", "type": "part", "part": "link", "link_target": "base"})";
    for (int i = 1; i < 20000; ++i)
        chain += R"(, {"name": "l)" + std::to_string(i) +
                 R"(", "type": "part", "part": "link", "link_target": "l)" + std::to_string(i - 1) + "\"}";
    auto linked = load(R"({"shapes": [{"name": "base", "type": "line", "points": [{"anchor": [0, 0, 0]},
        {"anchor": [1, 0, 0]}]}, )" + chain + "]}");
    EXPECT_EQ(linked->find("l19999")->iface().point_count(), 2);

    std::string spheres;
    for (int i = 0; i < 50000; ++i)
        spheres += (i ? ", " : "") + (R"({"name": "s)" + std::to_string(i) + R"(", "type": "sphere"})");
    EXPECT_EQ(load(R"({"shapes": [)" + spheres + "]}")->roots().size(), 50000u);
    EXPECT_EQ(refusal(R"({"shapes": [{"name": "a", "type": "sphere"}, {"name": "a", "type": "disk"}]})"),
              "t.json: shapes/a: another shape at the same level has this name");
}

TEST(SceneFile, AMissingFileIsRefusedByName) {
    EXPECT_THROW(
        {
            try {
                host::load_scene_file("/nonexistent/scene.json");
            } catch (host::scene_file_error const& e) {
                EXPECT_STREQ(e.what(), "/nonexistent/scene.json: cannot open the file");
                throw;
            }
        },
        host::scene_file_error);
}

TEST(SceneFile, TheFormatExampleLoadsAndUsesEveryShapeTypeAndPartKind) {
    auto scene = host::load_scene_file(VEXEL_SOURCE_DIR "/examples/scene-format.json");
    std::set<int> kinds, parts;
    for (auto* shape : scene->all_shapes()) {
        kinds.insert(shape->object_kind());
        if (shape->is_part()) parts.insert(shape->part_kind());
    }
    EXPECT_EQ(kinds.size(), 8u);
    EXPECT_EQ(parts.size(), 16u);
    EXPECT_EQ(scene->active_shape(), scene->find("body/wing/curve0"));
    EXPECT_FLOAT_EQ(scene->figure_unit(), 0.1f);
}

}  // namespace
