// Plays a script through the studio's real widgets: a click is a click on the QPushButton
// (or QCheckBox) of the control, typing goes into its QLineEdit as key events, a slot is
// chosen in the QComboBox, the settings dialog is answered by clicking its check boxes and
// OK or Cancel. What is not the window's (active, select, move, undo, ...) the script
// library does on the host's session, as for the runner. Every `dump` prints the same line
// of JSON as the runner, read back from the widgets, and with a picture folder also writes
// NNN.png, a grab of the vexel window's client area.
#pragma once

#include <iosfwd>
#include <string>

#include <QObject>

#include "performer.h"
#include "services/resource_dialog.h"
#include "studio_host.h"
#include "vexel_window_widget.h"

namespace studio {

class script_player final : private script::performer {
public:
    // dialog_answer is where the studio's dialog presenter takes its answer from.
    script_player(studio_host& host, vexel_window_widget& window,
                  host::dialog_answer& dialog_answer, std::ostream& out, std::ostream& err,
                  std::string png_dir = "");

    // Plays the actions; a refused line stops the script. False when anything failed
    // (refused, or the plug-in's failure).
    bool run(script::script const& actions);
    // The host's checks at the end of the run (host_session::finish_run), which release the
    // window. False when anything failed.
    bool finish();
    int pictures() const { return picture_count; }

private:
    // performer: the user's side through the widgets.
    host::host_session& session() override { return host.session(); }
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
    void begin_line(script::script_action const& a) override { acting = &a; }
    void line_failed(host::failure_kind kind, std::string const& what) override;

    studio_host& host;
    vexel_window_widget& window;
    QObject context;  // ends the player's connections to the host with the player
    host::dialog_answer& dialog_answer;
    std::ostream& out_stream;
    std::ostream& err;
    std::string png_dir;
    int picture_count = 0;
    bool failed = false;
    script::script const* running = nullptr;
    script::script_action const* acting = nullptr;
};

}  // namespace studio
