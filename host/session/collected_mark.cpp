#include "session/collected_mark.h"

#include "scene/scene_model.h"
#include "scene/shape_node.h"

namespace host {

std::optional<std::string> path_in(std::vector<scene_model const*> const& scenes,
                                   shape_class const* shape) {
    // Compared by address only: a request may name a shape that has been freed since.
    for (scene_model const* scene : scenes)
        for (shape_node* node : scene->all_shapes())
            if (&node->iface() == shape) return node->path();
    return std::nullopt;
}

}  // namespace host
