// What the user's clicks cost: a full refresh ("Ref.") of a control point, a mesh vertex
// and a camera, and writing values back ("App.", "Snap").
#include "bench_scenes.h"
#include "case_helpers.h"
#include "window_controls.h"

namespace bench {
namespace {

namespace controls = script::vexel_controls;

auto small() { return mixed_scene(); }

std::function<void(session&)> activate(char const* path, std::vector<int> points) {
    return [=](session& s) { s.activate(path, points); };
}

std::function<void(session&)> click(int control) {
    return [=](session& s) { s.click(control); };
}

int const added = add_cases({
    {"refresh/Ref./control_point", on_session(small, activate("curve", {1}), click(controls::ref))},
    {"refresh/Ref./mesh_vertex", on_session(small, activate("mesh", {5}), click(controls::ref))},
    {"refresh/Ref./camera", on_session(small, activate("cam", {}), click(controls::ref))},
    {"edit/App./control_point", on_session(small, activate("curve", {1}), click(controls::app))},
    {"edit/Snap/control_point", on_session(small, activate("curve", {1}), click(controls::snap))},
});

}  // namespace
}  // namespace bench
