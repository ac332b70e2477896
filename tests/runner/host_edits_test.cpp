// The host's own edits of a shape as script lines (insert-point, remove-point, rename,
// modifiable, direction), the active shape taken away (`active -`), and a scene announced
// when the script says so (--no-announce, `announce`): what the scene holds afterwards and
// what the plug-in's window shows once it has been told.
#include "runner_fixture.h"

namespace runner_test {
namespace {

using namespace script::vexel_controls;

class HostEdits : public session_fixture {
protected:
    void SetUp() override { open(small_scene); }
    // The shape's line of dump-scene PATH.
    json scene_line(std::string const& path) {
        std::size_t before = out.str().size();
        EXPECT_TRUE(play("dump-scene " + path)) << errors();
        std::string line = out.str().substr(before);
        return json::parse(line.substr(0, line.find('\n')));
    }
    std::vector<double> row(int r) {
        json d = dump();
        return {box_number(d, r, 0), box_number(d, r, 1), box_number(d, r, 2)};
    }
};

TEST_F(HostEdits, RemovingASelectedPointShowsTheNextSelectedOneAtOnce) {
    ASSERT_TRUE(play("active curve\nselect curve 1 2\nidle 2"));
    EXPECT_EQ(row(0), (std::vector<double>{10, 0, 0}));
    ASSERT_TRUE(play("remove-point curve 1"));
    json curve = scene_line("curve");
    EXPECT_EQ(curve["point_count"], 2);
    EXPECT_EQ(curve["active_points"], json::array({1}));  // the old point 2
    // shapes_modified reached the window: row 0 shows the point now first selected.
    EXPECT_EQ(row(0), (std::vector<double>{20, 5, 0}));
    ASSERT_TRUE(play("idle"));
    EXPECT_EQ(text(point_number), "      1");
}

TEST_F(HostEdits, AnInsertedPointIsShownWhenSelected) {
    ASSERT_TRUE(play("active mesh\nselect mesh 1\nidle 2\ninsert-point mesh 0 7 8 9"));
    json mesh = scene_line("mesh");
    EXPECT_EQ(mesh["points"][0]["local"], json::array({7.0, 8.0, 9.0}));
    EXPECT_EQ(mesh["active_points"], json::array({2}));  // still the vertex (1, 2, 3)
    EXPECT_EQ(row(0), (std::vector<double>{1, 2, 3}));
    ASSERT_TRUE(play("select mesh 0\nidle"));
    EXPECT_EQ(row(0), (std::vector<double>{7, 8, 9}));
    // A control point added at the end: the plug-in reaches it like any other.
    ASSERT_TRUE(play("insert-point curve 3 30 1 0\nactive curve\nselect curve 3\nidle 2"));
    EXPECT_EQ(row(0), (std::vector<double>{30, 1, 0}));
    EXPECT_EQ(row(1), (std::vector<double>{0, 0, 0})) << "In on the anchor";
}

TEST_F(HostEdits, TheNameAndTheModifiableFlagShowAtTheNextLayout) {
    ASSERT_TRUE(
        play("active curve\nselect curve 1\nidle 2\nrename curve bow\nmodifiable bow off\nref"));
    json d = dump();
    EXPECT_EQ(d["title"], "Line          [bow]");
    EXPECT_FALSE(d["controls"][app]["enabled"]);
    EXPECT_FALSE(d["controls"][snap]["enabled"]);
    EXPECT_EQ(scene_line("bow")["modifiable"], false);
    ASSERT_TRUE(play("modifiable bow on\nref"));
    EXPECT_TRUE(dump()["controls"][app]["enabled"]);
}

TEST_F(HostEdits, DirectionSetsASurfacePartsFlagAndTellsTheWindow) {
    open(R"({"shapes": [{"name": "wing", "type": "part", "part": "surface", "children": [
        {"name": "rib0", "type": "line", "points": [{"anchor": [0, 0, 0]}]}]}]})");
    ASSERT_TRUE(play("active wing\nselect wing 0\nidle 2\ntrace on\ndirection wing off"));
    EXPECT_EQ(scene_line("wing")["direction"], false);
    // The notification reached the window, which read the part's point again.
    std::size_t before = out.str().size();
    ASSERT_TRUE(play("trace"));
    std::string trace = out.str().substr(before);
    EXPECT_NE(
        trace.find("{\"trace\": \"control_point.get_point_position\", \"shape\": \"wing/rib0\""),
        std::string::npos)
        << trace;
}

TEST_F(HostEdits, ActiveDashLeavesNoActiveShapeAndRefShowsNothing) {
    ASSERT_TRUE(play("active ball\nidle\nactive -"));
    EXPECT_EQ(session->scene()->active_shape(), nullptr);
    ASSERT_TRUE(play("ref\nidle"));  // the tick resizes
    json d = dump();
    EXPECT_EQ(d["title"], "");
    EXPECT_EQ(d["client"][1], 15) << "the top bar only";
    EXPECT_FALSE(d["controls"][app]["enabled"]);
}

TEST(NoAnnounce, TheWindowWaitsForTheSceneUntilTheScriptAnnouncesIt) {
    temp_dir files;
    std::string scene = files.write("scene.json", small_scene);
    process_result r = run_runner({"--prefs", files.path() + "/p.json", "--no-announce", scene},
                                  "hide\nidle\nactive ball\nidle\ndump\nannounce\nshow\nidle\n"
                                  "active ball\nidle\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<json> d = dumps_of(r.out);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0]["title"], "") << "no scene yet: the activation is not followed";
    EXPECT_FALSE(d[0]["shown"]);
    EXPECT_EQ(d[1]["title"], "Sphere        [ball]");
    EXPECT_EQ(box_number(d[1], 0, 0), 1);
}

TEST(NoAnnounce, AFaultSweepCoversAScriptThatAnnouncesItself) {
    temp_dir files;
    std::string scene = files.write("scene.json", small_scene);
    std::string script = files.write("s.vxs",
                                     "hide\nidle\nannounce\nshow\nidle\nactive ball\nidle\n"
                                     "insert-point curve 0 1 1 1\nrename curve bow\n"
                                     "trace on\ndialog\ntrace\n");
    process_result r = run_runner({"--fault-sweep", "--no-announce", scene, script});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(" runs, 0 failed\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace runner_test
