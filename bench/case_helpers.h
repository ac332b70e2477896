// Building blocks of the case definitions: a case over a session, made from a set-up and
// an operation.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "bench_cases.h"
#include "bench_session.h"
#include "tessel_interface.h"
#include "windowinterface"

namespace bench {

// Prepares a session on the scene make() builds, runs set_up on it, and measures op.
inline std::function<prepared_case()> on_session(
    std::function<std::unique_ptr<host::scene_model>()> make,
    std::function<void(session&)> set_up, std::function<void(session&)> op) {
    return [=] {
        auto s = std::make_shared<session>(make());
        set_up(*s);
        session* raw = s.get();
        return prepared_case{s, [raw, op] { op(*raw); }};
    };
}

// The host calls a tick cannot do without: visibility (the binding asks for the services
// each time), the scene and its release, the state flag, the active shape, and for lines
// and meshes the point count and the first active point.
inline void bare_calls(session& s, bool points) {
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

}  // namespace bench
