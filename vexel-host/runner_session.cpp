#include "runner_session.h"

#include <algorithm>
#include <ostream>

#include "checks/host_checks.h"
#include "scene_files/scene_file.h"

namespace runner {

using script::script_action;
using script::script_error;

runner_session::runner_session(runner_options given, std::ostream& out_to, std::ostream& err_to)
    : options(std::move(given)), out_stream(out_to), err(err_to),
      core(options.module_path, *this) {}

std::string runner_session::where() const {
    if (acting && running) return running->name + ":" + std::to_string(acting->line) + ": ";
    return last_script + ": ";
}

void runner_session::fail(failure_kind kind, std::string const& what) {
    failure_list.push_back({kind, where() + what});
    err << failure_list.back().message << "\n";
}

bool runner_session::start(std::string const& scene_path) {
    host::host_session::reset_checks();
    if (options.fail_call > 0) host::faults().fail_any(options.fail_call);
    try {
        host::host_app& app = core.make_host(options.prefs_file, options.lang);
        if (!app.preferences().refusal().empty())
            err << app.preferences().refusal()
                << " (the settings start from their defaults and the file is left as it is)\n";
        core.use_scene(host::load_scene_file(scene_path));
    } catch (std::exception const& e) {
        fail(failure_kind::refused, e.what());
        return false;
    }
    try {
        core.load_module();
    } catch (std::exception const& e) {
        fail(failure_kind::host, std::string("cannot load the plug-in: ") + e.what());
        return false;
    }
    if (options.announce) core.announce();
    print_messages();
    core.collect();
    return ok();
}

void runner_session::print_messages() {
    for (std::string const& m : core.app().messages()) out_stream << "message: " << m << "\n";
    core.app().clear_messages();
}

bool runner_session::run(script::script const& actions) {
    std::size_t failures_before = failure_list.size();
    running = &actions;
    last_script = actions.name;
    for (script_action const& action : actions.actions) {
        acting = &action;
        if (options.view) out_stream << "> " << action.text << "\n";
        long first = host::faults().calls() + 1;
        bool stop = false;
        bool refused = false;
        if (watching) watching->before(*this, action);
        try {
            script::perform(action, actions.dir, *this);
        } catch (script::expectation_failed const& e) {
            fail(failure_kind::violated, e.what());
            stop = !options.keep_going;
        } catch (script_error const& e) {
            fail(failure_kind::refused, e.what());
            stop = !options.keep_going;
            refused = true;
        } catch (std::exception const& e) {
            // The host's own refusal of an edit that perform did not word itself.
            fail(failure_kind::refused, action.word + ": " + script::host_reason(e.what()));
            stop = !options.keep_going;
            refused = true;
        }
        call_log.push_back({action.line, action.text, first, host::faults().calls()});
        if (core.has_host()) print_messages();
        core.collect();
        if (watching && !refused)
            for (std::string const& problem : watching->after(*this, action))
                fail(failure_kind::violated, action.word + ": " + problem);
        if (stop) break;
    }
    acting = nullptr;
    running = nullptr;
    return failure_list.size() == failures_before;
}

namespace {

std::string joined(std::vector<std::string> const& lines) {
    std::string text;
    for (std::string const& line : lines) text += (text.empty() ? "" : ", ") + line;
    return text;
}

}  // namespace

bool runner_session::finish() {
    std::size_t failures_before = failure_list.size();
    // The scenes in the order they were opened, the current one last.
    std::vector<host::scene_model const*> scenes = core.all_scenes();
    if (!scenes.empty()) std::rotate(scenes.begin(), scenes.begin() + 1, scenes.end());
    for (host::scene_model const* s : scenes)
        for (std::string const& problem : s->violations())
            fail(failure_kind::violated, "after the script: " + problem);
    if (core.loaded()) {
        try {
            core.app().unload();
        } catch (std::exception const& e) {
            fail(failure_kind::violated, std::string("releasing the window: ") + e.what());
        }
    }
    std::vector<std::string> left = host::audit().outstanding();
    if (!left.empty())
        fail(failure_kind::violated,
             "after the window was released, counted host objects are still held: " +
                 joined(left));
    std::vector<std::string> const& twice = host::audit().over_released();
    if (!twice.empty())
        fail(failure_kind::violated,
             "counted host objects were released with no reference held: " + joined(twice));
    return failure_list.size() == failures_before;
}

host::window_state runner_session::window() const {
    if (!core.loaded())
        throw script_error((acting ? acting->word : std::string("window")) +
                           ": no plug-in window is open");
    return core.window();
}

}  // namespace runner
