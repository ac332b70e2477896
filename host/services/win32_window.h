// The real Win32 windows behind the plug-in's windows on Windows: a top-level window of the
// host's own class for each plug-in window, and in it a rich edit control for each text
// field, the control the plug-in's Windows text field talks to.
#pragma once

#if defined(_WIN32)
#include <windows.h>

#include <memory>
#include <type_traits>

namespace host {

struct win32_window_closer {
    void operator()(HWND window) const { ::DestroyWindow(window); }
};
// A window the host made and destroys with its model.
using win32_window = std::unique_ptr<std::remove_pointer_t<HWND>, win32_window_closer>;

// A hidden top-level window. Throws host_error when the system refuses one.
win32_window make_top_window();
// A rich edit control, child of parent. Throws host_error when the system refuses one.
win32_window make_rich_edit(HWND parent);

}  // namespace host
#endif
