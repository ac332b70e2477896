#include "window_dump.h"


#include "text/shortest_decimal.h"

namespace script {

namespace {

using json = nlohmann::ordered_json;
using host::control_kind;
using host::control_state;

json control_value(control_state const& c) {
    if (!c.value) return nullptr;
    switch (c.kind) {
    case control_kind::checkbox:
    case control_kind::popup: return static_cast<int>(*c.value);
    case control_kind::number: return host::shortest_decimal(static_cast<float>(*c.value));
    default: return nullptr;
    }
}

}  // namespace

json window_dump(host::window_state const& window) {
    json controls = json::array();
    for (control_state const& c : window.controls)
        controls.push_back(json{{"kind", host::kind_name(c.kind)},
                                {"text", c.text},
                                {"x", c.x},
                                {"y", c.y},
                                {"w", c.w},
                                {"h", c.h},
                                {"enabled", c.enabled},
                                {"shown", c.shown},
                                {"value", control_value(c)},
                                {"tooltip", c.tooltip}});
    tq::rectangle_class const& f = window.frame;
    return json{{"title", window.title},
                {"client", {window.client.x, window.client.y}},
                {"frame", {f.left, f.top, f.right, f.bottom}},
                {"shown", window.shown},
                {"controls", controls}};
}

std::string one_line_json(json const& value) {
    // Texts from the plug-in need not be valid UTF-8; replace what is not rather than fail.
    if (!value.is_structured()) return value.dump(-1, ' ', false, json::error_handler_t::replace);
    bool object = value.is_object();
    std::string text = object ? "{" : "[";
    bool first = true;
    for (auto const& [key, element] : value.items()) {
        if (!first) text += ", ";
        if (object) text += json(key).dump() + ": ";
        text += one_line_json(element);
        first = false;
    }
    return text + (object ? "}" : "]");
}

}  // namespace script
