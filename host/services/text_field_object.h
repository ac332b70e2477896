// The reference host's text object behind a child window, what the plug-in's text field
// talks to. On Windows it is a real rich edit control, handed over as the window object the
// plug-in expects (its first member the control's handle). Elsewhere it stands for the rich
// edit control and the Cocoa text field: a host_text_object whose calls are counted and can
// be made to throw (fault injection), like every host operation.
#pragma once

#include <string>

#include "window_geometry.h"

#if defined(_WIN32)
#include "services/win32_window.h"
#else
#include "checks/host_checks.h"
#include "host_text_object.h"
#endif

namespace host {

#if defined(_WIN32)

class text_field_object {
public:
    // A new rich edit control in parent, the real window of the window the field sits in.
    explicit text_field_object(HWND parent) : control(make_rich_edit(parent)) {
        handed.m_hWnd = control.get();
    }
    // What get_text_object gives the plug-in.
    void* handed_over() { return &handed; }
    // The control's text, as the plug-in reads it.
    std::string shown() const {
        int length = ::GetWindowTextLengthA(control.get());
        std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            ::GetWindowTextA(control.get(), text.data(), static_cast<int>(text.size()))));
        return text;
    }
    // The user replaces the control's text by typing: the whole text selected, the
    // selection replaced, as a keyboard does.
    void user_types(std::string const& text) {
        ::SendMessageA(control.get(), EM_SETSEL, 0, -1);
        ::SendMessageA(control.get(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void place(tq::rectangle_class const& frame) {
        ::MoveWindow(control.get(), frame.left, frame.top, frame.right - frame.left,
                     frame.bottom - frame.top, FALSE);
    }
    void show(bool shown) { ::ShowWindow(control.get(), shown ? SW_SHOWNA : SW_HIDE); }

    // The plug-in sets the control's character format itself; the host keeps no size.
    float font_size = 0;
    float vertical_offset = 0;

private:
    win32_window control;
    struct {
        HWND m_hWnd;
    } handed{};
};

#else

class text_field_object final : public host_text_object {
public:
    void set_text(char const* new_text) override {
        host_call("text_object.set_text", nullptr, new_text);
        text = new_text ? new_text : "";
    }
    char const* get_text() override {
        host_call("text_object.get_text");
        return text.c_str();
    }
    void set_font_size(float points) override {
        host_call("text_object.set_font_size", nullptr, points);
        font_size = points;
    }
    void set_vertical_offset(float offset) override {
        host_call("text_object.set_vertical_offset", nullptr, offset);
        vertical_offset = offset;
    }

    void* handed_over() { return static_cast<host_text_object*>(this); }
    std::string shown() const { return text; }
    // The user types: the plug-in hears nothing of it.
    void user_types(std::string const& typed) { text = typed; }
    void place(tq::rectangle_class const&) {}
    void show(bool) {}

    std::string text;
    float font_size = 0;        // 0 until the field sets one
    float vertical_offset = 0;
};

#endif

}  // namespace host
