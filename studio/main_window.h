// The studio's main window: the shape outline beside the scene view, the vexel tool
// window floating beside it, menus for the scene file, undo and redo, the plug-in's
// settings, the view and the language, the status bar, and the idle tick from the event
// loop. It guards the person's work: a changed scene is marked in the title, and quitting,
// closing, opening another scene or switching the language asks to save it first.
#pragma once

#include <memory>

#include <QMainWindow>
#include <QTimer>

#include "scene_view.h"
#include "shape_outline.h"
#include "studio_host.h"
#include "studio_settings.h"
#include "vexel_window_widget.h"

class QAction;
class QMessageBox;

namespace studio {

class main_window final : public QMainWindow {
    Q_OBJECT
public:
    explicit main_window(studio_host& host, QWidget* parent = nullptr);

    vexel_window_widget& vexel() { return *tool; }
    scene_view& view() { return *scene; }
    shape_outline& outline() { return *tree; }
    // A person at the window: idle ticks from a timer, the plug-in's messages in message
    // boxes, the tool window at its kept place. A script: no ticks but the script's
    // `idle`, messages printed by the player, the tool window where the host's model has it.
    void set_interactive(bool on);
    // Where the tool window's place and the window scale are kept across runs.
    void use_settings(studio_settings* kept) { settings = kept; }

    // Starts the host on the scene for a person: a scene that cannot be opened leaves an
    // empty studio with an error box naming the file. False when the plug-in cannot be loaded.
    bool start(std::string const& scene_path);

    // What the menus do, also for tests.
    void open_file();
    bool save_file(bool ask_name);
    void switch_language(std::string const& lang);
    void set_window_scale(int scale);
    // Asks to save a changed scene before it is left (what: the action, "Quit", ...).
    // True when the person saved or discarded the changes, or nothing had changed.
    bool keep_or_discard_changes();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build_menus();
    void open_settings();
    void show_failure(QString const& line);
    void show_problem(QString const& headline, std::string const& problem);
    void follow_title();
    void follow_edit_actions();
    void tick();
    // Puts the tool window at its kept place, or beside the main window the first time.
    void place_tool_window();
    void keep_tool_place();
    QString say(char const* english) const;

    studio_host& host;
    std::unique_ptr<vexel_window_widget> tool;
    scene_view* scene;
    shape_outline* tree;
    studio_settings* settings = nullptr;
    QAction* undo_action = nullptr;
    QAction* redo_action = nullptr;
    QTimer ticks;
    bool interactive = false;
    bool edit_actions_due = false;
};

}  // namespace studio
