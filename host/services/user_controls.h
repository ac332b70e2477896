// What the user does to the controls of a plug-in's window, as a host does it for a
// person: click a button, choose a pop-up entry, flip a check box, type into a box. Each
// is refused by one rule (user_refusal) that the script front ends check too.
#pragma once

#include <optional>
#include <string>

#include "services/plugin_services.h"
#include "services/window_model.h"

namespace host {

// What a user's action on a control depends on.
struct control_reach {
    control_kind kind;
    bool enabled;
    bool shown;
    bool handled;  // a handler takes the action (a text field's text object needs none)
};
// Why the user cannot act on a control as wanted ("is disabled", "is hidden", ...), or an
// empty text when they can. Typing goes into a number box and a text field alike. The
// host's user actions and the script front ends refuse by this one rule.
std::string user_refusal(control_reach const& c, control_kind wanted);
// The number a host number box takes from typed text: all of it a number, blanks after
// it allowed ("1e39" gives infinity, as a float would); nothing for other text.
std::optional<float> number_box_value(std::string const& text);


class user_controls {
public:
    // The model is services'. Borrowed: services outlives this.
    explicit user_controls(plugin_services& services) : model(services) {}

    // The user's actions on control number index (creation order) of window. Each refuses,
    // with std::invalid_argument and a one-line reason, a control of another kind, a
    // disabled or hidden control, or a bad entry or text; exceptions from the plug-in's
    // handler pass on unchanged.
    // A push button: the handler's clicked(action).
    void click(window_interface& window, int index, int action = 0);
    // A pop-up entry: the value becomes entry, then the handler's clicked(action).
    void choose(window_interface& window, int index, int entry, int action = 0);
    // A check box: its state flips between 0 and 1, then the handler's clicked(action).
    void toggle(window_interface& window, int index, int action = 0);
    // A number box takes text as a number (all of it must parse; "1e39" gives infinity
    // like a float would) and tells the handler value_changed(0); a text field takes the
    // text as it is.
    void type(window_interface& window, int index, std::string const& text);

private:
    host_control& user_control(window_interface& window, int index, control_kind kind,
                               char const* action) const;

    plugin_services& model;
};

}  // namespace host
