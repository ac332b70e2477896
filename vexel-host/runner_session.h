// One run of vexel-host: the reference host's session with the plug-in loaded, a scene
// announced to it, a script of actions played against it, and the host's checks at the end.
//
// Failures are told apart by who is to blame: a script line the host refuses (a bad path, a
// disabled button) stops the script; an exception the plug-in lets out of a callback is a
// failure of the plug-in and the script goes on, as a host would; after the script the
// scenes are checked (nothing written non-finite, no undo record open, update brackets and
// state-flag suspends balanced), the window is released and nothing counted may be left.
// Every failure is printed to the error stream as one line when it happens.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "action_watcher.h"
#include "performer.h"
#include "script_syntax.h"
#include "session/host_session.h"

namespace runner {

using host::failure_kind;

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

class runner_session final : private host::session_observer, private script::performer {
public:
    // out receives dumps, drawings and the plug-in's messages; err the failures.
    runner_session(runner_options options, std::ostream& out, std::ostream& err);
    runner_session(runner_session const&) = delete;
    runner_session& operator=(runner_session const&) = delete;

    // Opens the scene file, loads the module (its window is created shown), announces the
    // scene as the active scene unless told not to. False, with the failure printed, when
    // it cannot start.
    bool start(std::string const& scene_path);
    // Plays the actions in order. Returns false when anything failed in this run.
    bool run(script::script const& actions);
    // The checks after the script; releases the window. False on a violation.
    bool finish();

    // Whether nothing has failed since start().
    bool ok() const { return failure_list.empty(); }
    std::vector<runner_failure> const& failures() const { return failure_list; }
    std::vector<action_calls> const& calls() const { return call_log; }

    // Checks every action from now on; null stops. Borrowed: outlives the runs it watches.
    void watch(script::action_watcher* watcher) { watching = watcher; }

    // The host, the current scene (null before start) and the marking component. Borrowed:
    // they live as long as the session. None throws.
    host::host_app& app() { return core.app(); }
    host::scene_model* scene() { return core.scene(); }
    host::marking_component const& marker() const { return core.marker(); }
    // The plug-in's window as the host sees it. Throws script_error when none is open.
    host::window_state window() const;

private:
    // session_observer
    void on_failure(failure_kind kind, std::string const& what) override { fail(kind, what); }
    // performer: the user's side through the host's controls (user_controls).
    host::host_session& session() override { return core; }
    std::ostream& out() override { return out_stream; }
    host::window_state shown_window(script::script_action const& a) override;
    void reach(script::script_action const& a, int index, host::control_kind kind,
               std::string const& name) override;
    void click(script::script_action const& a, script::named_control const& control,
               int action) override;
    void type(script::script_action const& a, int index, bool number_box) override;
    void choose(script::script_action const& a, int index, int entry) override;
    void dump(host::window_state const& shown) override;
    void answer_dialog(std::map<int, bool> const& choices, bool cancel,
                       std::function<void()> const& click) override;
    // performer: around each line of the play loop.
    void begin_line(script::script_action const& a) override;
    void end_line(script::script_action const& a) override;
    void line_failed(failure_kind kind, std::string const& what) override { fail(kind, what); }

    void print_messages();
    void fail(failure_kind kind, std::string const& what);
    std::string where() const;

    runner_options options;
    std::ostream& out_stream;
    std::ostream& err;
    std::vector<runner_failure> failure_list;
    std::vector<action_calls> call_log;
    script::action_watcher* watching = nullptr;
    script::script const* running = nullptr;        // the script being played, for messages
    script::script_action const* acting = nullptr;  // its current line
    long first_call = 0;                            // the current line's first host call
    std::string last_script = "vexel-host";
    // Last: it goes first, while what it reports to still lives.
    host::host_session core;
};

}  // namespace runner
