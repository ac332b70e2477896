// The scene dump: every shape with its path, the plug-in's type name and its points in
// both frames; and the dump command's exit status and messages.
#include <gtest/gtest.h>

#include <sstream>

#include "scene_files/scene_dump.h"
#include "scene_fixture.h"

namespace {

using scene_test::load;

nlohmann::ordered_json shape_entry(nlohmann::ordered_json const& dump, std::string const& path) {
    for (auto const& shape : dump["shapes"])
        if (shape["path"] == path) return shape;
    ADD_FAILURE() << "no shape " << path << " in the dump";
    return {};
}

TEST(SceneDump, ListsEveryShapeInPreOrderWithThePluginsTypeNames) {
    auto scene = host::load_scene_file(VEXEL_SOURCE_DIR "/examples/scene-format.json");
    auto dump = host::dump_scene_json(*scene);
    ASSERT_EQ(dump["shapes"].size(), scene->all_shapes().size());
    EXPECT_EQ(dump["shapes"][0]["path"], "body");
    EXPECT_EQ(dump["active"], "body/wing/curve0");
    struct row {
        char const* path;
        char const* type;
    } const rows[] = {{"body", "Simple part"},       {"body/wing", "Surface part"},
                      {"body/wing/curve0", "Line"},  {"body/hull", "Polygon mesh"},
                      {"body/lamp", "Light"},        {"body/knob", "Sphere"},
                      {"body/plate", "Disk"},        {"body/master", "Master surface"},
                      {"body/gadget", "Other"},      {"arm", "Rotator joint"},
                      {"rail", "Slider joint"},      {"grow", "Scale joint"},
                      {"swell", "Uniscale joint"},   {"socket", "Ball joint"},
                      {"view", "Camera joint"},      {"copy", "Link part"},
                      {"glow", "Light joint"},       {"track", "Path joint"},
                      {"blend", "Morph joint"},      {"toggle", "SWITCH_JOINT"},
                      {"rig", "Custom joint"},       {"patch", "Surface M part"},
                      {"chime", "Sound part"}};
    for (auto const& r : rows) EXPECT_EQ(shape_entry(dump, r.path)["type"], r.type) << r.path;
}

TEST(SceneDump, PointsAppearInTheirLocalAndWorldFrames) {
    auto scene = host::load_scene_file(VEXEL_SOURCE_DIR "/examples/scene-format.json");
    auto dump = host::dump_scene_json(*scene);
    // body moves everything by (10, 0, 0); curve0's point 1 has its own skin (0, 0, 5).
    auto curve = shape_entry(dump, "body/wing/curve0");
    EXPECT_EQ(curve["points"][0]["world"], nlohmann::ordered_json::parse("[10, 0, 0]"));
    EXPECT_EQ(curve["points"][0]["in"]["world"], nlohmann::ordered_json::parse("[9, 0, 0]"));
    EXPECT_EQ(curve["points"][1]["world"], nlohmann::ordered_json::parse("[4, 0, 5]"));
    // The rotator's second point is the end of its axis vector.
    auto arm = shape_entry(dump, "arm");
    EXPECT_EQ(arm["points"][1]["local"], nlohmann::ordered_json::parse("[0, 0, 10]"));
    EXPECT_EQ(arm["linked_joint"], nlohmann::ordered_json::parse(R"(["body/hull", "body/lamp"])"));
    // A skinned disk's centre goes through its skin.
    auto plate = shape_entry(dump, "body/plate");
    EXPECT_EQ(plate["points"][0]["world"], nlohmann::ordered_json::parse("[3, 3, 2]"));
    EXPECT_EQ(shape_entry(dump, "copy")["point_count"], 4);
}

TEST(SceneDump, FloatsDumpAsTheirShortestDecimal) {
    auto scene = load(R"({"shapes": [{"name": "s", "type": "sphere", "center": [0.1, 0.2, 0.3]}]})");
    std::string text = host::dump_scene_text(*scene);
    EXPECT_NE(text.find("\"local\": [0.1, 0.2, 0.3]"), std::string::npos) << text;
}

// The text is written shape by shape; it must still read back as the whole document, and
// keep the layout: short values on one line, longer ones two spaces deeper a level.
TEST(SceneDump, TheStreamedTextIsTheDocumentLaidOut) {
    for (char const* text : {R"({"shapes": []})",
                             R"({"shapes": [{"name": "a\"b", "type": "sphere", "center": [0.1, -0.0, 1e-7]},
                                            {"name": "m", "type": "polygon_mesh", "vertices": [[1, 2, 3]]}],
                                 "active": "m"})"}) {
        auto scene = load(text);
        std::string dumped = host::dump_scene_text(*scene);
        EXPECT_EQ(nlohmann::ordered_json::parse(dumped), host::dump_scene_json(*scene)) << dumped;
        EXPECT_EQ(dumped.back(), '\n');
    }
    auto scene = load(R"({"shapes": [{"name": "s", "type": "sphere", "center": [1, 2, 3]}]})");
    std::string dumped = host::dump_scene_text(*scene);
    EXPECT_EQ(dumped.rfind("{\n  \"figure_unit\": 1.0,\n  \"active\": null,\n  \"camera_index\": 0,\n"
                           "  \"shapes\": [\n    {\n      \"path\": \"s\",\n", 0), 0u) << dumped;
    EXPECT_NE(dumped.find("\n      \"points\": [{\"index\": 0, \"local\": [1.0, 2.0, 3.0], \"world\": [1.0, 2.0, 3.0]}]\n    }\n  ]\n}\n"),
              std::string::npos) << dumped;
    auto empty = load(R"({"shapes": []})");
    EXPECT_EQ(host::dump_scene_text(*empty), "{\"figure_unit\": 1.0, \"active\": null, \"camera_index\": 0, \"shapes\": []}\n");
}

}  // namespace
