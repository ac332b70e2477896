#include "bench_session.h"

#include <stdexcept>

#include "checks/host_checks.h"

namespace bench {

session::session(std::unique_ptr<host::scene_model> scene) : model(std::move(scene)) {
    host::faults().reset();
    host::audit().reset();
    hostapp = std::make_unique<host::host_app>("", "en");
    hostapp->set_marking_component(&marker);
    hostapp->load(VEXEL_MODULE_PATH);
    hostapp->set_scene(model.get());
    model->set_modification_listener(
        [this](std::vector<shape_class*> const& shapes) { hostapp->shapes_modified(shapes); });
    hostapp->active_scene_changed();
}

session::~session() {
    model->set_modification_listener({});
    if (hostapp->loaded()) hostapp->unload();
}

host::shape_node& session::node(std::string const& path) {
    host::shape_node* found = model->find(path);
    if (!found) throw std::invalid_argument("bench: no shape at " + path);
    return *found;
}

void session::activate(std::string const& path, std::vector<int> const& points) {
    model->set_active_shape(path);
    model->set_active_points(path, points);
    hostapp->active_shapes_changed({}, {&node(path).iface()});
}

void session::click(int index) { hostapp->user().click(window(), index); }

}  // namespace bench
