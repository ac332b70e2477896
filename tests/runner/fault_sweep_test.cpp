// The fault-injection sweep over examples/editing.vxs: the example run again and again with
// one host call made to throw, the n-th for each n in turn. Whatever fails, the plug-in
// must catch the exception, leave nothing written non-finite, no undo record open, no
// update bracket or state-flag suspend unbalanced, no counted object held, and its busy
// flag clear. A fault while the window is being made may pass to the host (the window's
// constructor and initialize let host exceptions through); that run then goes on without
// a window until the script's restart, and is checked all the same.
//
// Runs are in-process. Every call made by "App.", "Snap", "Save" and "Load" is faulted;
// the calls of all other lines and of loading the window are sampled evenly so that the
// sweep stays within a few hundred runs. Releasing the window at the end comes after the
// probe and is not faulted here; the script's restart releases it under faults.
#include <algorithm>
#include <set>

#include "host_checks.h"
#include "runner_fixture.h"

namespace runner_test {
namespace {

std::string const tour_scene = VEXEL_SOURCE_DIR "/examples/tour.json";
std::string const editing_script = VEXEL_SOURCE_DIR "/examples/editing.vxs";
long const sampled_runs_budget = 250;

// Where the busy flag shows: a fresh scene announced, the sphere made active and then
// moved by the host. The window re-reads the sphere's centre on the modification only when
// it is not busy (the activation's refresh is skipped as well when it is). A window lost
// to the fault is loaded again first.
std::string const busy_probe = "scene " + tour_scene + R"(
show
active ball
move ball 0 7.25 -8.5 9.75
)";

struct sweep_outcome {
    bool fired = false;      // the fault fired before the probe
    long script_calls = 0;   // host calls of loading and the script, before the probe
    std::vector<host::runner_failure> failures;
    bool inert = false;      // the fault hit the making of the window
    std::string probe;  // what the probe saw wrong; empty when the rows followed
};

sweep_outcome run_with_fault(host::script const& editing, long fail_call,
                             std::vector<host::action_calls>* calls = nullptr) {
    std::ostringstream out, err;
    host::runner_options options;
    options.module_path = VEXEL_MODULE_PATH;
    options.keep_going = true;  // a line refused because of the fault's effect is not the end
    options.fail_call = fail_call;
    host::runner_session session(options, out, err);
    sweep_outcome outcome;
    if (session.start(tour_scene)) session.run(editing);
    outcome.fired = host::faults().fired();
    outcome.script_calls = host::faults().calls();

    // A window whose initialize failed stays inert (busy, with the controls made so far)
    // by the plug-in's choice, and the host is not told. After a fault while the window
    // was being made it is made again before the probe, like a window that was not made.
    std::vector<host::action_calls> const& log = session.calls();
    bool in_construction = fail_call > 0 && (log.empty() || fail_call < log.front().first);
    for (auto const& a : log)
        if (a.text == "restart" && fail_call >= a.first && fail_call <= a.last) in_construction = true;
    outcome.inert = outcome.fired && (in_construction || !session.app().loaded());
    std::string probe = busy_probe;
    if (outcome.inert) probe = "restart\n" + probe;
    session.run(host::parse_script_text(probe, "busy probe"));
    if (!session.app().loaded()) {
        outcome.probe = "no window after the probe's reload";
    } else {
        json d = json::parse(host::one_line_json(host::window_dump(session.window())));
        double x = box_number(d, 0, 0), y = box_number(d, 0, 1), z = box_number(d, 0, 2);
        if (d["title"].get<std::string>().find("[ball]") == std::string::npos || x != 7.25 ||
            y != -8.5 || z != 9.75)
            outcome.probe = "the rows did not follow the host's move (title \"" +
                            d["title"].get<std::string>() + "\", row 0 " + std::to_string(x) +
                            " " + std::to_string(y) + " " + std::to_string(z) + ")";
    }
    session.finish();
    if (calls) *calls = session.calls();
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
    // The probe's own calls are not faulted: it must see the window as the fault left it.
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

    int failed_runs = 0, inert_windows = 0;
    for (long n : plan) {
        sweep_outcome o = run_with_fault(editing, n);
        std::string line = "no line";
        for (auto const& a : calls)
            if (n >= a.first && n <= a.last) line = "line " + std::to_string(a.line) + " \"" + a.text + "\"";
        bool bad = !o.fired || !o.probe.empty();
        if (!o.fired) ADD_FAILURE() << "call " << n << " (" << line << "): the fault did not fire";
        if (!o.probe.empty()) ADD_FAILURE() << "call " << n << " (" << line << "): " << o.probe;
        if (o.inert) ++inert_windows;
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
    std::printf("[ sweep    ] %d faults hit the making of the window; it was made again "
                "before the probe\n", inert_windows);

    // Past the last call nothing fires before the probe: the sweep covered the whole run.
    sweep_outcome beyond = run_with_fault(editing, total + 1);
    EXPECT_FALSE(beyond.fired);
}

}  // namespace
}  // namespace runner_test
