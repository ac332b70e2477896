// The vexel tool window's place among the studio's windows on the desktop: above all of
// them, yet minimized on its own. A Qt tool window that is a child of the main window is
// its transient, and some window managers minimize a transient's parent with it, which
// hid the whole studio when the person minimized the tool window.
#pragma once

#include <memory>

class QWidget;
class QWindow;

namespace studio {

// Makes tool (a window without a parent widget) a transient of the studio's whole window
// group where the windowing system has groups (X11): window managers keep it above every
// window of the studio and minimize it alone. Returns the stand-in parent it made, which
// the caller keeps as long as tool; null, and nothing done, on other platforms.
std::unique_ptr<QWindow> join_window_group(QWidget& tool);

}  // namespace studio
