#include "call_trace.h"

#include <variant>

#include "text/shortest_decimal.h"

namespace script {

nlohmann::ordered_json trace_line(host::collected_call const& c) {
    using json = nlohmann::ordered_json;
    using kind_of = host::traced_call::kind_of;
    json shape = c.path ? json(*c.path) : json(nullptr);
    switch (c.call.kind) {
    case kind_of::add_ref:
    case kind_of::release:
        return json{{"reference", c.call.kind == kind_of::add_ref ? "AddRef" : "Release"},
                    {"object", c.call.what},
                    {"shape", shape},
                    {"count", c.call.count}};
    case kind_of::notification:
        return json{{"notification", c.call.what}, {"during", c.call.operation}};
    case kind_of::answer:
        return json{{"answer", c.call.what}, {"flag", std::get<bool>(c.call.args.at(0))}};
    case kind_of::host_call: break;
    }
    json args = json::array();
    for (host::traced_value const& v : c.call.args) {
        if (auto const* f = std::get_if<float>(&v))
            args.push_back(host::shortest_decimal(*f));
        else
            std::visit([&](auto const& value) { args.push_back(value); }, v);
    }
    return json{{"trace", c.call.operation}, {"shape", shape}, {"args", args},
                {"call", c.call.number}};
}

}  // namespace script
