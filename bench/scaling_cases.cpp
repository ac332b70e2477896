// How the idle tick and a refresh grow with the scene: the number of shapes, the size of
// the selection, the number of lines of a surface part.
#include "case_helpers.h"
#include "bench_scenes.h"

#include <numeric>

namespace bench {
namespace {

void tick(session& s) { s.app().idle(); }

bench_case shapes(int n) {
    return {"scaling/tick/shapes/" + std::to_string(n),
            on_session([n] { return mixed_scene(8, n); },
                       [](session& s) { s.activate("curve", {1}); }, tick)};
}

bench_case selected(int selected, int vertices) {
    return {"scaling/tick/mesh_selected/" + std::to_string(selected) + "_of_" +
                std::to_string(vertices),
            on_session([vertices] { return mixed_scene(vertices); },
                       [selected](session& s) {
                           std::vector<int> all(selected);
                           std::iota(all.begin(), all.end(), 0);
                           s.activate("mesh", all);
                       },
                       tick)};
}

// The user picks another control point of the part's last line: the next tick re-reads the
// point through the part's flat numbering.
bench_case surface(int lines) {
    int first = (lines - 1) * 4 + 1;
    return {"scaling/pick/surface_lines/" + std::to_string(lines),
            on_session([lines] { return surface_scene(lines); },
                       [first](session& s) { s.activate("wing", {first}); },
                       [first](session& s) {
                           int& active = s.node("wing").active_points.front();
                           active = active == first ? first + 1 : first;
                           s.app().idle();
                       }),
            lines >= 10000 ? 2 : 10};
}

// The host's share of that tick: its answers must not grow with the selection either.
bench_case bare_selected(int vertices) {
    return {"scaling/bare_calls/mesh_selected/" + std::to_string(vertices) + "_of_" +
                std::to_string(vertices),
            on_session([vertices] { return mixed_scene(vertices); },
                       [vertices](session& s) {
                           std::vector<int> all(vertices);
                           std::iota(all.begin(), all.end(), 0);
                           s.activate("mesh", all);
                       },
                       [](session& s) { bare_calls(s, true); })};
}

int const added = add_cases({
    shapes(10),
    shapes(1000),
    shapes(100000),
    selected(1, 1000000),
    selected(1000, 1000),
    selected(100000, 100000),
    selected(1000000, 1000000),
    bare_selected(1000000),
    surface(10),
    surface(1000),
    surface(10000),
});

}  // namespace
}  // namespace bench
