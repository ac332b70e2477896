#include "mark_line.h"

namespace script {

nlohmann::ordered_json mark_line(host::collected_mark const& mark) {
    host::mark_request const& r = mark.request;
    return nlohmann::ordered_json{
        {"marks", mark.path ? nlohmann::ordered_json(*mark.path) : nlohmann::ordered_json(nullptr)},
        {"operation", r.operation},
        {"target", r.target},
        {"count", r.count},
        {"indices", r.indices},
        {"flag", r.flag}};
}

}  // namespace script
