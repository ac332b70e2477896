// Identifiers of plug-ins, host components and interfaces.
#pragma once

#include <stdint.h>

namespace tq {

// A 128-bit identifier held as four native 32-bit words, 16 bytes, no padding.
// Plain value: copied, passed and returned by value (the exported get_uuid returns one).
struct uuid_class {
    uint32_t word[4];

    // All four words 0.
    constexpr uuid_class() : word{0, 0, 0, 0} {}

    constexpr uuid_class(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3)
        : word{w0, w1, w2, w3} {}

    // From the 8-4-4-4-12 text form. Non-hexadecimal digits read as 0; the separator
    // positions are not looked at. A text shorter than 36 characters is never read past
    // its terminator: the missing digits count as 0.
    explicit uuid_class(char const* text);

    // The host's integer family: words n, 0x53b811d9, 0xbcff000a, 0x95baceb2.
    constexpr explicit uuid_class(uint32_t n) : word{n, 0x53b811d9u, 0xbcff000au, 0x95baceb2u} {}

    bool operator==(uuid_class const& other) const {
        return word[0] == other.word[0] && word[1] == other.word[1] &&
               word[2] == other.word[2] && word[3] == other.word[3];
    }
    bool operator!=(uuid_class const& other) const { return !(*this == other); }
};

static_assert(sizeof(uuid_class) == 16, "uuid_class crosses the host boundary as 16 bytes");

}  // namespace tq
