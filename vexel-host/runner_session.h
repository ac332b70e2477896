// One run of vexel-host: the reference host with the plug-in loaded, a scene announced to
// it, a script of actions played against it, and the host's checks at the end.
//
// Failures are told apart by who is to blame: a script line the host refuses (a bad path, a
// disabled button) stops the script; an exception the plug-in lets out of a callback is a
// failure of the plug-in and the script goes on, as a host would; after the script the
// scenes are checked (nothing written non-finite, no undo record open, update brackets and
// state-flag suspends balanced), the window is released and nothing counted may be left.
// Every failure is printed to the error stream as one line when it happens.
#pragma once

#include <exception>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "runner_marks.h"
#include "runner_script.h"
#include "runner_trace.h"
#include "scene/scene_model.h"
#include "services/host_app.h"
#include "services/marking_component.h"
#include "services/window_model.h"

namespace host {

// The host's refusal of an edit as a script line shows it: without the name of the host
// function that refused ("set_active_points: curve has no point 7" reads "curve has no
// point 7"), since the line already names the action.
std::string host_reason(std::string const& what);

// Runs one of the host's own edits for a script line; the host's refusal becomes the
// line's ("WORD: reason").
template <class F>
void refusing(std::string const& word, F&& f) {
    try {
        f();
    } catch (script_error const&) {
        throw;
    } catch (std::exception const& e) {
        throw script_error(word + ": " + host_reason(e.what()));
    }
}

// A host check that a script line asks for failed (expect-refs).
struct expectation_failed : script_error {
    using script_error::script_error;
};

struct runner_options {
    std::string module_path;
    std::string lang = "en";
    std::string prefs_file;   // "" keeps the preferences in memory only
    bool view = false;        // echo each action and draw the window at each dump
    bool json = false;        // with view: each dump's JSON line too (without view it always is)
    bool keep_going = false;  // a refused line is reported and the script goes on
    long fail_call = 0;       // > 0: the n-th host call counted from start() throws host_error
    bool announce = true;     // false: start() leaves the scene unannounced (--no-announce)
};

enum class failure_kind {
    refused,   // the host refused a script line
    escaped,   // the plug-in let an exception out of a callback
    host,      // the module could not be loaded or reloaded
    violated,  // a host check failed (after the script, or expect-refs)
};

class runner_session;

// Checks made around every action of a script (vexel-host --oracles, the session fuzzer):
// before() sees the session as the action finds it, after() as the action left it and
// returns what it found wrong, one line each; the runner reports those as failures of the
// plug-in. Not told of a line the host refused.
class action_watcher {
public:
    virtual ~action_watcher() = default;
    virtual void before(runner_session& session, script_action const& action) = 0;
    virtual std::vector<std::string> after(runner_session& session,
                                           script_action const& action) = 0;
};

struct runner_failure {
    failure_kind kind;
    std::string message;  // the whole line as printed
};

// The host calls one action made, numbered from start() on: first..last (none when
// last < first). The fault-injection sweep maps call numbers to script lines with it.
struct action_calls {
    int line;
    std::string text;
    long first;
    long last;
};

class runner_session {
public:
    // out receives dumps, drawings and the plug-in's messages; err the failures.
    runner_session(runner_options options, std::ostream& out, std::ostream& err);
    // Releases the window if finish() did not.
    ~runner_session();
    runner_session(runner_session const&) = delete;
    runner_session& operator=(runner_session const&) = delete;

    // Opens the scene file, loads the module (its window is created shown), announces the
    // scene as the active scene unless told not to. False, with the failure printed, when
    // it cannot start.
    bool start(std::string const& scene_path);
    // Plays the actions in order. Returns false when anything failed in this run.
    bool run(script const& actions);
    // The checks after the script; releases the window. False on a violation.
    bool finish();

    // Whether nothing has failed since start().
    bool ok() const { return failure_list.empty(); }
    std::vector<runner_failure> const& failures() const { return failure_list; }
    std::vector<action_calls> const& calls() const { return call_log; }

    // Checks every action from now on; null stops. Borrowed: outlives the runs it watches.
    void watch(action_watcher* watcher) { watching = watcher; }

    // The host, the current scene (null before start) and the marking component. Borrowed:
    // they live as long as the session. None throws.
    host_app& app() { return *hostapp; }
    scene_model* scene() { return current.get(); }
    marking_component const& marker() const { return marking; }
    // The plug-in's window as the host sees it. Throws script_error when none is open.
    window_state window() const;

private:
    void perform(script_action const& action);
    // The action handlers (runner_actions.cpp).
    void do_active(script_action const& a);
    void do_type(script_action const& a);
    void do_click(script_action const& a);
    void do_slot(script_action const& a);
    void do_dump();
    void do_dump_scene(script_action const& a);
    void do_settings(script_action const& a);
    void do_dialog(script_action const& a);
    // Opens the settings dialog ("Ref." with action 2), which the host answers with the
    // line's choices and OK, or Cancel.
    void ask_settings(script_action const& a, bool cancel);
    void do_trace(script_action const& a);
    void do_delete(script_action const& a);
    void do_joint(script_action const& a);
    void do_scene(script_action const& a);
    void do_restart();
    void do_expect_refs(script_action const& a);
    void do_marks();
    void do_move_window(script_action const& a);

    // Runs f, a call into the plug-in; an exception out of it is recorded as escaped.
    template <class F>
    void into_plugin(char const* what, F&& f);
    // A user action on control index: refused unless it exists, is of kind (a number box
    // also accepts a text field) and is enabled and shown.
    void check_control(int index, control_kind kind, std::string const& name) const;
    window_interface& require_window() const;
    scene_model& require_scene() const;
    // load_scene_file, with a folder refused in words of our own. Throws scene_file_error.
    static std::unique_ptr<scene_model> open_scene_file(std::string const& path);
    void use_scene(std::unique_ptr<scene_model> next);
    void on_modified(std::vector<shape_class*> const& shapes);
    void announce_scene();
    void print_messages();
    // Takes the marking component's new requests, with their shapes' paths as they are now
    // (after every action: a shape deleted later still shows its path).
    void collect_marks();
    // Takes the host calls recorded during the line, for `trace`.
    void collect_trace();
    // The current scene first, then the ones it replaced.
    std::vector<scene_model const*> all_scenes() const;
    void fail(failure_kind kind, std::string const& what);
    std::string where() const;

    runner_options options;
    std::ostream& out;
    std::ostream& err;
    marking_component marking;
    // Scenes replaced by `scene` stay alive until the end: the plug-in may still hold
    // borrowed pointers into them, and a pointer to freed memory is the plug-in's fault to
    // show, not the runner's to cause. Declared before the host so that they outlive it.
    std::vector<std::unique_ptr<scene_model>> retired;
    std::unique_ptr<scene_model> current;
    std::unique_ptr<host_app> hostapp;
    std::vector<runner_failure> failure_list;
    std::vector<action_calls> call_log;
    std::vector<collected_mark> marks_since;  // since the last `marks`
    std::size_t marks_collected = 0;          // requests of marking taken into it
    std::vector<collected_call> calls_since;  // since the last `trace`
    action_watcher* watching = nullptr;
    script const* running = nullptr;        // the script being played, for messages
    script_action const* acting = nullptr;  // its current line
    std::string last_script = "vexel-host";
};

template <class F>
void runner_session::into_plugin(char const* what, F&& f) {
    try {
        f();
    } catch (std::exception const& e) {
        fail(failure_kind::escaped,
             std::string(what) + ": the plug-in let an exception through: " + e.what());
    } catch (...) {
        fail(failure_kind::escaped,
             std::string(what) + ": the plug-in let an exception through (not a std::exception)");
    }
}

}  // namespace host
