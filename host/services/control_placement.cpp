#include "services/control_placement.h"

#include <cstdint>
#include <cstdio>
#include <limits>

#include "checks/host_checks.h"

namespace host {

namespace {

// The geometry of a control as placed, text fields included (their child frame).
tq::rectangle_class placed(host_control const& control) {
    return control.child ? control.child->frame : control.place;
}

[[noreturn]] void refuse(char const* operation, char const* axis, int value) {
    char text[160];
    std::snprintf(text, sizeof text, "%s: %s 0x%08x is not a placement code this host knows",
                  operation, axis, static_cast<unsigned>(value));
    throw host_error(text);
}

}  // namespace

tq::rectangle_class place_control(host_window const& window, int x, int y, int width,
                                  int height, char const* operation) {
    if (width < 0 || height < 0)
        throw host_error(std::string(operation) + ": negative size " + std::to_string(width) +
                         " x " + std::to_string(height));
    host_control const* previous =
        window.controls.empty() ? nullptr : window.controls.back().get();
    tq::rectangle_class before = previous ? placed(*previous) : tq::rectangle_class{0, 0, 0, 0};

    std::int64_t left = x;
    if (x >= after_previous_code && x < after_previous_code + 0x10000000) {
        std::int64_t extra = x - after_previous_code;
        left = previous ? std::int64_t(before.right) + default_gap + extra : extra;
    } else if (x >= same_line_code) {
        refuse(operation, "x", x);
    }
    std::int64_t top = y;
    if (y >= same_line_code && y < same_line_code + 0x10000000) {
        top = std::int64_t(before.top) + (y - same_line_code);
    } else if (y >= after_previous_code) {
        refuse(operation, "y", y);
    }

    std::int64_t const most = std::numeric_limits<std::int32_t>::max();
    if (left + width > most || top + height > most)
        throw host_error(std::string(operation) + ": control would lie beyond 32-bit pixels");
    return tq::rectangle_class{static_cast<int>(left), static_cast<int>(top),
                               static_cast<int>(left + width), static_cast<int>(top + height)};
}

}  // namespace host
