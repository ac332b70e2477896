#include "runner_sweep.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

#include "checks/host_checks.h"
#include "services/module_residence.h"
#include "scene_files/scene_dump.h"
#include "scene/scene_edits.h"
#include "scene/shape_node.h"
#include "window_controls.h"

namespace runner {

double shown_number(host::window_state const& window, int row, int axis) {
    host::control_state const& c = window.controls.at(script::vexel_controls::box(row, axis));
    if (c.kind == host::control_kind::number) return c.value.value_or(std::nan(""));
    char* end = nullptr;
    double value = std::strtod(c.text.c_str(), &end);
    return end == c.text.c_str() ? std::nan("") : value;
}

namespace {

// The first sphere, disk or light of the scene: its centre is row 0 as soon as it is
// active, with no point to select.
host::shape_node* probe_target(host::scene_model& scene) {
    for (host::shape_node* shape : scene.all_shapes())
        if (shape->object_kind() == kind_sphere || shape->object_kind() == kind_disk ||
            shape->object_kind() == kind_light)
            return shape;
    return nullptr;
}

// Whether the window still follows the host, which it does only when its busy flag is
// clear: the probe shape is made active and then moved by the host, and row 0 must show
// the new centre (a busy window skips both the activation's refresh and the
// modification's). If the first try fails, the scene is announced again (a fault in an
// earlier announcement may have left the window waiting for a scene, or with an old figure
// unit; neither touches the busy flag) and the move is tried once more. The probe shape
// and the active shape are put back. Returns what went wrong, or "".
std::string probe_busy(runner_session& session) {
    host::host_app& app = session.app();
    host::scene_model* scene = session.scene();
    if (!app.loaded() || !scene) return "no window or no scene to probe with";
    host::shape_node* target = probe_target(*scene);
    if (!target) return "";
    std::string path = target->path();
    std::string name = path.substr(path.find_last_of('/') + 1);
    std::string was_active = scene->active_shape() ? scene->active_shape()->path() : "";
    vec3 was_at = target->geometry.center;
    std::string problem;
    for (vec3 moved_to : {vec3{7.25f, -8.5f, 9.75f}, vec3{-3.5f, 4.25f, -6.75f}}) {
        if (!problem.empty()) app.active_scene_changed();
        app.show_window();
        scene->set_active_shape(path);
        app.active_shapes_changed({}, {&target->iface()});
        host::move_point(*scene, path, 0, moved_to);  // shapes_modified through the scene's listener
        host::window_state w = session.window();
        std::string const label = w.controls.at(script::vexel_controls::extra(0)).text;
        bool world = label == "Glo.";
        nlohmann::ordered_json point;
        nlohmann::ordered_json const dump = host::dump_scene_json(*scene);
        for (auto const& shape : dump["shapes"])
            if (shape["path"] == path) point = shape["points"][0];
        // Whether row 0 shows the centre in the local (or world) frame.
        auto shows = [&](char const* frame) {
            for (int axis = 0; axis < 3; ++axis) {
                double want = point[frame][axis].get<double>() * scene->figure_unit();
                double shown = shown_number(w, 0, axis);
                if (!(std::abs(shown - want) <= 1e-4 * std::max(1.0, std::abs(want)))) return false;
            }
            return true;
        };
        char const* frame = world ? "world" : "local";
        char const* other = world ? "local" : "world";
        problem.clear();
        if (w.title.find("[" + name + "]") == std::string::npos) {
            problem = "the window did not show the activated " + name + " (title \"" + w.title +
                      "\"): it no longer follows the host's notifications";
        } else if (!shows(frame)) {
            problem = shows(other) ? "row 0 shows the " + std::string(other) + " position of " +
                                         name + " while the frame button says \"" + label + "\""
                                   : "the rows did not follow the host's move of " + name +
                                         " (row 0 shows (" + std::to_string(shown_number(w, 0, 0)) +
                                         ", " + std::to_string(shown_number(w, 0, 1)) + ", " +
                                         std::to_string(shown_number(w, 0, 2)) + ", the " +
                                         frame + " position is " + point[frame].dump() +
                                         "): it no longer follows the host's notifications";
        }
        if (problem.empty()) break;
    }
    move_point(*scene, path, 0, was_at);
    if (!was_active.empty() && scene->find(was_active)) {
        scene->set_active_shape(was_active);
        app.active_shapes_changed({}, {&scene->find(was_active)->iface()});
    }
    return problem;
}

struct one_run {
    bool fired = false;
    bool in_construction = false;
    long calls = 0;  // host calls up to the end, the final release included
    std::vector<runner_failure> failures;
    std::string probe;
    std::vector<action_calls> lines;
    std::vector<std::string> trace;
};

// The script with host call fail_call throwing (0: none). The busy flag is probed right
// after the line in which the fault fired, and the script goes on.
one_run run_once(runner_options options, std::string const& scene_path, script::script const& actions,
                 long fail_call, bool probe_at_end) {
    std::ostringstream out, err;
    options.fail_call = fail_call;
    options.keep_going = true;  // a line refused because of the fault's effect is not the end
    options.view = false;
    options.prefs_file.clear();
    one_run result;
    {
        runner_session session(options, out, err);
        if (session.start(scene_path) || host::faults().fired()) {
            result.in_construction = host::faults().fired();
            for (script::script_action const& action : actions.actions) {
                bool before = host::faults().fired();
                session.run(script::script{actions.name, actions.dir, {action}});
                if (before || !host::faults().fired()) continue;
                if (action.kind == script::action_kind::restart)
                    result.in_construction = true;
                else
                    result.probe = probe_busy(session);
            }
            // A window whose making failed may stay inert, and the host is not told: it is
            // made again, and the new one must work.
            if (result.in_construction) {
                session.run(script::parse_script_text("restart", "sweep"));
                result.probe = probe_busy(session);
            }
            if (probe_at_end) result.probe = probe_busy(session);
        }
        result.lines = session.calls();
        session.finish();
        result.failures = session.failures();
    }
    result.fired = host::faults().fired();
    result.calls = host::faults().calls();
    result.trace = host::faults().trace();
    return result;
}

std::string place_of(long call, std::vector<action_calls> const& lines, script::script const& actions) {
    for (action_calls const& a : lines)
        if (call >= a.first && call <= a.last)
            return actions.name + ":" + std::to_string(a.line) + " " + host::quoted_word(a.text);
    if (lines.empty() || call < lines.front().first) return "loading the plug-in";
    return "releasing the window after the script";
}

}  // namespace

sweep_result fault_sweep(runner_options const& options, std::string const& scene_path,
                         script::script const& actions,
                         std::function<void(long call, long calls)> const& progress) {
    sweep_result result;
    host::module_residence mapped(options.module_path);
    // The clean run names every call, so that a failure can say which operation threw;
    // the faulted runs need only the count.
    host::faults().record_trace(true);
    one_run clean = run_once(options, scene_path, actions, 0, false);
    host::faults().record_trace(false);
    for (runner_failure const& f : clean.failures) result.clean_failures.push_back(f.message);
    if (!result.clean_failures.empty()) return result;
    // The busy check must see a working window when nothing failed.
    one_run probed = run_once(options, scene_path, actions, 0, true);
    if (!probed.probe.empty())
        result.clean_failures.push_back("busy check without a fault: " + probed.probe);
    for (runner_failure const& f : probed.failures) result.clean_failures.push_back(f.message);
    if (!result.clean_failures.empty()) return result;
    {
        std::ostringstream ignored;
        runner_session session(options, ignored, ignored);
        if (session.start(scene_path))
            if (host::shape_node* target = probe_target(*session.scene())) result.probe_shape = target->path();
    }

    result.calls = clean.calls;
    result.operations.insert(clean.trace.begin(), clean.trace.end());
    for (std::string const& operation : clean.trace)
        if (operation.rfind("text_object.", 0) == 0) ++result.text_object_calls;
    for (long n = 1; n <= clean.calls; ++n) {
        if (progress) progress(n, clean.calls);
        one_run run = run_once(options, scene_path, actions, n, false);
        if (run.in_construction) ++result.construction_faults;
        auto failed = [&](std::string const& problem) {
            result.failures.push_back({n, clean.trace[static_cast<std::size_t>(n - 1)],
                                       place_of(n, clean.lines, actions), problem});
        };
        if (!run.fired) failed("the fault did not fire (the run took another way)");
        if (!run.probe.empty()) failed(run.probe);
        for (runner_failure const& f : run.failures)
            if (f.kind == failure_kind::escaped || f.kind == failure_kind::violated)
                failed(f.message);
    }
    return result;
}

}  // namespace runner
