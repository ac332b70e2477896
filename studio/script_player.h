// Plays a vexel-host script through the studio's real widgets: a click is a click on the
// QPushButton (or QCheckBox) of the control, typing goes into its QLineEdit as key
// events, a slot is chosen in the QComboBox, the settings dialog is answered by clicking
// its check boxes and OK or Cancel. Host-side actions (active, select, move, undo, ...) go
// to the host as the runner does them, the edits of a shape through the runner's own
// edit_shape. Every `dump` prints the same line of JSON as the runner,
// read back from the widgets, and with a picture folder also writes NNN.png, a grab of
// the vexel window's client area.
#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include <QObject>

#include "runner_marks.h"
#include "runner_script.h"
#include "runner_trace.h"
#include "studio_host.h"
#include "vexel_window_widget.h"

namespace studio {

class script_player {
public:
    // dialog_answer is where the studio's dialog presenter takes its answer from.
    script_player(studio_host& host, vexel_window_widget& window,
                  host::dialog_answer& dialog_answer, std::ostream& out, std::ostream& err,
                  std::string png_dir = "");

    // Plays the actions; a refused line stops the script. False when anything failed
    // (refused, or the plug-in's failure).
    bool run(host::script const& actions);
    // Releases the window and checks that no counted host object is still held.
    bool finish();
    int pictures() const { return picture_count; }

private:
    void perform(host::script_action const& a);
    void check_control(int index, host::control_kind kind, std::string const& name) const;
    void do_type(host::script_action const& a);
    void do_click(host::script_action const& a, std::string const& name, int action);
    // Opens the settings dialog through "Ref." (action 2), answered with the line's
    // choices and OK, or Cancel.
    void ask_settings(host::script_action const& a, bool cancel);
    void do_dump();
    void do_dump_scene(host::script_action const& a);
    void do_expect_refs(host::script_action const& a);
    void do_move_window(host::script_action const& a);
    void collect_marks();
    void fail(std::string const& what);

    studio_host& host;
    vexel_window_widget& window;
    QObject context;  // ends the player's connections to the host with the player
    host::dialog_answer& dialog_answer;
    std::ostream& out;
    std::ostream& err;
    std::string png_dir;
    int picture_count = 0;
    bool failed = false;
    host::script const* running = nullptr;
    host::script_action const* acting = nullptr;
    std::vector<host::collected_mark> marks_since;
    std::size_t marks_collected = 0;
    std::vector<host::collected_call> calls_since;
};

}  // namespace studio
