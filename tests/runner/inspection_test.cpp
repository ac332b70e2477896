// What a script can now see of the plug-in's side of the conversation: the settings dialog
// as shown (`dialog`), a dialog closed with Cancel, and the host calls the plug-in made, in
// order and with their values (`trace`).
#include <algorithm>

#include "checks/host_checks.h"
#include "runner_fixture.h"

namespace runner_test {
namespace {

tq::uuid_class const vexel_id("d43b04ce-8713-4d82-8b7c-c79466f1bfd2");

// The JSON lines an output holds that start with {"KEY": .
// Every line printed, each a JSON object (a `trace` line's output).
std::vector<json> json_lines(std::string const& out) {
    std::vector<json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
    return lines;
}

std::vector<json> lines_of(std::string const& out, std::string const& key) {
    std::vector<json> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("{\"" + key + "\": ", 0) == 0) lines.push_back(json::parse(line));
    return lines;
}

class Inspection : public session_fixture {
protected:
    void SetUp() override { open(small_scene); }
    // The operations of the traced calls, in order.
    static std::vector<std::string> operations(std::vector<json> const& trace) {
        std::vector<std::string> names;
        for (json const& t : trace) names.push_back(t["trace"]);
        return names;
    }
    // The traced calls of operation.
    static std::vector<json> calls_of(std::vector<json> const& trace, std::string const& op) {
        std::vector<json> found;
        for (json const& t : trace)
            if (t["trace"] == op) found.push_back(t);
        return found;
    }
};

// --- dialog and settings ... cancel ---

TEST_F(Inspection, DialogPrintsTheTitleAndEachItemWithTheValueThePluginLoaded) {
    std::vector<json> shown = lines_of(printed("settings undo=1\ndialog"), "dialog");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0],
              json::parse(R"({"dialog": "Vexel mode Setting", "resource": ")" + std::string(dialog_resource) + R"(",
        "items": [{"id": 10, "label": "Mark indicated element", "value": false},
                  {"id": 11, "label": "Use Tessel standard number box.", "value": false},
                  {"id": 12, "label": "Activate undo.", "value": true}]})"));
    EXPECT_EQ(session->app().preferences().value(vexel_id), 4) << "the dialog stored nothing";
}

TEST_F(Inspection, DialogSpeaksTheHostsLanguage) {
    runner::runner_options options;
    options.lang = "ja";
    open(small_scene, options);
    std::vector<json> shown = lines_of(printed("dialog"), "dialog");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]["dialog"], "Vexel モード設定");
    std::vector<std::string> labels;
    for (json const& item : shown[0]["items"]) labels.push_back(item["label"]);
    EXPECT_EQ(labels, (std::vector<std::string>{"記憶した要素をマークする",
                                                "Tessel 標準の数値ボックスを使う",
                                                "取り消しを有効にする"}));
}

TEST_F(Inspection, SettingsClosedWithCancelStoreNothing) {
    ASSERT_TRUE(play("settings undo=1\ntrace on"));
    ASSERT_TRUE(play("settings mark=1 number=1 undo=0 cancel\ntrace off"));
    std::vector<json> trace = lines_of(printed("trace"), "trace");
    EXPECT_EQ(calls_of(trace, "ask").size(), 1u) << "the dialog was shown";
    EXPECT_TRUE(calls_of(trace, "open_write_stream").empty());
    EXPECT_TRUE(calls_of(trace, "write_int").empty());
    EXPECT_EQ(session->app().preferences().value(vexel_id), 4);
    EXPECT_FALSE(session->app().last_dialog().accepted);
    // The window still works by the settings it had: one App. is one undo step.
    ASSERT_TRUE(play("active ball\nidle\ntype 0 x 8\nclick App.\nundo"));
    EXPECT_EQ(session->scene()->find("ball")->geometry.center.x, 1);
}

// --- trace ---

TEST_F(Inspection, TraceShowsAnUndoRecordAroundTheWritesOfAnApp) {
    ASSERT_TRUE(
        play("settings undo=1\nactive curve\nselect curve 1\nidle 2\ntype 0 x 11\ntrace on\n"
             "click App.\ntrace off"));
    std::vector<json> trace = lines_of(printed("trace"), "trace");
    std::vector<std::string> ops = operations(trace);
    auto at = [&](std::string const& op) {
        return std::find(ops.begin(), ops.end(), op) - ops.begin();
    };
    // The record names the line, the anchor is written inside it, then it is closed and filed.
    EXPECT_LT(at("scene.begin_undo_record"), at("control_point.set_point_position"));
    EXPECT_LT(at("control_point.set_point_position"), at("scene.end_undo_record"));
    EXPECT_LT(at("scene.end_undo_record"), at("scene.commit_undo"));
    EXPECT_LT(at("scene.commit_undo"), static_cast<long>(ops.size()));
    json begin = trace[at("scene.begin_undo_record")];
    EXPECT_EQ(begin["shape"], "curve");
    EXPECT_EQ(begin["args"], trace[at("scene.end_undo_record")]["args"]);
    EXPECT_EQ(begin["args"][0], 1) << "one shape";
    json write = trace[at("control_point.set_point_position")];
    EXPECT_EQ(write["shape"], "curve");
    EXPECT_EQ(write["args"], json::array({11.0, 0.0, 0.0}));
    EXPECT_EQ(printed("trace"), "") << "printed once";
}

TEST_F(Inspection, TraceShowsTheFlagEachNotificationWasAnswered) {
    ASSERT_TRUE(play("active curve\nselect curve 1\nidle 2\ntrace on\nmove curve 1 4 5 6\n"
                     "active ball\nunit 10\ndelete mesh\njoint cam\nannounce\ntrace off"));
    std::vector<json> answers = lines_of(printed("trace"), "answer");
    std::vector<std::string> names;
    for (json const& a : answers) {
        names.push_back(a["answer"]);
        EXPECT_EQ(a["flag"], false) << a.dump() << ": the window keeps nothing from the host";
    }
    EXPECT_EQ(names, (std::vector<std::string>{"shapes_modified", "active_shapes_changed", "figure_unit_changed",
                                               "shapes_being_deleted", "current_joint_value_changed",
                                               "active_scene_changed", "active_shapes_changed"}));
}

TEST_F(Inspection, ALinkCheckBoxSetByARefreshIsRedrawn) {
    ASSERT_TRUE(play("active curve\nselect curve 1\nidle 2\ntrace on\nclick Ref.\ntrace off"));
    std::vector<std::string> ops = operations(lines_of(printed("trace"), "trace"));
    ops.erase(std::remove(ops.begin(), ops.end(), "get_plugin_services"), ops.end());
    int set = 0;
    for (std::size_t i = 0; i < ops.size(); ++i) {
        if (ops[i] != "set_check_box_int_value") continue;
        ++set;
        EXPECT_EQ(i + 1 < ops.size() ? ops[i + 1] : "", "invalidate") << "check box " << set;
    }
    EXPECT_EQ(set, 2) << "the two link flags";
}

TEST_F(Inspection, AppOnAUniscaleJointAsksForItsOwnJointViewOnly) {
    open(R"({"shapes": [{"name": "grow", "type": "part", "part": "uniscale", "first_point": [1, 1, 1]}]})");
    ASSERT_TRUE(play("active grow\nidle 2\ntype 0 x 5\ntrace on\nclick App.\ntrace off"));
    std::vector<std::string> ops = operations(lines_of(printed("trace"), "trace"));
    EXPECT_EQ(std::count(ops.begin(), ops.end(), "shape.uniscale_joint"), 1);
    for (char const* other : {"shape.ball_joint", "shape.slider_joint", "shape.rotator_joint", "shape.scale_joint"})
        EXPECT_EQ(std::count(ops.begin(), ops.end(), other), 0) << other;
    EXPECT_EQ(session->scene()->find("grow")->geometry.first.x, 5);
}

TEST_F(Inspection, ANewWindowRedrawsItsLoadButtonRightAfterDisablingIt) {
    ASSERT_TRUE(play("trace on\nrestart\ntrace off"));
    std::vector<std::string> ops;
    for (std::string const& op : operations(lines_of(printed("trace"), "trace")))
        if (op != "get_plugin_services") ops.push_back(op);
    auto load = std::find(ops.begin(), ops.end(), "create_button");
    for (int made = 1; made < 5 && load != ops.end(); ++made) load = std::find(load + 1, ops.end(), "create_button");
    ASSERT_NE(load, ops.end()) << "the top bar's fifth button, Load";
    auto disabled = std::find(load, ops.end(), "set_active");
    ASSERT_NE(disabled, ops.end());
    ASSERT_NE(disabled + 1, ops.end());
    EXPECT_EQ(disabled[1], "invalidate");
}

TEST_F(Inspection, TraceShowsSnapSuspendingTheStateFlagInsideAnUpdateBracket) {
    ASSERT_TRUE(play("active ball\nidle\nstate on\nidle\ntype 0 x 9\ntrace on\nclick Snap"));
    std::vector<std::string> scene_ops;
    for (std::string const& op : operations(lines_of(printed("trace"), "trace")))
        if (op.rfind("scene.", 0) == 0 || op == "shape.apply_transformation")
            scene_ops.push_back(op);
    EXPECT_EQ(scene_ops,
              (std::vector<std::string>{"scene.begin_update", "scene.suspend_state_flag",
                                        "shape.apply_transformation", "scene.resume_state_flag",
                                        "scene.end_update", "scene.refresh"}));
}

TEST_F(Inspection, OnlyCallsMadeWhileTheTraceIsOnAreShown) {
    ASSERT_TRUE(play("active ball\nidle"));
    EXPECT_EQ(printed("trace"), "");
    ASSERT_TRUE(play("trace on\nref\ntrace off\nref\nidle"));
    std::vector<json> trace = lines_of(printed("trace"), "trace");
    EXPECT_EQ(calls_of(trace, "center.get_center").size(), 1u) << "one Ref. traced, not two";
}

TEST_F(Inspection, TheUsersDragOfTheWindowIsNotThePluginsCall) {
    ASSERT_TRUE(play("active ball\nidle\ntrace on\nmove-window 20 30"));
    EXPECT_EQ(printed("trace"), "");
    EXPECT_EQ(dump()["frame"][0], 20);
}

TEST_F(Inspection, AShapeDeletedInTheSameLineIsTracedWithoutAPath) {
    open(R"({"shapes": [{"name": "wing", "type": "part", "part": "surface", "children": [
        {"name": "rib0", "type": "line", "points": [{"anchor": [0, 0, 0]}]},
        {"name": "rib1", "type": "line", "points": [{"anchor": [1, 0, 0]}]}]}]})");
    ASSERT_TRUE(play("active wing\nidle\ntrace on\nref\ndelete wing/rib1"));
    std::vector<json> trace = lines_of(printed("trace"), "trace");
    std::vector<json> on_wing = calls_of(trace, "shape.point_count");
    ASSERT_FALSE(on_wing.empty());
    EXPECT_EQ(on_wing.front()["shape"], "wing");
    // The window asks whether the doomed line lies within the shown part.
    std::vector<json> on_rib = calls_of(trace, "shape.has_parent");
    ASSERT_FALSE(on_rib.empty());
    EXPECT_TRUE(on_rib.back()["shape"].is_null());
}

// --- the rest of the protocol: references, call numbers, notifications inside a call ---

TEST_F(Inspection, EachSceneReferenceTakenIsGivenBackInTheTrace) {
    ASSERT_TRUE(play("active ball\nidle\ntrace on\nref\nidle\ntrace off"));
    int taken = 0;
    int held = 0;
    std::istringstream in(printed("trace"));
    for (std::string line; std::getline(in, line);) {
        json t = json::parse(line);
        if (t.value("trace", "") == "get_scene_interface") ++taken, ++held;
        if (t.value("reference", "") != "Release") continue;
        EXPECT_EQ(t["object"], "scene") << line;
        --held;
        EXPECT_EQ(t["count"], held) << "in order: " << line;
    }
    EXPECT_GE(taken, 2) << "Ref. and the tick each take the scene";
    EXPECT_EQ(held, 0);
}

TEST_F(Inspection, ACallNumberOfTheTraceMakesExactlyThatCallThrow) {
    char const* const script = "active curve\nselect curve 1\nidle 2\ntype 0 x 11\n"
                               "trace on\nclick App.\ntrace off\n";
    auto anchor_x = [&] { return session->scene()->find("curve")->geometry.points[1].anchor.x; };
    // The operation of each call number, as a sweep names it, from the next call on.
    long const first = host::faults().calls() + 1;
    host::faults().record_trace(true);
    ASSERT_TRUE(play(script));
    host::faults().record_trace(false);
    std::vector<json> clean =
        calls_of(lines_of(printed("trace"), "trace"), "control_point.set_point_position");
    ASSERT_EQ(clean.size(), 1u);
    long number = clean[0]["call"];
    EXPECT_EQ(host::faults().trace().at(static_cast<std::size_t>(number - first)),
              "control_point.set_point_position");
    EXPECT_EQ(anchor_x(), 11);

    runner::runner_options options;
    options.fail_call = number;
    open(small_scene, options);
    play(script);
    EXPECT_TRUE(host::faults().fired());
    EXPECT_EQ(anchor_x(), 10) << "the write of the anchor threw";
    std::vector<json> faulted = calls_of(lines_of(printed("trace"), "trace"),
                                         "control_point.set_point_position");
    ASSERT_EQ(faulted.size(), 1u);
    EXPECT_EQ(faulted[0]["call"], number);
}

TEST_F(Inspection, ANotificationInsideAppIsDroppedByTheBusyWindow) {
    ASSERT_TRUE(play("active curve\nselect curve 1\nidle 2\ntype 0 x 11\ntype 0 y 22\n"
                     "during control_point.set_point_position shapes_modified\ntrace on\n"
                     "click App.\ntrace off"));
    std::vector<json> const trace = json_lines(printed("trace"));
    auto sent = std::find_if(trace.begin(), trace.end(),
                             [](json const& t) { return t.contains("notification"); });
    ASSERT_NE(sent, trace.end());
    EXPECT_EQ(*sent, json::parse(R"({"notification": "shapes_modified",
                                     "during": "control_point.set_point_position"})"));
    // The window made no host call for it: it answered, and the next line is the call the
    // notification came before.
    ASSERT_GT(trace.end() - sent, 2);
    EXPECT_EQ(sent[1], json::parse(R"({"answer": "shapes_modified", "flag": false})"));
    EXPECT_EQ(sent[2].value("trace", ""), "control_point.set_point_position");
    EXPECT_EQ(text(script::vexel_controls::box(0, 0)), "11");
    EXPECT_EQ(text(script::vexel_controls::box(0, 1)), "22");
}

TEST_F(Inspection, AShapeDeletedInsideSnapIsNotWrittenAndItsUndoRecordCloses) {
    ASSERT_TRUE(play("settings undo=1\nactive ball\nidle\ntype 0 x 7\n"
                     "during scene.begin_update delete ball\ntrace on\nclick Snap\ntrace off"));
    std::vector<json> const trace = json_lines(printed("trace"));
    auto sent = std::find_if(trace.begin(), trace.end(),
                             [](json const& t) { return t.contains("notification"); });
    ASSERT_NE(sent, trace.end());
    EXPECT_EQ(*sent, json::parse(R"({"notification": "shapes_being_deleted", "during": "scene.begin_update"})"));
    std::vector<std::string> calls;
    for (auto t = trace.begin(); t != trace.end(); ++t) {
        if (!t->contains("trace")) continue;
        calls.push_back((*t)["trace"]);
        if (t > sent) {
            EXPECT_NE((*t)["trace"], "shape.apply_transformation") << "written after it left";
        }
    }
    auto count = [&](char const* op) { return std::count(calls.begin(), calls.end(), op); };
    EXPECT_EQ(count("scene.begin_undo_record"), 1);
    EXPECT_EQ(count("scene.end_undo_record"), 1) << "the record the click opened is closed";
    EXPECT_EQ(session->scene()->find("ball"), nullptr);
    EXPECT_TRUE(session->scene()->violations().empty());
    EXPECT_EQ(dump()["title"], "") << "the window shows no shape";
}

TEST_F(Inspection, ACameraJointDeletedWhileSnapReadsItIsNotTouchedAgain) {
    // Reading the camera's eye opens an update bracket first; the joint leaves inside it.
    ASSERT_TRUE(play("active cam\nidle\ntype 0 x 7\nduring scene.begin_update delete cam\nclick Snap"));
    EXPECT_EQ(session->scene()->find("cam"), nullptr);
    EXPECT_TRUE(session->scene()->violations().empty()) << "the bracket is closed";
    EXPECT_EQ(dump()["title"], "");
}

// Another shape leaving while the camera is opened for App. does not stop the write.
TEST_F(Inspection, AnotherShapeDeletedWhileAppOpensACameraLeavesTheWriteDone) {
    ASSERT_TRUE(play("active cam\nidle\ntype 0 x 7\nduring scene.begin_update delete mesh\n"
                     "click App.\nref"));
    EXPECT_EQ(session->scene()->find("mesh"), nullptr);
    json const d = dump();
    EXPECT_NEAR(box_number(d, 0, 0), 7, 1e-5) << "the eye moved, as \"Ref.\" reads it";
    EXPECT_NEAR(box_number(d, 0, 2), 10, 1e-5);
}

TEST_F(Inspection, ADeletionInsideAClickWaitsForACallNotAboutTheShapeOrANotification) {
    // "Ref." reads the shown curve's name: the hook waits. Made active, the ball is read in
    // a notification: it still waits. "Ref." reads the ball's name: the curve goes.
    ASSERT_TRUE(play("active curve\nidle\nduring shape.get_name delete curve\nref\nactive ball"));
    EXPECT_NE(session->scene()->find("curve"), nullptr);
    ASSERT_TRUE(play("ref"));
    EXPECT_EQ(session->scene()->find("curve"), nullptr);
    EXPECT_NE(dump()["title"].get<std::string>().find("[ball]"), std::string::npos);
}

TEST_F(Inspection, TheUsersDragDoesNotSetOffAHookOnTheFrame) {
    ASSERT_TRUE(play("active ball\nidle\nduring set_frame_rectangle shapes_modified\n"
                     "move-window -20 300\ntrace on\nhide\nidle\nshow\nidle"));
    // Shown again off the screen's edge, the window puts its frame back: that call is the
    // plug-in's, and the hook waited for it.
    std::vector<json> sent = lines_of(printed("trace"), "notification");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]["during"], "set_frame_rectangle");
    EXPECT_EQ(dump()["frame"][0], 100);
}

TEST_F(Inspection, TheFirstTickAfterTheSceneAloneLeavesTheWindowEmpty) {
    runner::runner_options options;
    options.announce = false;
    open(small_scene, options);
    session->scene()->set_active_shape("ball");
    ASSERT_TRUE(play("announce scene-only\nidle 2"));
    EXPECT_EQ(dump()["title"], "") << "a window shown at its first tick is not refreshed by it";
    ASSERT_TRUE(play("hide\nidle\nshow\nidle"));
    EXPECT_NE(dump()["title"].get<std::string>().find("[ball]"), std::string::npos)
        << "shown again, the tick refreshes it";
}

}  // namespace
}  // namespace runner_test
