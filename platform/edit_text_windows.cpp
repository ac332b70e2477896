// The text field on Windows: the host puts a rich edit control into the child window and
// hands it over as an MFC CWnd; the field talks to the control directly with Win32 calls.
// MFC must come before anything that includes <windows.h> (the binding headers do).
#include "cwnd.h"

#include "edit_text_class.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include <richedit.h>

namespace {

// Window flags of the text field's child window, as the host expects them.
int const text_child_flags = 0x2003000;

// Vertical offset and pitch the field gives the control's default character format.
DWORD const format_mask = CFM_OFFSET | CFM_CHARSET;
static_assert(format_mask == 0x18000000, "CFM_OFFSET | CFM_CHARSET");
static_assert(sizeof(CHARFORMATA) == 60, "the control expects the 60-byte CHARFORMAT");

// The control's window; null when the host handed over no text object.
HWND control_of(void* text_object) {
    CWnd* window = static_cast<CWnd*>(text_object);
    return window ? window->m_hWnd : nullptr;
}

// A colour component as the control's byte: the low 8 bits of trunc(c * 255 + 0.5), the
// product in single precision and the sum in double, so 1.01 gives 258 and wraps to 2.
// A NaN, an infinity or a value far outside any colour gives 0 instead of an undefined
// conversion.
unsigned colour_byte(float c) {
    float scaled = c * 255.0f;
    double value = std::trunc(static_cast<double>(scaled) + 0.5);
    if (!(std::fabs(value) < 9.0e18)) return 0;
    return static_cast<unsigned>(static_cast<std::int64_t>(value) & 0xFF);
}

}  // namespace

edit_text_class::edit_text_class(window_interface& parent, tq::rectangle_class frame)
    : window_interface(parent, text_child_flags), text_object(nullptr) {
    set_frame_rectangle(frame, nullptr);
    text_object = get_text_object(nullptr);
    HWND control = control_of(text_object);
    if (!control) return;

    // Read the default format, then change only the offset (5) and the pitch-and-family
    // byte; every other field is written back as read.
    CHARFORMATA format;
    std::memset(&format, 0, sizeof format);
    format.cbSize = sizeof format;
    ::SendMessageA(control, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    format.cbSize = sizeof format;
    format.dwMask = format_mask;
    format.yOffset = 5;
    format.bPitchAndFamily = 1;
    ::SendMessageA(control, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void edit_text_class::set_text(char const* text) {
    HWND control = control_of(text_object);
    if (control) ::SetWindowTextA(control, text ? text : "");
}

char const* edit_text_class::get_text() {
    HWND control = control_of(text_object);
    if (!control) return text_cache.c_str();
    int length = ::GetWindowTextLengthA(control);
    if (length < 0) length = 0;
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    int copied = ::GetWindowTextA(control, buffer.data(), length + 1);
    text_cache.assign(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text_cache.c_str();
}

void edit_text_class::set_background_color(vec3 const& color) {
    HWND control = control_of(text_object);
    if (!control) return;
    COLORREF value = colour_byte(color.x) | colour_byte(color.y) << 8 | colour_byte(color.z) << 16;
    ::SendMessageA(control, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(value));
}
