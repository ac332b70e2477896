#include "column_width.h"

#include <algorithm>
#include <iterator>

#include "column_width_table.h"

namespace runner {

namespace {

template <std::size_t N>
bool in(code_point_range const (&ranges)[N], char32_t code_point) {
    auto after = std::upper_bound(
        std::begin(ranges), std::end(ranges), code_point,
        [](char32_t c, code_point_range const& range) { return c < range.first; });
    return after != std::begin(ranges) && code_point <= std::prev(after)->last;
}

}  // namespace

int column_width(char32_t code_point) {
    if (in(zero_width_ranges, code_point)) return 0;
    if (in(double_width_ranges, code_point)) return 2;
    return 1;
}

}  // namespace runner
