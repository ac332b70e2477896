// A reference host with the real plug-in module loaded, a scene announced and the window
// shown: what every benchmark drives, the way the tests and the runner open a session.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scene/scene_model.h"
#include "services/host_app.h"
#include "services/marking_component.h"

namespace bench {

class session {
public:
    // Takes the scene, loads the module, sends active_scene_changed. Modifications of the
    // scene are reported to the window (shapes_modified), as the runner does.
    explicit session(std::unique_ptr<host::scene_model> scene);
    ~session();
    session(session const&) = delete;
    session& operator=(session const&) = delete;

    host::host_app& app() { return *hostapp; }
    host::scene_model& scene() { return *model; }
    window_interface& window() { return *hostapp->window(); }
    host::shape_node& node(std::string const& path);

    // Makes path the active shape with these active points and sends active_shapes_changed.
    void activate(std::string const& path, std::vector<int> const& points);
    // The user clicks control number index (script::vexel_controls).
    void click(int index);

private:
    // Declared first: the scene outlives the host and the window's last references to it.
    std::unique_ptr<host::scene_model> model;
    host::marking_component marker;
    std::unique_ptr<host::host_app> hostapp;
};

}  // namespace bench
