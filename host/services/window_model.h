// The reference host's model of plug-in windows and their controls: what a real host would
// draw, kept as plain data so that the runner can print it and tests can check it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "services/text_field_object.h"
#include "uuid_class.h"
#include "window_geometry.h"

class window_interface;
class handler_interface;

namespace host {

enum class control_kind { button, checkbox, number, static_text, popup, text_field };

// "button", "checkbox", "number", "static_text", "popup", "text_field".
char const* kind_name(control_kind kind);

struct host_window;

// One control on a window. Text fields are child windows; their entry here only points
// at the child, which holds their geometry, visibility and text.
struct host_control {
    control_kind kind = control_kind::button;
    host_window* window = nullptr;  // the window the control is on
    std::string text;               // title, label or shown text
    tq::rectangle_class place{};    // resolved pixels inside the window
    bool enabled = true;
    bool shown = true;
    int check = 0;                  // check box state
    float number = 0;               // number box value
    int popup_index = 0;            // chosen pop-up entry
    std::vector<std::string> items; // pop-up entries
    std::string tooltip;
    int columns = 0;                // number box columns
    int invalidations = 0;
    bool selected = false;
    // Where events go: the creating wrapper, replaced by set_handler. Borrowed from the
    // plug-in, which keeps its control wrappers for the window's whole life.
    handler_interface* handler = nullptr;
    tq::uuid_class owner;           // set_handler's owner identifier
    bool handler_set = false;
    host_window* child = nullptr;   // text fields: the child window
};

struct host_window {
    window_interface* plugin = nullptr;  // the plug-in's window object, borrowed
    host_window* parent = nullptr;       // child windows: the window they sit in
    int flags = 0;                       // child windows: the creation flags
    std::string title;
    tq::point_class client{0, 0};
    tq::point_class canvas{0, 0};
    tq::rectangle_class frame{};         // top-level: screen; child: the parent's client area
    bool shown = true;
    int invalidations = 0;
    std::vector<std::unique_ptr<host_control>> controls;  // creation order
    std::unique_ptr<text_field_object> text;              // child windows only
#if defined(_WIN32)
    win32_window native;  // top-level windows: the real window the text fields sit in
#endif
};

// A control as seen from outside, in creation order (runner dump, tests).
struct control_state {
    control_kind kind;
    std::string text;  // text fields: the text object's text
    int x, y, w, h;
    bool enabled;
    bool shown;
    std::optional<double> value;  // check box state, number value, pop-up index
    std::string tooltip;
    int columns;
    std::vector<std::string> items;
    int invalidations;
    handler_interface* handler;  // null for text fields
    tq::uuid_class owner;
    float font_size = 0;        // text fields: as the plug-in set it on the text object
    float vertical_offset = 0;  // text fields: likewise
};

// The frame dragged by the user so that its top-left corner is at (left, top); the size
// stays.
inline tq::rectangle_class dragged_frame(tq::rectangle_class frame, int left, int top) {
    frame.right += left - frame.left;
    frame.bottom += top - frame.top;
    frame.left = left;
    frame.top = top;
    return frame;
}

struct window_state {
    std::string title;
    tq::point_class client;
    tq::point_class canvas;
    tq::rectangle_class frame;
    bool shown;
    int invalidations;
    std::vector<control_state> controls;
};

}  // namespace host
