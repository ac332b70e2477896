#include "bench_cases.h"

namespace bench {

std::vector<bench_case>& all_cases() {
    static std::vector<bench_case> cases;
    return cases;
}

int add_cases(std::vector<bench_case> cases) {
    for (auto& c : cases) all_cases().push_back(std::move(c));
    return static_cast<int>(all_cases().size());
}

}  // namespace bench
