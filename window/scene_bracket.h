// A pair of scene calls that must stay balanced (begin_update/end_update,
// suspend_state_flag/resume_state_flag): the opening call runs at construction, the
// closing one at close() or, on an exception, when the bracket goes out of scope.
#pragma once

#include "host_boundary.h"
#include "host_scene.h"

class scene_bracket {
public:
    typedef void (scene_interface::*operation)(void*);

    // Opens the bracket on scene when active and scene is not null. If the opening call
    // throws, nothing is open and the exception passes on.
    scene_bracket(scene_interface* scene, operation open, operation close_op, bool active = true)
        : scene(active ? scene : nullptr), closing(close_op) {
        if (this->scene != nullptr) (this->scene->*open)(nullptr);
    }
    ~scene_bracket() { close(); }
    scene_bracket(scene_bracket const&) = delete;
    scene_bracket& operator=(scene_bracket const&) = delete;

    // Closes the bracket now (never throws; see close_bracket).
    void close() {
        scene_interface* open_scene = scene;
        scene = nullptr;
        if (open_scene != nullptr) close_bracket([&] { (open_scene->*closing)(nullptr); });
    }

private:
    scene_interface* scene;  // borrowed; null when nothing is open
    operation closing;
};
