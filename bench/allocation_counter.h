// Heap allocations made by this program and every module it loads, counted by a replaced
// global operator new: the benchmarks report allocations per operation beside the time.
#pragma once

namespace bench {

// operator new calls (all forms) since the program started.
long allocations();

}  // namespace bench
