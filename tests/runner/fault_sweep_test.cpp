// The fault-injection sweep (vexel-host/runner_sweep.h, vexel-host --fault-sweep): a script of
// the editing buttons played once per host call, that call throwing. tools/run-tests
// sweeps the whole example scripts with the plain build; this shorter script keeps the
// sweep affordable under the sanitizers too.
#include "runner_fixture.h"
#include "runner_sweep.h"

namespace runner_test {
namespace {

std::string const tour_scene = VEXEL_SOURCE_DIR "/examples/tour.json";

// Every editing button, the settings dialog, a host-side change and a restart.
char const* const editing_buttons = R"(settings undo=1 mark=1
active curve
select curve 1
idle 2
type 0 x 12
click App.
slot 3
click Save
active ball
idle
type 0 z 1
click Snap
click Load
undo
unit 2
restart
)";

TEST(RunnerFaultSweep, EditingButtonsSurviveAFailingHostCallAnywhere) {
    runner::runner_options options;
    options.module_path = VEXEL_MODULE_PATH;
    runner::sweep_result r =
        runner::fault_sweep(options, tour_scene, script::parse_script_text(editing_buttons, "sweep.vxs"));
    for (std::string const& f : r.clean_failures) ADD_FAILURE() << "without a fault: " << f;
    for (runner::sweep_failure const& f : r.failures)
        ADD_FAILURE() << "call " << f.call << " (" << f.operation << ", " << f.place << "): " << f.problem;
    EXPECT_EQ(r.probe_shape, "ball");
    EXPECT_GT(r.construction_faults, 0);
    // The plain text fields' calls are host calls like any other and are swept; on Windows
    // the field talks to its rich edit control with the system's messages instead.
    for (char const* op : {"text_object.set_text", "text_object.get_text",
                           "text_object.set_font_size", "text_object.set_vertical_offset"})
        EXPECT_EQ(r.operations.count(op), on_windows ? 0u : 1u) << op;
    for (char const* op : {"create_dialog", "write_int"})
        EXPECT_EQ(r.operations.count(op), 1u) << op << " was not swept";
}

// Notifications sent from inside host calls are counted where they fall, so each call of
// the clean run is still the one its faulted run makes throw; the call record is on.
TEST(RunnerFaultSweep, NotificationsInsideHostCallsKeepTheCount) {
    runner::runner_options options;
    options.module_path = VEXEL_MODULE_PATH;
    options.announce = false;
    runner::sweep_result r = runner::fault_sweep(options, tour_scene, script::parse_script_text(R"(trace on
announce scene-only
idle
active curve
select curve 1
idle 2
during control_point.set_point_position shapes_modified
type 0 x 12
click App.
during scene.get_active_shape active_shapes_changed
ref
during get_scene_interface idle
active ball
trace
)", "sights.vxs"));
    for (std::string const& f : r.clean_failures) ADD_FAILURE() << "without a fault: " << f;
    for (runner::sweep_failure const& f : r.failures)
        ADD_FAILURE() << "call " << f.call << " (" << f.operation << ", " << f.place << "): " << f.problem;
    EXPECT_GT(r.calls, 0);
}

TEST(RunnerFaultSweep, CommandPrintsTheCallsSweptAndPasses) {
    temp_dir dir;
    std::string script = dir.write("short.vxs", "active ball\nidle\ntype 0 x 1\nclick App.\n");
    process_result r = run_runner({"--fault-sweep", tour_scene, script});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(" host calls of "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" runs, 0 failed\n"), std::string::npos) << r.out;
}

TEST(RunnerFaultSweep, CommandRefusesAScriptThatFailsWithoutAFault) {
    temp_dir dir;
    std::string script = dir.write("bad.vxs", "active nowhere\n");
    process_result r = run_runner({"--fault-sweep", tour_scene, script});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("bad.vxs:1: active: no shape at path \"nowhere\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing was swept"), std::string::npos) << r.err;
}

// The window's own state changes (frame, handle mode, slot, settings) on a moved line and a
// scaled sphere, whose local and world positions differ: after any failed call the frame
// button's label and the rows agree.
TEST(RunnerFaultSweep, ClicksThatChangeTheWindowsStateTakeEffectWholeOrNotAtAll) {
    temp_dir dir;
    std::string scene = dir.write("moved.json", R"({"shapes": [
      {"name": "curve", "type": "line", "matrix": [1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  0, 0, 5, 1],
       "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 2, 3]}, {"anchor": [4, 0, 0]}]},
      {"name": "a", "type": "sphere", "center": [0, 0, 0],
       "matrix": [2, 0, 0, 0,  0, 2, 0, 0,  0, 0, 2, 0,  0, 0, 1, 1]}]})");
    runner::runner_options options;
    options.module_path = VEXEL_MODULE_PATH;
    runner::sweep_result r = runner::fault_sweep(
        options, scene,
        script::parse_script_text("active curve\nselect curve 1\nidle 3\nclick loc\nclick mode1\n"
                                  "slot 3\nsettings undo=1\n",
                                  "state.vxs"));
    for (std::string const& f : r.clean_failures) ADD_FAILURE() << "without a fault: " << f;
    for (runner::sweep_failure const& f : r.failures)
        ADD_FAILURE() << "call " << f.call << " (" << f.operation << ", " << f.place << "): " << f.problem;
    EXPECT_EQ(r.probe_shape, "a");
}

}  // namespace
}  // namespace runner_test
