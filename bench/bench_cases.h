// The benchmark cases, one table shared by the two ways of measuring them: Google Benchmark
// (time and allocations per operation) and the instruction count under callgrind
// (--instructions), so both always measure the same operation on the same state.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace bench {

// The state a case prepared and the operation measured on it.
struct prepared_case {
    std::shared_ptr<void> state;  // kept alive while the operation runs
    std::function<void()> run;
};

struct bench_case {
    std::string name;
    std::function<prepared_case()> prepare;
    // Operations callgrind averages over; 0 leaves the case out of the instruction count.
    int instruction_runs = 10;
};

std::vector<bench_case>& all_cases();

// Adds cases at static initialisation: `static int const added = add_cases({...});`.
int add_cases(std::vector<bench_case> cases);

}  // namespace bench
