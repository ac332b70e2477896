// The fault-injection sweep over examples/editing.vxs: the example run again and again with
// one host call made to throw, the n-th for each n in turn. Whatever fails, the run must
// finish with no exception let out of the plug-in, nothing written non-finite, no undo
// record open, no update bracket or state-flag suspend unbalanced, no counted object held
// once the window is released, and the busy flag clear: right after the line in which the
// fault fired, a host-side move must still show in the window's rows.
//
// A fault while a window is being made or released (loading, the script's restart) may
// leave that window inert or pass to the host, by the plug-in's contract; the run goes on,
// and at its end a window made again must work.
//
// Runs are in-process. Every call made by "App.", "Snap", "Save" and "Load" is faulted;
// the calls of all other lines and of loading the window are sampled evenly so that the
// sweep stays within a few hundred runs. The final release of the window is not faulted;
// the script's restart releases one under faults.
#include <algorithm>
#include <cmath>
#include <set>

#include "host_checks.h"
#include "runner_fixture.h"
#include "scene_dump.h"

namespace runner_test {
namespace {

using namespace host::vexel_controls;

std::string const tour_scene = VEXEL_SOURCE_DIR "/examples/tour.json";
std::string const editing_script = VEXEL_SOURCE_DIR "/examples/editing.vxs";
long const sampled_runs_budget = 250;

// Whether the window still follows the host, which it does only when its busy flag is
// clear: the sphere is made active and then moved by the host, and row 0 must show the new
// centre (a busy window skips both the activation's refresh and the modification's). If
// the first try fails, the scene is announced again (a fault in an earlier announcement
// may have left the window waiting for a scene, or with an old figure unit; neither
// touches the busy flag) and the move is tried once more. The active shape is put back.
// Returns what went wrong, or "".
std::string probe_busy(host::runner_session& session) {
    host::host_app& app = session.app();
    host::scene_model& scene = *session.scene();
    host::shape_node* ball = scene.find("ball");
    if (!app.loaded() || !ball) return "no window or no sphere to probe with";
    std::string was_active = scene.active_shape() ? scene.active_shape()->path() : "";
    vec3 was_at = ball->geometry.center;
    std::string problem;
    for (vec3 target : {vec3{7.25f, -8.5f, 9.75f}, vec3{-3.5f, 4.25f, -6.75f}}) {
        if (!problem.empty()) app.active_scene_changed();
        app.show_window();
        scene.set_active_shape("ball");
        app.active_shapes_changed({}, {&ball->iface()});
        scene.move_point("ball", 0, target);  // shapes_modified through the scene's listener
        json d = json::parse(host::one_line_json(host::window_dump(session.window())));
        bool world = d["controls"][extra(0)]["text"] == "Glo.";
        nlohmann::ordered_json shapes = host::dump_scene_json(scene)["shapes"];
        json expected;
        for (auto const& shape : shapes)
            if (shape["path"] == "ball") expected = shape["points"][0][world ? "world" : "local"];
        problem.clear();
        for (int axis = 0; axis < 3; ++axis) {
            double want = expected[axis].get<double>() * scene.figure_unit();
            double shown = box_number(d, 0, axis);
            if (std::abs(shown - want) > 1e-4 * std::max(1.0, std::abs(want)))
                problem = "the rows did not follow the host's move (title \"" +
                          d["title"].get<std::string>() + "\", row 0 axis " + std::to_string(axis) +
                          " shows " + std::to_string(shown) + ", expected " + std::to_string(want) + ")";
        }
        if (d["title"].get<std::string>().find("[ball]") == std::string::npos)
            problem = "the window did not show the activated sphere (title \"" +
                      d["title"].get<std::string>() + "\")";
        if (problem.empty()) break;
    }
    scene.move_point("ball", 0, was_at);
    if (!was_active.empty()) {
        scene.set_active_shape(was_active);
        app.active_shapes_changed({}, {&scene.find(was_active)->iface()});
    }
    return problem;
}

struct sweep_outcome {
    bool fired = false;     // the fault fired in the script (or while loading)
    long script_calls = 0;  // host calls of loading and the script, probes left out
    bool in_construction = false;  // the fault hit the making (or the release) of a window
    std::vector<host::runner_failure> failures;
    std::string probe;  // what the probe saw wrong; empty when the rows followed
};

// The editing script with host call fail_call failing. The busy flag is probed right after
// the line in which the fault fired, in the window that saw it, and the script goes on.
sweep_outcome run_with_fault(host::script const& editing, long fail_call,
                             std::vector<host::action_calls>* calls = nullptr) {
    std::ostringstream out, err;
    host::runner_options options;
    options.module_path = VEXEL_MODULE_PATH;
    options.keep_going = true;  // a line refused because of the fault's effect is not the end
    options.fail_call = fail_call;
    host::runner_session session(options, out, err);
    sweep_outcome outcome;
    session.start(tour_scene);
    outcome.in_construction = host::faults().fired();
    for (host::script_action const& action : editing.actions) {
        bool before = host::faults().fired();
        session.run(host::script{editing.name, editing.dir, {action}});
        if (before || !host::faults().fired()) continue;
        if (action.kind == host::action_kind::restart)
            outcome.in_construction = true;
        else
            outcome.probe = probe_busy(session);
    }
    outcome.fired = host::faults().fired();
    outcome.script_calls = host::faults().calls();
    if (calls) *calls = session.calls();
    // A window whose initialize failed stays inert (busy, with the controls made so far)
    // by the plug-in's choice, and the host is not told. After a fault while a window was
    // being made it is made again, and the new one must work.
    if (outcome.in_construction) {
        session.run(host::parse_script_text("restart", "sweep"));
        outcome.probe = probe_busy(session);
    }
    if (fail_call == 0) outcome.probe = probe_busy(session);  // the probe itself works
    session.finish();
    outcome.failures = session.failures();
    return outcome;
}

bool is_editing_click(std::string const& text) {
    for (char const* button : {"click App.", "click Snap", "click Save", "click Load"})
        if (text.rfind(button, 0) == 0) return true;
    return false;
}

TEST(fault_sweep, editing_example_survives_a_failing_host_call_anywhere) {
    host::script editing = host::load_script_file(editing_script);

    // The run without a fault: it must be clean, and it tells which calls each line makes.
    std::vector<host::action_calls> calls;
    sweep_outcome clean = run_with_fault(editing, 0, &calls);
    for (auto const& f : clean.failures) ADD_FAILURE() << "without a fault: " << f.message;
    ASSERT_TRUE(clean.probe.empty()) << clean.probe;
    long total = clean.script_calls;
    ASSERT_GT(total, 0);

    std::set<long> every;  // the calls of App., Snap, Save and Load
    for (auto const& a : calls)
        if (is_editing_click(a.text))
            for (long n = a.first; n <= a.last; ++n) every.insert(n);
    ASSERT_FALSE(every.empty());
    long rest = total - static_cast<long>(every.size());
    long step = std::max(1L, rest / sampled_runs_budget);
    std::vector<long> plan(every.begin(), every.end());
    for (long n = 1; n <= total; n += step)
        if (!every.count(n)) plan.push_back(n);
    std::sort(plan.begin(), plan.end());
    std::printf("[ sweep    ] %ld host calls; all %zu of App./Snap/Save/Load, every %ld-th of "
                "the other %ld: %zu runs\n",
                total, every.size(), step, rest, plan.size());

    int failed_runs = 0, construction_faults = 0;
    for (long n : plan) {
        sweep_outcome o = run_with_fault(editing, n);
        std::string line = "no line";
        for (auto const& a : calls)
            if (n >= a.first && n <= a.last) line = "line " + std::to_string(a.line) + " \"" + a.text + "\"";
        bool bad = !o.fired || !o.probe.empty();
        if (!o.fired) ADD_FAILURE() << "call " << n << " (" << line << "): the fault did not fire";
        if (!o.probe.empty()) ADD_FAILURE() << "call " << n << " (" << line << "): " << o.probe;
        if (o.in_construction) ++construction_faults;
        for (auto const& f : o.failures) {
            if (f.kind != host::failure_kind::escaped && f.kind != host::failure_kind::violated)
                continue;
            bad = true;
            ADD_FAILURE() << "call " << n << " (" << line << "): " << f.message;
        }
        if (bad && ++failed_runs >= 10) {
            ADD_FAILURE() << "stopping the sweep after 10 failed runs";
            break;
        }
    }
    std::printf("[ sweep    ] %d faults hit the making or release of a window\n", construction_faults);

    // Past the last call nothing fires: the sweep covered the whole run.
    sweep_outcome beyond = run_with_fault(editing, total + 1);
    EXPECT_FALSE(beyond.fired);
}

}  // namespace
}  // namespace runner_test
