// An identifier's text form: never read past its terminator, each digit position giving its
// hexadecimal value (anything else 0), and the canonical text of the result reading back
// the same identifier.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "text/uuid_text.h"
#include "uuid_class.h"

namespace {

std::uint32_t nibble(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    // Exactly as long as the input, terminated: ASan sees any read past the end.
    std::string text(reinterpret_cast<char const*>(data), size);
    tq::uuid_class id(text.c_str());
    std::size_t length = std::strlen(text.c_str());
    int const digit_at[32] = {0,  1,  2,  3,  4,  5,  6,  7,  9,  10, 11, 12, 14, 15, 16, 17,
                              19, 20, 21, 22, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35};
    for (int d = 0; d < 32; ++d) {
        std::size_t at = static_cast<std::size_t>(digit_at[d]);
        std::uint32_t want = at < length ? nibble(text[at]) : 0;
        std::uint32_t got = (id.word[d / 8] >> (4 * (7 - d % 8))) & 0xF;
        if (got != want) std::abort();
    }
    if (tq::uuid_class(host::uuid_text(id).c_str()) != id) std::abort();
    return 0;
}
