// edit_text_class: a plain editable text field in a child window, standing for a number
// box when the host's standard number boxes are off. One source per platform talks to the
// platform text object the host puts in the child window.
#pragma once

#include <string>

#include "windowinterface"

class edit_text_class : public window_interface {
public:
    // Creates the child window inside parent at frame (parent's window coordinates) and
    // prepares the text control's font and placement. Host exceptions pass on.
    edit_text_class(window_interface& parent, tq::rectangle_class frame);

    int get_tessel_version() const override { return tessel_interface_version; }
    bool is_resizable(void*) override { return false; }

    // Shows text (UTF-8 on Mac OS X, the ANSI code page on Windows), replacing the content.
    void set_text(char const* text);
    // The field's content; valid until the next get_text on this field or its destruction.
    char const* get_text();
    // Background colour, red, green, blue in 0..1 (Windows only; elsewhere nothing).
    void set_background_color(vec3 const& color);

private:
    void* text_object;       // the platform text control, borrowed from the host
    std::string text_cache;  // the last text read by get_text
};
