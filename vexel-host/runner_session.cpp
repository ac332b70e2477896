#include "runner_session.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "checks/host_checks.h"
#include "files/scene_file.h"
#include "session/scene_announcement.h"
#include "windowinterface"

namespace host {

runner_session::runner_session(runner_options given, std::ostream& out_stream,
                               std::ostream& err_stream)
    : options(std::move(given)), out(out_stream), err(err_stream) {}

runner_session::~runner_session() {
    // The call record is the one host's: the next session starts without it.
    faults().record_calls(false);
    if (!hostapp || !hostapp->loaded()) return;
    try {
        hostapp->unload();
    } catch (...) {
        // A window that outlived its release keeps its module mapped; nothing more to do.
    }
}

std::string host_reason(std::string const& what) {
    std::size_t colon = what.find(": ");
    if (colon == std::string::npos || what.find('_') > colon) return what;
    for (std::size_t i = 0; i < colon; ++i)
        if (!(what[i] == '_' || (what[i] >= 'a' && what[i] <= 'z'))) return what;
    return what.substr(colon + 2);
}

std::string runner_session::where() const {
    if (acting && running) return running->name + ":" + std::to_string(acting->line) + ": ";
    return last_script + ": ";
}

void runner_session::fail(failure_kind kind, std::string const& what) {
    failure_list.push_back({kind, where() + what});
    err << failure_list.back().message << "\n";
}

bool runner_session::start(std::string const& scene_path) {
    faults().record_calls(false);
    faults().reset();
    audit().reset();
    if (options.fail_call > 0) faults().fail_any(options.fail_call);
    try {
        hostapp = std::make_unique<host_app>(options.prefs_file, options.lang);
        if (!hostapp->preferences().refusal().empty())
            err << hostapp->preferences().refusal()
                << " (the settings start from their defaults and the file is left as it is)\n";
        hostapp->set_marking_component(&marking);
        use_scene(open_scene_file(scene_path));
    } catch (std::exception const& e) {
        fail(failure_kind::refused, e.what());
        return false;
    }
    try {
        hostapp->load(options.module_path);
    } catch (std::exception const& e) {
        fail(failure_kind::host, std::string("cannot load the plug-in: ") + e.what());
        return false;
    }
    if (options.announce) announce_scene();
    print_messages();
    collect_marks();
    return ok();
}

std::unique_ptr<scene_model> runner_session::open_scene_file(std::string const& path) {
    // A folder opens as an empty file on some systems; say what it is instead of
    // passing on the JSON reader's complaint about empty input.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        throw scene_file_error(path + ": is a folder, not a scene file");
    return load_scene_file(path);
}

void runner_session::use_scene(std::unique_ptr<scene_model> next) {
    if (current) {
        current->set_modification_listener({});
        retired.push_back(std::move(current));
    }
    current = std::move(next);
    // The scene tells the window about every change, also from inside the plug-in's own
    // writes: that is how a host behaves, and it is what the busy flag is for.
    current->set_modification_listener(
        [this](std::vector<shape_class*> const& shapes) { on_modified(shapes); });
    hostapp->set_scene(current.get());
}

void runner_session::on_modified(std::vector<shape_class*> const& shapes) {
    if (!hostapp->loaded()) return;
    into_plugin("shapes_modified", [&] { hostapp->shapes_modified(shapes); });
}

void runner_session::announce_scene() {
    auto call = [this](char const* what, std::function<void()> const& send) { into_plugin(what, send); };
    host::announce_scene(*hostapp, *current, call);
}

void runner_session::print_messages() {
    for (std::string const& m : hostapp->messages()) out << "message: " << m << "\n";
    hostapp->clear_messages();
}

std::vector<scene_model const*> runner_session::all_scenes() const {
    std::vector<scene_model const*> scenes;
    if (current) scenes.push_back(current.get());
    for (auto const& s : retired) scenes.push_back(s.get());
    return scenes;
}

void runner_session::collect_marks() {
    // The component keeps its whole record for marker(); only the new tail is taken.
    std::vector<mark_request> const& all = marking.requests();
    if (marks_collected > all.size()) marks_collected = 0;  // cleared from outside
    if (marks_collected == all.size()) return;
    std::vector<scene_model const*> scenes = all_scenes();
    for (; marks_collected < all.size(); ++marks_collected)
        marks_since.push_back({path_in(scenes, all[marks_collected].shape), all[marks_collected]});
}

void runner_session::collect_trace() { collect_calls(all_scenes(), calls_since); }

bool runner_session::run(script const& actions) {
    std::size_t failures_before = failure_list.size();
    running = &actions;
    last_script = actions.name;
    for (script_action const& action : actions.actions) {
        acting = &action;
        if (options.view) out << "> " << action.text << "\n";
        long first = faults().calls() + 1;
        bool stop = false;
        bool refused = false;
        if (watching) watching->before(*this, action);
        try {
            perform(action);
        } catch (expectation_failed const& e) {
            fail(failure_kind::violated, e.what());
            stop = !options.keep_going;
        } catch (script_error const& e) {
            fail(failure_kind::refused, e.what());
            stop = !options.keep_going;
            refused = true;
        } catch (std::exception const& e) {
            // The host's own refusal of an edit that perform did not word itself.
            fail(failure_kind::refused, action.word + ": " + host_reason(e.what()));
            stop = !options.keep_going;
            refused = true;
        }
        call_log.push_back({action.line, action.text, first, faults().calls()});
        if (hostapp) print_messages();
        collect_marks();
        collect_trace();
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
    std::vector<scene_model const*> scenes;
    for (auto const& s : retired) scenes.push_back(s.get());
    if (current) scenes.push_back(current.get());
    for (scene_model const* s : scenes)
        for (std::string const& problem : s->violations())
            fail(failure_kind::violated, "after the script: " + problem);
    if (hostapp && hostapp->loaded()) {
        try {
            hostapp->unload();
        } catch (std::exception const& e) {
            fail(failure_kind::violated, std::string("releasing the window: ") + e.what());
        }
    }
    std::vector<std::string> left = audit().outstanding();
    if (!left.empty())
        fail(failure_kind::violated,
             "after the window was released, counted host objects are still held: " +
                 joined(left));
    return failure_list.size() == failures_before;
}

window_interface& runner_session::require_window() const {
    if (!hostapp || !hostapp->loaded())
        throw script_error((acting ? acting->word : std::string("window")) +
                           ": no plug-in window is open");
    return *hostapp->window();
}

scene_model& runner_session::require_scene() const {
    if (!current) throw script_error("no scene is open");
    return *current;
}

window_state runner_session::window() const {
    return hostapp->services().state(require_window());
}

}  // namespace host
