#include "dialog_line.h"

namespace script {

nlohmann::ordered_json dialog_line(host::dialog_run const& shown) {
    using json = nlohmann::ordered_json;
    json items = json::array();
    for (host::dialog_run::item const& item : shown.items)
        items.push_back(json{{"id", item.id}, {"label", item.label}, {"value", item.value}});
    return json{{"dialog", shown.title}, {"resource", shown.resource}, {"items", items}};
}

}  // namespace script
