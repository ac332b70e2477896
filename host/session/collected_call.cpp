#include "session/collected_call.h"

#include <unordered_map>

#include "scene/scene_model.h"
#include "scene/shape_node.h"

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

}  // namespace host
