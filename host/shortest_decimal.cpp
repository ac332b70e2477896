#include "shortest_decimal.h"

#include <cstdio>
#include <cstdlib>

namespace host {

double shortest_decimal(float f) {
    char text[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(f));
        if (std::strtof(text, nullptr) == f) break;
    }
    return std::strtod(text, nullptr);
}

}  // namespace host
