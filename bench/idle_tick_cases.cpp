// The idle tick with nothing changed, beside the bare host calls that tick has to make,
// and the cost of one host call with the host's checks in it.
#include "case_helpers.h"
#include "bench_scenes.h"
#include "tessel_interface.h"
#include "windowinterface"

namespace bench {
namespace {

// The host calls a tick cannot do without: visibility (the binding asks for the services
// each time), the scene and its release, the state flag, the active shape, and for lines
// and meshes the point count and the first active point.
void bare_calls(session& s, bool points) {
    tessel_interface* root = &s.app();
    window_interface* window = &s.window();
    // Hide the objects' types from the optimiser, so every call is virtual as in the plug-in.
    benchmark::DoNotOptimize(root);
    benchmark::DoNotOptimize(window);
    benchmark::DoNotOptimize(root->get_plugin_services()->is_window_shown(*window));
    scene_interface* scene = root->get_scene_interface();
    benchmark::DoNotOptimize(scene->get_state_flag());
    shape_class* shape = scene->get_active_shape();
    if (points) {
        benchmark::DoNotOptimize(shape->point_count());
        int first = -1;
        benchmark::DoNotOptimize(shape->get_active_points(&first, 1));
        benchmark::DoNotOptimize(first);
    }
    scene->Release();
}

auto small() { return mixed_scene(); }
void tick(session& s) { s.app().idle(); }

std::function<void(session&)> activate(char const* path, std::vector<int> points) {
    return [=](session& s) { s.activate(path, points); };
}

int const added = add_cases({
    {"harness/empty", [] { return prepared_case{nullptr, [] {}}; }},
    {"host_call/get_state_flag",
     on_session(small, activate("curve", {1}),
                [](session& s) {
                    scene_interface* scene = &s.scene();
                    benchmark::DoNotOptimize(scene);
                    benchmark::DoNotOptimize(scene->get_state_flag());
                })},
    {"tick/line", on_session(small, activate("curve", {1}), tick)},
    {"bare_calls/line",
     on_session(small, activate("curve", {1}), [](session& s) { bare_calls(s, true); })},
    {"tick/mesh", on_session(small, activate("mesh", {5}), tick)},
    {"bare_calls/mesh",
     on_session(small, activate("mesh", {5}), [](session& s) { bare_calls(s, true); })},
    {"tick/camera", on_session(small, activate("cam", {}), tick)},
    {"bare_calls/camera",
     on_session(small, activate("cam", {}), [](session& s) { bare_calls(s, false); })},
});

}  // namespace
}  // namespace bench
