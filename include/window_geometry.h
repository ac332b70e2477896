// Integer window coordinates in pixels, origin at the top left of the client area.
#pragma once

#include <stdint.h>

namespace tq {

struct point_class {
    int32_t x, y;
};

// Top-left corner, then bottom-right: left, top, right, bottom.
struct rectangle_class {
    int32_t left, top, right, bottom;
};

static_assert(sizeof(point_class) == 8 && sizeof(rectangle_class) == 16,
              "window geometry crosses the host boundary in these sizes");

}  // namespace tq
