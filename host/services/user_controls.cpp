#include "services/user_controls.h"

#include <cstdlib>
#include <stdexcept>

#include "handlerinterface"

namespace host {

std::string user_refusal(control_reach const& c, control_kind wanted) {
    auto typing = [](control_kind k) {
        return k == control_kind::number || k == control_kind::text_field;
    };
    if (c.kind != wanted && !(typing(c.kind) && typing(wanted)))
        return std::string("is a ") + kind_name(c.kind) + ", not a " + kind_name(wanted);
    if (!c.enabled) return "is disabled";
    if (!c.shown) return "is hidden";
    if (!c.handled) return "has no handler";
    return "";
}

std::optional<float> number_box_value(std::string const& text) {
    char* end = nullptr;
    float value = std::strtof(text.c_str(), &end);
    if (end == text.c_str()) return std::nullopt;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return std::nullopt;
    return value;
}


host_control& user_controls::user_control(window_interface& window, int index,
                                            control_kind kind, char const* action) const {
    host_window* found = model.find_window(window);
    if (!found) throw std::invalid_argument(std::string(action) + ": the window is not open");
    auto& list = found->controls;
    if (index < 0 || index >= static_cast<int>(list.size()))
        throw std::invalid_argument(std::string(action) + ": no control #" +
                                    std::to_string(index) + " (the window has " +
                                    std::to_string(list.size()) + ")");
    host_control& control = *list[index];
    bool shown = control.child ? control.child->shown : control.shown;
    std::string problem = user_refusal(
        {control.kind, control.enabled, shown, control.child || control.handler}, kind);
    if (!problem.empty())
        throw std::invalid_argument(std::string(action) + ": control #" + std::to_string(index) +
                                    " (" + kind_name(control.kind) + " \"" + control.text +
                                    "\") " + problem);
    return control;
}

void user_controls::click(window_interface& window, int index, int action) {
    host_control& button = user_control(window, index, control_kind::button, "click");
    button.handler->clicked(action, nullptr);
}

void user_controls::choose(window_interface& window, int index, int entry, int action) {
    host_control& popup = user_control(window, index, control_kind::popup, "choose");
    if (entry < 0 || entry >= static_cast<int>(popup.items.size()))
        throw std::invalid_argument("choose: entry " + std::to_string(entry) +
                                    " outside the pop-up's " +
                                    std::to_string(popup.items.size()) + " entries");
    popup.popup_index = entry;
    popup.handler->clicked(action, nullptr);
}

void user_controls::toggle(window_interface& window, int index, int action) {
    host_control& box = user_control(window, index, control_kind::checkbox, "toggle");
    box.check = box.check ? 0 : 1;
    box.handler->clicked(action, nullptr);
}

void user_controls::type(window_interface& window, int index, std::string const& text) {
    host_control& box = user_control(window, index, control_kind::number, "type");
    if (box.child) {
        box.child->text->user_types(text);  // the user types: not a call of the plug-in
        return;
    }
    std::optional<float> value = number_box_value(text);
    if (!value) throw std::invalid_argument("type: \"" + text + "\" is not a number");
    box.number = *value;
    box.handler->value_changed(0, nullptr);
}

}  // namespace host
