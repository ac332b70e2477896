#include "window_group.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <xcb/xcb.h>

namespace studio {

std::unique_ptr<QWindow> join_window_group(QWidget& tool) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return nullptr;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x11->connection())).data;
    if (!screen) return nullptr;
    // A window transient for the root window is transient for its whole group (ICCCM);
    // Qt writes the transient parent's id when it maps the window.
    std::unique_ptr<QWindow> root(QWindow::fromWinId(screen->root));
    if (!root) return nullptr;
    tool.winId();  // the native window, which carries the transient parent
    tool.windowHandle()->setTransientParent(root.get());
    return root;
}

}  // namespace studio
