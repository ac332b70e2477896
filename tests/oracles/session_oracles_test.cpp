// The promises judged around every action of a session on the real module: scripts that keep
// them pass, and a host that changes the scene behind the window's back is caught.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "checks/host_checks.h"
#include "runner_session.h"
#include "session_oracles.h"

namespace {

namespace fs = std::filesystem;

char const* const scene_text = R"({"figure_unit": 2.54, "shapes": [
  {"name": "curve", "type": "line", "matrix": [0,1,0,0, -2,0,0,0, 0,0,1,0, 5,0,0,1],
   "points": [{"anchor": [0, 0, 0], "in": [-1, 0, 0], "out": [1, 0, 0]},
              {"anchor": [10, 0, 0], "in": [8, 0, 0], "out": [12, 1, 0], "l_in": [10, -2, 0]}]},
  {"name": "ball", "type": "sphere", "center": [1, 2, 3]},
  {"name": "rot", "type": "part", "part": "rotator", "first_point": [1, 2, 3], "second_point": [0, 0, 10]}
], "active": "curve"})";

class SessionOracles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("vexel-oracles-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::ofstream(dir / "scene.json") << scene_text;
        runner::runner_options options;
        options.module_path = VEXEL_MODULE_PATH;
        session = std::make_unique<runner::runner_session>(options, out, err);
        session->watch(&promises);
        ASSERT_TRUE(session->start((dir / "scene.json").string())) << err.str();
    }
    void TearDown() override {
        session.reset();
        fs::remove_all(dir);
    }
    // Plays the lines; the failures of the plug-in they caused.
    std::string play(std::string const& lines) {
        std::size_t before = session->failures().size();
        session->run(script::parse_script_text(lines, "test.vxs"));
        std::string failures;
        for (std::size_t i = before; i < session->failures().size(); ++i)
            failures += session->failures()[i].message + "\n";
        return failures;
    }
    long judged(std::string const& prefix) {
        long n = 0;
        for (auto const& [what, count] : promises.judged())
            if (what.rfind(prefix, 0) == 0) n += count;
        return n;
    }

    fs::path dir;
    std::ostringstream out, err;
    oracles::session_oracles promises;
    std::unique_ptr<runner::runner_session> session;
};

TEST_F(SessionOracles, EditingInEveryModeAndFrameKeepsEveryPromise) {
    EXPECT_EQ(play("select curve 1\nref\nidle\n"
                   "click App.\nclick mode1\nclick App.\nclick mode1\nclick App.\nclick mode1\nclick App.\n"
                   "click loc\nclick App.\nclick Snap\nclick mode3\nclick App.\n"
                   "type 0 x \" -1.5e1xyz\"\ntype 1 y \"--5\"\nclick App.\n"
                   "active rot\nclick App.\nclick mode1\ntype 1 z 7\nclick App.\n"
                   "active ball\ntype 0 y 4\nclick Snap\n"),
              "");
    EXPECT_GE(judged("2 untouched App."), 5);
    EXPECT_GE(judged("4 rows"), 8);
    EXPECT_GE(judged("6 App."), 8);
    EXPECT_GE(judged("6 typed Snap"), 1);
    EXPECT_EQ(session->finish(), true) << err.str();
}

TEST_F(SessionOracles, UndoAfterAppOrSnapRestoresEveryBitAndWithUndoOffNoneIsMade) {
    EXPECT_EQ(play("select curve 0\nref\nidle\ntype 0 x 3\nclick App.\nsettings undo=1\ntype 0 y 4\nclick App.\nundo\n"
                   "type 0 z 2\nclick Snap\nundo\nclick loc\ntype 0 x 9\nclick Snap\nundo\n"),
              "");
    EXPECT_EQ(judged("7 undo right after"), 3);
    EXPECT_EQ(judged("7 no undo record with undo off"), 1);
}

TEST_F(SessionOracles, ASavedPointComesBackAndItsMarkNamesIt) {
    EXPECT_EQ(play("settings mark=1\nselect curve 1\nref\nidle\nclick Save\nactive ball\nslot 3\nclick Save\n"
                   "slot 0\nactive curve\nclick Load\nclick mode1\nclick Load\nslot 3\nclick Load\n"
                   // The slot keeps index 1: the point now there, then none.
                   "slot 0\ninsert-point curve 0 4 4 4\nclick Load\nremove-point curve 0\nremove-point curve 0\n"
                   "click Load\n"),
              "");
    EXPECT_GE(judged("5 Load"), 4);
    EXPECT_GE(judged("5 mark"), 3);
}

TEST_F(SessionOracles, AMoveTheHostDidNotAnnounceIsWrittenBackByAnUntouchedApp) {
    ASSERT_EQ(play("select curve 0\nref\nidle\n"), "");
    // The scene changes without a notification: the rows still show the old anchor.
    session->scene()->find("curve")->geometry.points[0].anchor = {3, 3, 3};
    std::string failures = play("click App.\n");
    EXPECT_NE(failures.find("promise 2: untouched App.: curve point 0 anchor"), std::string::npos) << failures;
}

TEST_F(SessionOracles, AUnitTheHostDidNotAnnounceIsCaughtAtTheNextRefresh) {
    ASSERT_EQ(play("select curve 0\nref\nidle\n"), "");
    session->scene()->set_figure_unit(10);  // the window still multiplies by 2.54
    std::string failures = play("ref\n");
    EXPECT_NE(failures.find("promise 4: after the refresh, curve point 0"), std::string::npos) << failures;
}

TEST_F(SessionOracles, ALeftOpenUndoRecordIsReportedOnce) {
    shape_class* ball = &session->scene()->find("ball")->iface();
    session->scene()->begin_undo_record(1, &ball, false, false, 0);
    std::string failures = play("idle\nidle\n");
    EXPECT_NE(failures.find("promise 1: an undo record was left open"), std::string::npos) << failures;
    EXPECT_EQ(failures.find("promise 1", failures.find("promise 1") + 1), std::string::npos) << failures;
    session->scene()->end_undo_record(1, &ball, false, false, 0);
}

// A failed host call: what the window shows is not judged until the next full refresh, and
// from then on it is again.
TEST_F(SessionOracles, AfterAFailedCallThePromisesWaitForTheNextFullRefresh) {
    ASSERT_EQ(play("select curve 0\nref\nidle\n"), "");
    host::faults().fail_operation("shape.point_count", 1);
    EXPECT_EQ(play("ref\n"), "");
    EXPECT_EQ(judged("8 the action in which a host call failed"), 1);
    session->scene()->set_figure_unit(10);  // unannounced: the rows are wrong from here on
    EXPECT_EQ(play("idle\nclick Save\nclick Load\n"), "");
    std::string failures = play("ref\n");
    EXPECT_NE(failures.find("promise 4: after the refresh, curve point 0"), std::string::npos) << failures;
    EXPECT_EQ(judged("8 full refresh after a failed host call"), 1);
}

TEST_F(SessionOracles, AnObjectTheFailedActionKeptIsCaught) {
    ASSERT_EQ(play("select curve 0\nref\nidle\n"), "");
    host::scene_model& scene = *session->scene();
    host::faults().before_call("scene.begin_update", "leak", [&] { scene.AddRef(); });
    host::faults().fail_operation("shape.point_count", 1);
    std::string failures = play("ref\n");
    EXPECT_NE(failures.find("promise 8: after the failed host call the window holds scene"), std::string::npos)
        << failures;
    scene.Release();
}

TEST_F(SessionOracles, AShapeDeletedInsideAClickIsGoneAsAfterADeleteAndThePromisesWaitForTheNextRefresh) {
    // Slot 0 holds the curve's point 1; the host deletes the curve while "App." reads the
    // point's link box, with undo on: the typed value is not expected in it, the host's
    // deletion is no change the click must undo, and the slot no longer names the point.
    ASSERT_EQ(play("settings undo=1\nselect curve 1\nref\nidle\nclick Save\ntype 0 x 3\n"
                   "during get_check_box_int_value delete curve\nclick App.\n"),
              "");
    EXPECT_EQ(session->scene()->find("curve"), nullptr);
    EXPECT_EQ(judged("8 the action in which the host deleted a shape"), 1);
    EXPECT_EQ(promises.contract().shape(), nullptr);
    EXPECT_EQ(promises.contract().slot(0).shape, nullptr);
    long refreshes = judged("4 ");
    ASSERT_EQ(play("active ball\nref\nidle\n"), "");
    EXPECT_GT(judged("4 "), refreshes) << "the promises hold again from the refresh";
}

TEST_F(SessionOracles, UndoAfterAFailedAppGivesBackTheSceneAsBeforeTheClick) {
    ASSERT_EQ(play("settings undo=1\nselect curve 1\nref\nidle\ntype 0 x 3\n"), "");
    host::faults().fail_operation("control_point.set_out_handle", 1);  // after the anchor
    EXPECT_EQ(play("click App.\nundo\n"), "");
    EXPECT_EQ(judged("7 undo right after a failed App. or Snap"), 1);
    // A write outside the record: the undo does not give it back.
    ASSERT_EQ(play("ref\ntype 0 x 4\n"), "");
    host::faults().reset();
    host::faults().fail_operation("control_point.set_out_handle", 1);
    ASSERT_EQ(play("click App.\n"), "");
    session->scene()->find("ball")->geometry.center = {7, 7, 7};
    std::string failures = play("undo\n");
    EXPECT_NE(failures.find("promise 7: "), std::string::npos) << failures;
}

}  // namespace
