// The idle tick with nothing changed, beside the bare host calls that tick has to make,
// and the cost of one host call with the host's checks in it.
#include "case_helpers.h"
#include "bench_scenes.h"

namespace bench {
namespace {

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
