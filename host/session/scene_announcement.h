// What the host tells the window when a scene becomes the active scene (at start, when a
// scene is opened, after a restart): active_scene_changed, then, when the scene has an
// active shape, active_shapes_changed from none to it, so that the window shows the
// selected point at once instead of waiting for a click on "Ref.". Both front ends
// announce through here.
#pragma once

#include <functional>

namespace host {

class host_app;
class scene_model;

// Runs one notification into the plug-in; what names it in a report. A front end catches
// there what the plug-in lets out, so that the second notification is sent even when the
// first failed.
using notification_call = std::function<void(char const* what, std::function<void()> const& send)>;

// Announces scene (the host's current scene) to the window of app; scene_only leaves out
// active_shapes_changed (so that what the first idle tick does alone can be seen).
void announce_scene(host_app& app, scene_model const& scene, notification_call const& call,
                    bool scene_only = false);

}  // namespace host
