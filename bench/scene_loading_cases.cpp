// Loading a scene file: a polygon mesh of a thousand and of a million vertices.
#include "bench_scenes.h"
#include "case_helpers.h"
#include "scene_files/scene_file.h"

namespace bench {
namespace {

bench_case loading(int vertices, int instruction_runs) {
    return {"load/mesh_vertices/" + std::to_string(vertices),
            [vertices] {
                auto text = std::make_shared<std::string>(mesh_scene_text(vertices));
                std::string const* raw = text.get();
                return prepared_case{text, [raw] {
                                         auto scene = host::load_scene_text(*raw, "bench.json");
                                         benchmark::DoNotOptimize(scene.get());
                                     }};
            },
            instruction_runs};
}

// The million-vertex load is counted in instructions by tools/bench in a process of its
// own (time and peak memory), not here.
int const added = add_cases({loading(1000, 10), loading(1000000, 0)});

}  // namespace
}  // namespace bench
