// Decisions read from a fuzzer's input: a byte for each choice, so that a mutation of one
// byte changes one choice. An input that has run out reads zeros.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

class byte_source {
public:
    byte_source(std::uint8_t const* data, std::size_t size) : data(data), size(size) {}

    bool empty() const { return at >= size; }
    // The next n bytes (fewer at the end) as a source of their own: what reads them cannot
    // shift what follows.
    byte_source take(std::size_t n) {
        std::size_t start = at < size ? at : size;
        std::size_t count = n < size - start ? n : size - start;
        at = start + count;
        return byte_source(data + start, count);
    }
    std::uint8_t byte() { return at < size ? data[at++] : 0; }
    // 0 to n - 1 (n from 1 to 256).
    int below(int n) { return n <= 1 ? 0 : byte() % n; }
    bool chance(int percent) { return byte() % 100 < percent; }
    template <class T, std::size_t N>
    T const& pick(T const (&choices)[N]) {
        return choices[below(static_cast<int>(N))];
    }
    // Any float from the smallest to 2^100 in magnitude (room for a few matrices before the
    // end of the range): an exponent beyond is folded back into it.
    float any_float() {
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) bits = bits << 8 | byte();
        std::uint32_t exponent = bits >> 23 & 0xffu;
        if (exponent > 127 + 100) bits = (bits & ~(0xffu << 23)) | (exponent - 128) << 23;
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }

private:
    std::uint8_t const* data;
    std::size_t size;
    std::size_t at = 0;
};
