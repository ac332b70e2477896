// A script's `dialog`: the settings dialog as the host showed it, as one line of JSON:
//   {"dialog": "Vexel mode Setting", "resource": "mode_dialog_id", "items": [{"id": 10,
//    "label": "Mark indicated element", "value": true}, ...]}
// "dialog" is the title, "resource" the dialog description the plug-in named, items come
// in the description's order with the value the plug-in loaded into them, all in the
// host's language. The keys and their order are a public interface, like the dump's.
#pragma once

#include <nlohmann/json.hpp>

#include "services/resource_dialog.h"

namespace script {

nlohmann::ordered_json dialog_line(host::dialog_run const& shown);

}  // namespace script
