#include "call_trace.h"

#include <variant>

#include "text/shortest_decimal.h"

namespace script {

nlohmann::ordered_json trace_line(host::collected_call const& c) {
    using json = nlohmann::ordered_json;
    json args = json::array();
    for (host::traced_value const& v : c.call.args) {
        if (auto const* f = std::get_if<float>(&v))
            args.push_back(host::shortest_decimal(*f));
        else
            std::visit([&](auto const& value) { args.push_back(value); }, v);
    }
    return json{{"trace", c.call.operation},
                {"shape", c.path ? json(*c.path) : json(nullptr)},
                {"args", args}};
}

}  // namespace script
