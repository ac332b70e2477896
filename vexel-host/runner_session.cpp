#include "runner_session.h"

#include <ostream>

#include "checks/host_checks.h"
#include "play.h"
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
    script::play(actions, *this, {options.keep_going, watching});
    acting = nullptr;
    running = nullptr;
    return failure_list.size() == failures_before;
}

void runner_session::begin_line(script_action const& action) {
    acting = &action;
    if (options.view) out_stream << "> " << action.text << "\n";
    first_call = host::faults().calls() + 1;
}

void runner_session::end_line(script_action const& action) {
    call_log.push_back({action.line, action.text, first_call, host::faults().calls()});
    if (core.has_host()) print_messages();
}

bool runner_session::finish() {
    std::size_t failures_before = failure_list.size();
    for (std::string const& problem : core.finish_run()) fail(failure_kind::violated, problem);
    return failure_list.size() == failures_before;
}

host::window_state runner_session::window() const {
    if (!core.loaded())
        throw script_error((acting ? acting->word : std::string("window")) +
                           ": no plug-in window is open");
    return core.window();
}

}  // namespace runner
