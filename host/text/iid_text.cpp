#include "text/iid_text.h"

#include <cstdint>
#include <cstdio>

namespace host {

namespace {

int digit_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<com_iid> iid_from_text(std::string const& text) {
    if (text.size() != 36) return std::nullopt;
    // The 32 digits in order, the dashes checked where the groups end.
    unsigned char digits[32];
    int n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool dash_place = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash_place) {
            if (text[i] != '-') return std::nullopt;
            continue;
        }
        int v = digit_value(text[i]);
        if (v < 0) return std::nullopt;
        digits[n++] = static_cast<unsigned char>(v);
    }
    auto number = [&](int from, int count) {
        std::uint32_t value = 0;
        for (int i = from; i < from + count; ++i) value = value << 4 | digits[i];
        return value;
    };
    com_iid iid{};
    iid.data1 = number(0, 8);
    iid.data2 = static_cast<std::uint16_t>(number(8, 4));
    iid.data3 = static_cast<std::uint16_t>(number(12, 4));
    for (int i = 0; i < 8; ++i) iid.data4[i] = static_cast<std::uint8_t>(number(16 + 2 * i, 2));
    return iid;
}

std::string iid_text(com_iid const& iid) {
    char text[40];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x",
                  static_cast<unsigned>(iid.data1), iid.data2, iid.data3, iid.data4[0],
                  iid.data4[1], iid.data4[2], iid.data4[3], iid.data4[4], iid.data4[5],
                  iid.data4[6], iid.data4[7]);
    return text;
}

}  // namespace host
