#include "services/win32_window.h"

#if defined(_WIN32)
#include <richedit.h>

#include <string>

#include "checks/host_checks.h"

namespace host {

namespace {

char const top_class[] = "VexelHostWindow";

HINSTANCE program() { return ::GetModuleHandleA(nullptr); }

[[noreturn]] void refuse(char const* what) {
    throw host_error(std::string("the system refuses ") + what + ", error " +
                     std::to_string(::GetLastError()));
}

}  // namespace

win32_window make_top_window() {
    static bool registered = [] {
        WNDCLASSA type{};
        type.lpfnWndProc = ::DefWindowProcA;
        type.hInstance = program();
        type.lpszClassName = top_class;
        return ::RegisterClassA(&type) != 0;
    }();
    if (!registered) refuse("the host's window class");
    HWND window = ::CreateWindowExA(WS_EX_TOOLWINDOW, top_class, "", WS_OVERLAPPEDWINDOW, 100,
                                    100, 200, 100, nullptr, nullptr, program(), nullptr);
    if (!window) refuse("a top-level window");
    return win32_window(window);
}

win32_window make_rich_edit(HWND parent) {
    static HMODULE library = ::LoadLibraryA("riched20.dll");
    if (!library) refuse("the rich edit library");
    HWND control = ::CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                     parent, nullptr, program(), nullptr);
    if (!control) refuse("a rich edit control");
    return win32_window(control);
}

}  // namespace host
#endif
