// The text field on Mac OS X: the host puts a Cocoa text object (an NSTextField or an NSText)
// into the child window and hands it over; the field sends it Cocoa messages directly.
// Manual reference counting: the field keeps no Cocoa object, it only borrows the host's.
#include "edit_text_class.h"

#import <AppKit/AppKit.h>

namespace {

// Window flags of the text field's child window, as the host expects them.
int const text_child_flags = 0x2003000;

// The field's font size, and where its text sits in the view.
CGFloat const field_font_size = 9.6;
NSPoint const text_scroll_point = {0.0, -7.0};

bool is_text_field(id object) { return [object isKindOfClass:[NSTextField class]]; }
bool is_text(id object) { return [object isKindOfClass:[NSText class]]; }

// The same face at the field's size; the text scrolled to sit in the field.
template <class View>
void adjust_font_and_placement(View* view) {
    NSFont* sized = [NSFont fontWithName:[[view font] fontName] size:field_font_size];
    if (sized) [view setFont:sized];
    [view scrollPoint:text_scroll_point];
}

}  // namespace

edit_text_class::edit_text_class(window_interface& parent, tq::rectangle_class frame)
    : window_interface(parent, text_child_flags), text_object(nullptr) {
    set_frame_rectangle(frame, nullptr);
    set_canvas_size(tq::point_class{frame.right - frame.left, frame.bottom - frame.top + 10},
                    nullptr);
    text_object = get_text_object(nullptr);
    id object = static_cast<id>(text_object);
    // Only the two text kinds know font messages; any other object would raise an
    // Objective-C exception into the host.
    if (is_text_field(object))
        adjust_font_and_placement(static_cast<NSTextField*>(object));
    else if (is_text(object))
        adjust_font_and_placement(static_cast<NSText*>(object));
}

void edit_text_class::set_text(char const* text) {
    id object = static_cast<id>(text_object);
    // Text that is not UTF-8 gives no string; the field then keeps what it shows (Cocoa
    // would raise an exception for a missing string).
    NSString* string = [NSString stringWithUTF8String:text ? text : ""];
    if (!string) return;
    if (is_text_field(object))
        [static_cast<NSTextField*>(object) setStringValue:string];
    else if (is_text(object))
        [static_cast<NSText*>(object) setString:string];
}

char const* edit_text_class::get_text() {
    id object = static_cast<id>(text_object);
    NSString* string = nil;
    if (is_text_field(object))
        string = [static_cast<NSTextField*>(object) stringValue];
    else if (is_text(object))
        string = [static_cast<NSText*>(object) string];
    else
        return text_cache.c_str();
    char const* characters = [string UTF8String];
    text_cache = characters ? characters : "";
    return text_cache.c_str();
}

// Nothing in the system sets a field's background on Mac OS X; the host's look stays.
void edit_text_class::set_background_color(vec3 const&) {}
