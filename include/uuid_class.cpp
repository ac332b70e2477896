#include "uuid_class.h"

#include <cstdint>

namespace {

// The value of one hexadecimal digit; anything else (and '0') is 0.
std::uint32_t digit_value(char c) {
    if (c >= '1' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
    return 0;
}

}  // namespace

namespace tq {

uuid_class::uuid_class(char const* text) : word{0, 0, 0, 0} {
    // Copy at most 36 characters, stopping at the terminator, so that a short text is
    // never read past its end; missing positions stay '\0' and count as 0.
    char c[36] = {};
    for (int i = 0; i < 36 && text[i] != '\0'; ++i) c[i] = text[i];

    auto digits = [&c](int from, int count) {
        std::uint32_t value = 0;
        for (int i = from; i < from + count; ++i) value = (value << 4) | digit_value(c[i]);
        return value;
    };
    word[0] = digits(0, 8);
    word[1] = (digits(9, 4) << 16) + digits(14, 4);
    word[2] = (digits(19, 4) << 16) + digits(24, 4);
    word[3] = digits(28, 8);
}

}  // namespace tq
