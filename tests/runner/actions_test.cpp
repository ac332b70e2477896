// The script's actions as a host performs them against the real plug-in: what each one
// changes in the scene or makes the window show, and which lines the host refuses.
#include <filesystem>

#include "checks/host_checks.h"
#include "runner_fixture.h"

namespace runner_test {
namespace {

using namespace script::vexel_controls;

tq::uuid_class const vexel_id("d43b04ce-8713-4d82-8b7c-c79466f1bfd2");

struct xyz {
    double x, y, z;
};

xyz row(json const& d, int r) { return {box_number(d, r, 0), box_number(d, r, 1), box_number(d, r, 2)}; }

#define EXPECT_ROW(d, r, x_, y_, z_)              \
    do {                                          \
        xyz v_ = row((d), (r));                   \
        EXPECT_NEAR(v_.x, (x_), 1e-5) << "row " << (r) << " x"; \
        EXPECT_NEAR(v_.y, (y_), 1e-5) << "row " << (r) << " y"; \
        EXPECT_NEAR(v_.z, (z_), 1e-5) << "row " << (r) << " z"; \
    } while (0)

class Actions : public session_fixture {
protected:
    void SetUp() override { open(small_scene); }
    host::shape_node& node(std::string const& path) { return *session->scene()->find(path); }
    vec3 anchor(int i) { return node("curve").geometry.points.at(i).anchor; }
    // Where the sphere's centre is in its parent's frame (Snap moves the shape's matrix).
    vec3 ball_world() {
        auto const& g = node("ball").geometry;
        return {g.center.x + g.local.m[3][0], g.center.y + g.local.m[3][1], g.center.z + g.local.m[3][2]};
    }
    std::vector<std::string> failure_lines() const {
        std::vector<std::string> lines;
        for (auto const& f : session->failures()) lines.push_back(f.message);
        return lines;
    }
};

// --- following the selection ---

TEST_F(Actions, ActiveAndSelectShowTheFirstSelectedPoint) {
    ASSERT_TRUE(play("active curve\nselect curve 2 1\nidle 2"));
    json d = dump();
    EXPECT_EQ(d["title"], "Line          [curve]");
    EXPECT_EQ(d["client"], json::array({263, 89}));
    EXPECT_EQ(text(point_number), "      2");
    EXPECT_ROW(d, 0, 20, 5, 0);
    EXPECT_ROW(d, 1, -3, -4, 0);  // In relative to the anchor
}

TEST_F(Actions, RefShowsTheActiveShapeWithoutANotification) {
    session->scene()->set_active_shape("ball");  // the host changes it silently
    ASSERT_TRUE(play("ref\nidle"));
    EXPECT_EQ(dump()["title"], "Sphere        [ball]");
    EXPECT_ROW(dump(), 0, 1, 2, 3);
}

TEST_F(Actions, HideAndShowAreSeenInTheDump) {
    ASSERT_TRUE(play("hide"));
    EXPECT_FALSE(dump()["shown"]);
    ASSERT_TRUE(play("show"));
    EXPECT_TRUE(dump()["shown"]);
}

// --- typing and clicking ---

TEST_F(Actions, AppMovesThePointAndTheHandlesFollowInRel) {
    ASSERT_TRUE(play("active curve\nselect curve 1\nidle 2\ntype 0 x 11\ntype 0 y \" 1.5\"\nclick App."));
    auto const& p = node("curve").geometry.points[1];
    EXPECT_EQ(p.anchor.x, 11);
    EXPECT_EQ(p.anchor.y, 1.5f);
    EXPECT_EQ(p.in.x, 9);  // still 2 before the anchor
    EXPECT_EQ(p.in.y, 1.5f);
}

TEST_F(Actions, LinkAndModeClicksChangeWhatTheRowsShow) {
    ASSERT_TRUE(play("active curve\nselect curve 1\nidle 2\nclick link2"));
    EXPECT_EQ(dump()["controls"][extra(2)]["value"], 1);
    ASSERT_TRUE(play("click mode1"));  // Rel. -> I b.: Out as a length, no link box
    json d = dump();
    EXPECT_EQ(d["controls"][extra(1)]["text"], "I b.");
    EXPECT_FALSE(d["controls"][box(2, 1)]["shown"]);
    EXPECT_FALSE(d["controls"][extra(2)]["shown"]);
    ASSERT_TRUE(play("click loc"));
    EXPECT_EQ(text(extra(0)), "Glo.");
}

TEST_F(Actions, SaveAndLoadGoThroughTheChosenSlot) {
    ASSERT_TRUE(play("active ball\nidle\nslot 4\nclick Save\nactive mesh\nselect mesh 1\nidle 2\nclick Load"));
    json d = dump();
    EXPECT_EQ(d["controls"][slots]["value"], 4);
    EXPECT_TRUE(d["controls"][load]["enabled"]);
    EXPECT_ROW(d, 0, 1, 2, 3);  // the sphere's centre, loaded into the vertex row
    ASSERT_TRUE(play("slot 5"));
    EXPECT_FALSE(dump()["controls"][load]["enabled"]);
}

TEST_F(Actions, ALoadWithAction2FillsTheSecondRowOfACamera) {
    ASSERT_TRUE(play("active ball\nidle\nclick Save\nactive cam\nidle\nclick Load 2"));
    json d = dump();
    EXPECT_ROW(d, 0, 0, 0, 10);
    EXPECT_ROW(d, 1, 1, 2, 3);
}

// --- refused lines ---

TEST_F(Actions, ARefusedLineStopsTheScriptWithItsLineAndReason) {
    EXPECT_FALSE(play("dump\ntype 0 x 1\ndump"));
    EXPECT_EQ(failure_lines(),
              std::vector<std::string>{"test.vxs:2: type: row 0 x is outside the client area (height 15)"});
    EXPECT_EQ(dumps_of(out.str()).size(), 1u);  // the last dump did not run
    EXPECT_EQ(session->failures()[0].kind, host::failure_kind::refused);
}

TEST_F(Actions, TheHostRefusesWhatAUserCouldNotDo) {
    struct refused {
        char const* script;
        char const* message;
    } const cases[] = {
        {"active curve\nidle\nclick App.", "test.vxs:3: click: \"App.\" is disabled"},
        {"active curve\nselect curve 0\nidle 2\nclick mode1\ntype 2 y 1", "test.vxs:5: type: row 2 y is hidden"},
        {"active nowhere", "test.vxs:1: active: no shape at path \"nowhere\""},
        {"select curve 7", "test.vxs:1: select: curve has no point 7"},
        {"move ball 3 0 0 0", "test.vxs:1: move: ball has no point 3"},
        {"delete nothing", "test.vxs:1: delete: no shape at path \"nothing\""},
        {"joint ball", "test.vxs:1: joint: \"ball\" is not a part"},
        {"dump-scene nothing", "test.vxs:1: dump-scene: no shape at path \"nothing\""},
        {"scene missing.json", "test.vxs:1: scene: missing.json: cannot open the file"},
    };
    for (refused const& c : cases) {
        open(small_scene);
        EXPECT_FALSE(play(c.script)) << c.script;
        EXPECT_EQ(failure_lines(), std::vector<std::string>{c.message}) << c.script;
    }
}

TEST_F(Actions, KeepGoingReportsARefusedLineAndPlaysOn) {
    runner::runner_options options;
    options.keep_going = true;
    open(small_scene, options);
    EXPECT_FALSE(play("active nowhere\nactive ball\nidle"));
    EXPECT_EQ(failure_lines().size(), 1u);
    EXPECT_EQ(dump()["title"], "Sphere        [ball]");
}

TEST_F(Actions, AHostNumberBoxRefusesTextThatIsNotANumber) {
    session->app().preferences().store(vexel_id, 2);
    ASSERT_TRUE(play("restart\nactive ball\nidle"));
    EXPECT_EQ(dump()["controls"][box(0, 0)]["kind"], "number");
    EXPECT_FALSE(play("type 0 x abc"));
    EXPECT_EQ(failure_lines().back(),
              "test.vxs:1: type: \"abc\" is not a number (row 0 x is a host number box)");
    ASSERT_TRUE(play("type 0 x 4.5\nclick App."));
    EXPECT_EQ(node("ball").geometry.center.x, 4.5f);
}

// --- the host's side ---

TEST_F(Actions, AHostMoveIsShownOnceTheWindowIsNotBusy) {
    ASSERT_TRUE(play("active ball\nidle\ntype 0 x 12.34567\nclick App."));
    // The scene notified the window from inside its own write; being busy it kept the
    // typed text.
    EXPECT_EQ(text(box(0, 0)), "12.34567");
    ASSERT_TRUE(play("move ball 0 -4 5 6.25"));
    EXPECT_EQ(text(box(0, 0)), "-4.000000");
    EXPECT_ROW(dump(), 0, -4, 5, 6.25);
}

TEST_F(Actions, UnitRescalesTheShownValues) {
    ASSERT_TRUE(play("active ball\nidle\nunit 10"));
    EXPECT_ROW(dump(), 0, 10, 20, 30);
}

TEST_F(Actions, JointRereadsAJointTheWindowWasNotToldAbout) {
    // Hidden, the window ignores the move; shown again without a tick it still shows the
    // old eye until the joint notification.
    ASSERT_TRUE(play("active cam\nidle\nhide\nmove cam 0 1 1 1\nshow"));
    EXPECT_ROW(dump(), 0, 0, 0, 10);
    ASSERT_TRUE(play("joint cam"));
    EXPECT_ROW(dump(), 0, 1, 1, 1);
}

TEST_F(Actions, StateOnMakesSnapSuspendTheStateFlag) {
    ASSERT_TRUE(play("active ball\nidle\nstate on\nidle\ntype 0 x 9\nclick Snap"));
    EXPECT_EQ(session->scene()->suspend_count(), 1);
    EXPECT_EQ(session->scene()->resume_count(), 1);
    EXPECT_EQ(ball_world().x, 9);
}

TEST_F(Actions, DeleteEmptiesTheSlotThatHoldsTheShape) {
    ASSERT_TRUE(play("active ball\nidle\nslot 2\nclick Save\nactive cam\nidle"));
    EXPECT_TRUE(dump()["controls"][load]["enabled"]);
    ASSERT_TRUE(play("delete ball"));
    EXPECT_EQ(session->scene()->find("ball"), nullptr);
    EXPECT_FALSE(dump()["controls"][load]["enabled"]);
}

TEST_F(Actions, SceneAnnouncesANewSceneWithItsOwnUnit) {
    std::string other = files.write(
        "other.json", R"({"figure_unit": 2, "shapes": [{"name": "ball", "type": "sphere", "center": [1, 1, 1]}]})");
    ASSERT_TRUE(play("active ball\nidle\nclick Save\nscene " + other + "\nactive ball\nidle"));
    json d = dump();
    EXPECT_ROW(d, 0, 2, 2, 2);
    EXPECT_FALSE(d["controls"][load]["enabled"]);  // the slots went with the old scene
}

TEST_F(Actions, SceneShowsTheActiveShapeOfTheNewSceneAtOnce) {
    std::string other = files.write("active.json", R"({"shapes": [
        {"name": "dot", "type": "sphere", "center": [3, 2, 1]},
        {"name": "line", "type": "line", "active_points": [1],
         "points": [{"anchor": [0, 0, 0]}, {"anchor": [7, 8, 9]}]}], "active": "line"})");
    // No idle tick and no "Ref.": the host tells the window about the active shape itself.
    ASSERT_TRUE(play("scene " + other));
    json d = dump();
    EXPECT_NE(d["title"].get<std::string>().find("[line]"), std::string::npos) << d["title"];
    EXPECT_ROW(d, 0, 7, 8, 9);
}

TEST_F(Actions, ARelativeSceneFileIsFoundBesideTheScript) {
    files.write("next.json", R"({"shapes": [{"name": "dot", "type": "sphere", "center": [3, 2, 1]}]})");
    std::string script = files.write("s.vxs", "scene next.json\nactive dot\nidle\n");
    ASSERT_TRUE(session->run(script::load_script_file(script))) << errors();
    EXPECT_ROW(dump(), 0, 3, 2, 1);
}

TEST_F(Actions, DumpScenePrintsTheWholeSceneOrOneShapeALine) {
    ASSERT_TRUE(play("dump-scene ball"));
    json shape = json::parse(out.str());
    EXPECT_EQ(shape["path"], "ball");
    EXPECT_EQ(shape["points"][0]["local"], json::array({1.0, 2.0, 3.0}));
    out.str("");
    ASSERT_TRUE(play("dump-scene"));
    EXPECT_EQ(json::parse(out.str())["shapes"].size(), 4u);
}

// --- settings, restart and undo ---

TEST_F(Actions, SettingsStoreTheWordAndKeepUnnamedItems) {
    ASSERT_TRUE(play("settings mark=1 undo=1"));
    EXPECT_EQ(session->app().preferences().value(vexel_id), 5);
    ASSERT_TRUE(play("settings number=1"));
    EXPECT_EQ(session->app().preferences().value(vexel_id), 7);
    ASSERT_TRUE(play("settings mark=0"));
    EXPECT_EQ(session->app().preferences().value(vexel_id), 6);
}

TEST_F(Actions, RestartKeepsTheSettingsAndBringsTheNumberBoxes) {
    ASSERT_TRUE(play("settings number=1 undo=1"));
    EXPECT_EQ(dump()["controls"][box(0, 0)]["kind"], "text_field");  // until restart
    ASSERT_TRUE(play("restart\nactive ball\nidle"));
    json d = dump();
    EXPECT_EQ(d["controls"][box(0, 0)]["kind"], "number");
    EXPECT_EQ(d["controls"][box(0, 0)]["value"], 1);
    EXPECT_EQ(session->app().preferences().value(vexel_id), 6);
    // The undo setting came through too: one App. is one undo step.
    ASSERT_TRUE(play("type 0 x 8\nclick App.\nundo"));
    EXPECT_EQ(node("ball").geometry.center.x, 1);
}

TEST_F(Actions, OnlyTheNumberBoxSwitchAsksForARestart) {
    ASSERT_TRUE(play("settings undo=1 mark=1"));
    EXPECT_EQ(out.str().find("message:"), std::string::npos);
    ASSERT_TRUE(play("settings number=1"));
    EXPECT_EQ(out.str(), "message: Activate at restart.\n");
    out.str("");
    ASSERT_TRUE(play("settings number=1 undo=0\nrestart"));
    EXPECT_EQ(out.str(), "");
}

TEST_F(Actions, OneUndoRevertsOneAppWhenUndoIsOn) {
    ASSERT_TRUE(play("settings undo=1\nactive curve\nselect curve 1\nidle 2\n"
                     "type 0 x 11\nclick App.\ntype 0 x 12\ntype 1 z 3\nclick App."));
    EXPECT_EQ(anchor(1).x, 12);
    EXPECT_EQ(node("curve").geometry.points[1].in.z, 3);
    ASSERT_TRUE(play("undo"));
    EXPECT_EQ(anchor(1).x, 11);
    EXPECT_EQ(node("curve").geometry.points[1].in.z, 0);
    EXPECT_EQ(node("curve").geometry.points[1].in.x, 9);
    // The window follows the host's undo.
    EXPECT_ROW(dump(), 0, 11, 0, 0);
}

TEST_F(Actions, OneUndoRevertsOneSnapWhenUndoIsOn) {
    ASSERT_TRUE(play("settings undo=1\nactive ball\nidle\ntype 0 x 5\nclick Snap\ntype 0 y -7\nclick Snap"));
    EXPECT_EQ(ball_world().y, -7);
    ASSERT_TRUE(play("undo"));
    EXPECT_EQ(ball_world().x, 5);
    EXPECT_EQ(ball_world().y, 2);
}

TEST_F(Actions, WithoutUndoThereIsNothingToUndo) {
    ASSERT_TRUE(play("active ball\nidle\ntype 0 x 5\nclick App.\nundo"));
    EXPECT_EQ(out.str(), "undo: nothing to undo\n");
    EXPECT_EQ(node("ball").geometry.center.x, 5);
}

TEST_F(Actions, ExpectRefsComparesTheCountedObjectsHeld) {
    ASSERT_TRUE(play("active ball\nidle\nexpect-refs 0"));
    EXPECT_FALSE(play("expect-refs 1"));
    EXPECT_EQ(failure_lines(), std::vector<std::string>{
                                   "test.vxs:1: expect-refs: 0 counted host objects outstanding, expected 1"});
    EXPECT_EQ(session->failures()[0].kind, host::failure_kind::violated);
}

TEST_F(Actions, ACleanRunFinishesWithNothingHeld) {
    ASSERT_TRUE(play("settings undo=1\nactive curve\nselect curve 0\nidle 2\ntype 0 z 1\nclick App.\nundo"));
    EXPECT_TRUE(finish()) << errors();
    EXPECT_TRUE(host::audit().outstanding().empty());
}

// --- the host's checks after the script, on a plug-in that breaks the rules ---

class Checks : public session_fixture {
protected:
    void SetUp() override {
        runner::runner_options options;
        options.module_path = FAULTY_WINDOW_MODULE;
        open(small_scene, options);
    }
    std::vector<std::string> failure_lines() const {
        std::vector<std::string> lines;
        for (auto const& f : session->failures()) lines.push_back(f.message);
        return lines;
    }
};

TEST_F(Checks, AnExceptionOutOfThePluginIsAFailureAndTheScriptGoesOn) {
    EXPECT_FALSE(play("idle\nidle\ndump"));
    EXPECT_EQ(failure_lines(),
              (std::vector<std::string>{
                  "test.vxs:1: idle: the plug-in let an exception through: the idle tick went wrong",
                  "test.vxs:2: idle: the plug-in let an exception through: the idle tick went wrong"}));
    EXPECT_EQ(dumps_of(out.str()).size(), 1u);
    for (auto const& f : session->failures()) EXPECT_EQ(f.kind, host::failure_kind::escaped);
}

TEST_F(Checks, AReferenceHeldAndAnUpdateLeftOpenAreReported) {
    ASSERT_TRUE(play("active ball"));
    EXPECT_FALSE(play("expect-refs 0"));
    EXPECT_NE(failure_lines().back().find("1 counted host objects outstanding, expected 0 (scene at "),
              std::string::npos)
        << failure_lines().back();
    EXPECT_FALSE(finish());
    std::vector<std::string> lines = failure_lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "test.vxs: after the script: update brackets are unbalanced (1 begun, 0 ended)");
    EXPECT_EQ(lines[2].rfind("test.vxs: after the window was released, counted host objects are "
                             "still held: scene at ",
                             0),
              0u)
        << lines[2];
}

TEST_F(Checks, AReferenceGivenBackTwiceIsTracedAndReported) {
    std::size_t before = out.str().size();
    // The window swallows the host's exception at the second Release: only the host sees it.
    ASSERT_TRUE(play("trace on\ndelete cam\ntrace"));
    std::vector<json> releases;
    std::istringstream in(out.str().substr(before));
    for (std::string line; std::getline(in, line);)
        if (line.rfind("{\"reference\": ", 0) == 0) releases.push_back(json::parse(line));
    json const gone = json::parse(
        R"({"reference": "Release", "object": "scene", "shape": null, "count": 0})");
    EXPECT_EQ(releases, (std::vector<json>{gone, gone}));
    EXPECT_FALSE(finish());
    EXPECT_EQ(failure_lines().back().rfind("test.vxs: counted host objects were released with no "
                                           "reference held: scene at ",
                                           0),
              0u)
        << failure_lines().back();
}

TEST_F(Checks, ANonFiniteWriteIsReported) {
    ASSERT_TRUE(play("active ball\njoint cam"));
    EXPECT_FALSE(finish());
    EXPECT_EQ(failure_lines().front(),
              "test.vxs: after the script: a non-finite coordinate was written into the scene "
              "(1 refused, first center.set_center on ball)");
}

TEST_F(Checks, AnUndoRecordLeftOpenIsReported) {
    session->scene()->set_active_shape("ball");
    ASSERT_TRUE(play("unit 2"));
    EXPECT_FALSE(finish());
    EXPECT_EQ(failure_lines(),
              std::vector<std::string>{"test.vxs: after the script: an undo record was left open"});
}

}  // namespace
}  // namespace runner_test

namespace runner_test {
namespace {

// The plug-in swallows a dialog the host cannot build; the settings line must not pass.
TEST(SettingsDialog, ADialogResourceThatCannotBeReadFailsTheLineNamingIt) {
#if defined(_WIN32)
    GTEST_SKIP() << "on Windows the dialog is a resource of the DLL itself, which this test cannot break";
#endif
    auto boxes = [](int depth) {
        std::string nested = "<dialog>";
        for (int i = 0; i < depth; ++i) nested += "<vbox>";
        for (int i = 0; i < depth; ++i) nested += "</vbox>";
        return nested + "</dialog>";
    };
    struct {
        char const* what;
        std::string text;  // the resource; "" when it is missing
        std::string problem;
    } const cases[] = {
        {"missing", "", "mode_dialog_id.xml: cannot open file"},
        {"broken", "<dialog><vbox></dialog>", "mode_dialog_id.xml:1: invalid closing tag name"},
        {"100 levels deep", boxes(100), "mode_dialog_id.xml: element \"vbox\" nested deeper than 64 elements"},
        {"200000 levels deep", boxes(200000), "mode_dialog_id.xml:1: elements nested deeper than 1000 levels"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        temp_dir resources;
        std::filesystem::create_directory(resources.path() + "/en");
        std::string const source = VEXEL_SOURCE_DIR "/resources/lang/en/";
        resources.write("en/TEXT.xml", read_file(source + "TEXT.xml"));
        if (!c.text.empty()) resources.write("en/mode_dialog_id.xml", c.text);
        std::ostringstream out, err;
        runner::runner_options options;
        options.module_path = VEXEL_MODULE_PATH;
        runner::runner_session session(options, out, err);
        ASSERT_TRUE(session.start(resources.write("scene.json", small_scene)));
        session.app().set_resource_dir(resources.path());
        EXPECT_FALSE(session.run(script::parse_script_text("settings undo=1", "s.vxs")));
        std::string const said = "s.vxs:1: settings: the settings dialog cannot be shown: " +
                                 resources.path() + "/en/" + c.problem + "\n";
        EXPECT_EQ(err.str(), said);
    }
}

}  // namespace
}  // namespace runner_test
