// A script's `dump`: the plug-in's window as the host sees it, as one line of JSON.
//   {"title": "Line          [curve]", "client": [263, 89], "frame": [l, t, r, b],
//    "shown": true, "controls": [{"kind": "button", "text": "App.", "x": 0, "y": 0,
//    "w": 32, "h": 14, "enabled": true, "shown": true, "value": null, "tooltip": "..."}, ...]}
// Controls come in creation order; kind is button, checkbox, number, static_text, popup or
// text_field; value is a check box's state, a number box's value or a pop-up's index, null
// for the rest. The keys and their order are a public interface: scripts parse them.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "services/window_model.h"

namespace script {

nlohmann::ordered_json window_dump(host::window_state const& window);

// JSON on one line with a blank after every ":" and ",", as the dump is printed.
std::string one_line_json(nlohmann::ordered_json const& value);

}  // namespace script
