#include "text/quoted_word.h"

#include <cstdio>

namespace host {

std::string quoted_word(std::string const& word) {
    std::size_t shown = word.size();
    if (shown > 40) {
        shown = 40;  // not inside a UTF-8 sequence
        while (shown > 0 && (static_cast<unsigned char>(word[shown]) & 0xC0) == 0x80) --shown;
    }
    std::string text = "\"";
    for (std::size_t i = 0; i < shown; ++i) {
        unsigned char c = static_cast<unsigned char>(word[i]);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            text += hex;
        } else {
            text += static_cast<char>(c);
        }
    }
    if (shown == word.size()) return text + "\"";
    return text + "...\" (" + std::to_string(word.size()) + " bytes)";
}

}  // namespace host
