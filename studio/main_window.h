// The studio's main window: the shape outline beside the scene view, the vexel tool
// window floating above, menus for the scene file, undo, the plug-in's settings, the
// view and the language, and the idle tick from the event loop.
#pragma once

#include <map>

#include <QMainWindow>
#include <QTimer>

#include "scene_view.h"
#include "shape_outline.h"
#include "studio_host.h"
#include "vexel_window_widget.h"

namespace studio {

class main_window final : public QMainWindow {
    Q_OBJECT
public:
    explicit main_window(studio_host& host, QWidget* parent = nullptr);

    vexel_window_widget& vexel() { return *tool; }
    scene_view& view() { return *scene; }
    shape_outline& outline() { return *tree; }
    // A person at the window: idle ticks from a timer, the plug-in's messages in message
    // boxes. A script: no ticks but the script's `idle`, messages printed by the player.
    void set_interactive(bool on);

private:
    void open_file();
    void save_file(bool ask_name);
    void open_settings();
    void switch_language(char const* lang);
    void show_failure(QString const& line);
    void follow_title();

    studio_host& host;
    vexel_window_widget* tool;
    scene_view* scene;
    shape_outline* tree;
    QTimer ticks;
    bool interactive = false;
};

}  // namespace studio
