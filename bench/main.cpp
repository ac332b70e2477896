// vexel-bench: the reference host's benchmarks against the real plug-in module.
//
//   vexel-bench [Google Benchmark options]   time and heap allocations per operation
//   vexel-bench --instructions [REGEX]       each case's operation between callgrind
//                                            markers; run under valgrind --tool=callgrind
//                                            --instr-atstart=no (tools/bench does)
//   vexel-bench --write-scene FILE N         writes a scene file of an N-vertex mesh
//   vexel-bench --load-scene FILE            loads it; prints CPU seconds and peak memory
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <regex>

#include "allocation_counter.h"
#include "bench_cases.h"
#include "bench_scenes.h"
#include "scene_files/scene_file.h"

namespace bench {
namespace {

int warm_ups(bench_case const& c) { return c.instruction_runs == 0 ? 0 : 3; }

// Google Benchmark calls a case's function once per trial; the prepared state (a scene of
// a million vertices takes a while) is kept until another case starts.
prepared_case& prepared_for(bench_case const& c) {
    static std::string current;
    static prepared_case state;
    if (current != c.name) {
        state = {};
        state = c.prepare();
        current = c.name;
        for (int i = 0; i < warm_ups(c); ++i) state.run();
    }
    return state;
}

void run_case(benchmark::State& st, bench_case const* c) {
    prepared_case& p = prepared_for(*c);
    long before = allocations();
    for (auto _ : st) p.run();
    st.counters["allocs"] = benchmark::Counter(static_cast<double>(allocations() - before),
                                               benchmark::Counter::kAvgIterations);
}

// One line per case on standard output: name, operations run, allocations in them. The
// instruction counts are in callgrind's dump named after the case.
int count_instructions(char const* filter) {
    std::regex wanted(filter ? filter : ".*");
    for (bench_case const& c : all_cases()) {
        if (c.instruction_runs <= 0 || !std::regex_search(c.name, wanted)) continue;
        prepared_case p = c.prepare();
        for (int i = 0; i < warm_ups(c); ++i) p.run();
        long before = allocations();
        CALLGRIND_START_INSTRUMENTATION;
        CALLGRIND_ZERO_STATS;
        for (int i = 0; i < c.instruction_runs; ++i) p.run();
        CALLGRIND_DUMP_STATS_AT(c.name.c_str());
        CALLGRIND_STOP_INSTRUMENTATION;
        long made = allocations() - before;
        std::printf("%s\t%d\t%ld\n", c.name.c_str(), c.instruction_runs, made);
        std::fflush(stdout);
    }
    return 0;
}

int write_scene(char const* path, char const* count) {
    std::ofstream(path, std::ios::binary) << mesh_scene_text(std::atoi(count));
    return 0;
}

int load_scene(char const* path) {
    long before = allocations();
    auto scene = host::load_scene_file(path);
    long made = allocations() - before;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                 1e-6 * (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    std::printf("{\"cpu_seconds\": %.3f, \"peak_mb\": %.1f, \"allocations\": %ld, "
                "\"shapes\": %zu}\n",
                cpu, usage.ru_maxrss / 1024.0, made, scene->roots().size());
    return 0;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
    using namespace bench;
    try {
        if (argc >= 2 && std::strcmp(argv[1], "--instructions") == 0)
            return count_instructions(argc >= 3 ? argv[2] : nullptr);
        if (argc == 4 && std::strcmp(argv[1], "--write-scene") == 0)
            return write_scene(argv[2], argv[3]);
        if (argc == 3 && std::strcmp(argv[1], "--load-scene") == 0) return load_scene(argv[2]);
    } catch (std::exception const& e) {
        std::fprintf(stderr, "vexel-bench: %s\n", e.what());
        return 1;
    }
    for (bench_case const& c : all_cases())
        benchmark::RegisterBenchmark(c.name.c_str(), run_case, &c)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
