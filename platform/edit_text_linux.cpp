// The text field on Linux: the reference host puts a host_text_object in the child
// window, standing for the rich edit control and the Cocoa text field of the other builds.
#include "edit_text_class.h"
#include "host_text_object.h"

namespace {

// The same font size as the Mac OS X build sets and the vertical offset by which it
// scrolls the text into place.
float const field_font_size = 9.6f;
float const field_text_offset = -7.0f;

// The window flags of the text field's child window.
int const text_field_flags = 0x2003000;

host_text_object* text_of(void* object) { return static_cast<host_text_object*>(object); }

}  // namespace

edit_text_class::edit_text_class(window_interface& parent, tq::rectangle_class frame)
    : window_interface(parent, text_field_flags), text_object(nullptr) {
    set_frame_rectangle(frame, nullptr);
    text_object = get_text_object(nullptr);
    if (host_text_object* text = text_of(text_object)) {
        text->set_font_size(field_font_size);
        text->set_vertical_offset(field_text_offset);
    }
}

void edit_text_class::set_text(char const* text) {
    if (host_text_object* field = text_of(text_object)) field->set_text(text != nullptr ? text : "");
}

// Without a text object the previous text (empty at first) is returned, as on Mac OS X.
char const* edit_text_class::get_text() {
    if (host_text_object* field = text_of(text_object)) {
        char const* now = field->get_text();
        text_cache = now != nullptr ? now : "";
    }
    return text_cache.c_str();
}

// The reference host's text object has no background colour to set.
void edit_text_class::set_background_color(vec3 const&) {}
