#include "session/scene_announcement.h"

#include "scene/scene_model.h"
#include "services/host_app.h"

namespace host {

void announce_scene(host_app& app, scene_model const& scene, notification_call const& call,
                    bool scene_only) {
    call("active_scene_changed", [&] { app.active_scene_changed(); });
    shape_node* active = scene.active_shape();
    if (!active || scene_only) return;
    call("active_shapes_changed", [&] { app.active_shapes_changed({}, {&active->iface()}); });
}

}  // namespace host
