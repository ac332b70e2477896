#include "reserved_slot.h"

#if !defined(_WIN32)
#include <cstdio>
#include <cstdlib>

void vx_reserved_slot_called(char const* file, int line, char const* slot) {
    std::fprintf(stderr, "%s:%d: %s: Assertion `false' failed.\n", file, line, slot);
    std::fflush(stderr);
    std::abort();
}
#endif
