// Playing a script line: perform does what every front end does the same way (the host
// side of a line: make active, select, delete, undo, open a scene, print the scene, marks
// and the call record, through the host_session) and asks the front end's performer for
// what a person does to the window (check that a control can be reached, click, type,
// choose, dump, answer the settings dialog). Adding an action touches its syntax row and
// one case of perform. play (play.h) plays a whole script through the same performer.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <string>

#include "script_syntax.h"
#include "services/window_model.h"
#include "session/host_session.h"
#include "window_controls.h"

namespace script {

class performer {
public:
    virtual ~performer() = default;

    // The session the script plays on, and where its lines print.
    virtual host::host_session& session() = 0;
    virtual std::ostream& out() = 0;

    // The window as the person sees it. Throws script_error when none is open.
    virtual host::window_state shown_window(script_action const& a) = 0;
    // Refuses the line unless the control at index (name for the message) is of kind (a
    // number box also takes a text field), enabled, shown and within reach.
    virtual void reach(script_action const& a, int index, host::control_kind kind,
                       std::string const& name) = 0;
    // The person's actions on a reached control. action: the action code of a click.
    virtual void click(script_action const& a, named_control const& control, int action) = 0;
    virtual void type(script_action const& a, int index, bool number_box) = 0;
    virtual void choose(script_action const& a, int index, int entry) = 0;
    // Shows the window as a `dump` line (and whatever else the front end shows with it).
    virtual void dump(host::window_state const& shown) = 0;
    // Runs click with the settings dialog, when it opens, answered with choices and OK, or
    // Cancel.
    virtual void answer_dialog(std::map<int, bool> const& choices, bool cancel,
                               std::function<void()> const& click) = 0;

    // --- What the play loop (play.h) tells the front end around each line. ---
    // Before the line is performed (and before a watcher sees it).
    virtual void begin_line(script_action const&) {}
    // After the line, whether or not it failed, before the session's marks and calls are
    // collected.
    virtual void end_line(script_action const&) {}
    // A failure of the current line, as one line without its place in the script: the host
    // refused it, or a check found a violation.
    virtual void line_failed(host::failure_kind kind, std::string const& what) = 0;
};

// Plays one line on p; dir is where the script lies (relative scene files are found from
// there). Throws script_error (expectation_failed for a failed check) when the line is
// refused; the plug-in's exceptions are the session's to report.
void perform(script_action const& a, std::string const& dir, performer& p);

}  // namespace script
