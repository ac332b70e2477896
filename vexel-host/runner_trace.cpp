#include "runner_trace.h"

#include <ostream>
#include <unordered_map>

#include "runner_dump.h"
#include "scene/scene_model.h"
#include "scene/shape_node.h"
#include "text/shortest_decimal.h"

namespace host {

void collect_calls(std::vector<scene_model const*> const& scenes,
                   std::vector<collected_call>& into) {
    std::vector<traced_call> calls = faults().take_calls();
    if (calls.empty()) return;
    // One walk over the scenes for all the calls of a line, not one per call.
    std::unordered_map<shape_class const*, std::string> paths;
    for (auto at = scenes.rbegin(); at != scenes.rend(); ++at)
        for (shape_node* node : (*at)->all_shapes()) paths[&node->iface()] = node->path();
    for (traced_call& call : calls) {
        auto found = call.shape ? paths.find(call.shape) : paths.end();
        std::optional<std::string> path;
        if (found != paths.end()) path = found->second;
        into.push_back({std::move(path), std::move(call)});
    }
}

nlohmann::ordered_json trace_line(collected_call const& c) {
    using json = nlohmann::ordered_json;
    json args = json::array();
    for (traced_value const& v : c.call.args) {
        if (auto const* f = std::get_if<float>(&v))
            args.push_back(shortest_decimal(*f));
        else
            std::visit([&](auto const& value) { args.push_back(value); }, v);
    }
    return json{{"trace", c.call.operation},
                {"shape", c.path ? json(*c.path) : json(nullptr)},
                {"args", args}};
}

void play_trace(script_action const& a, std::vector<collected_call>& since, std::ostream& out) {
    if (!a.value.empty()) {
        faults().record_calls(a.value == "on");
        return;
    }
    for (collected_call const& c : since) out << one_line_json(trace_line(c)) << "\n";
    since.clear();
}

}  // namespace host
