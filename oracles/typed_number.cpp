#include "typed_number.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace oracles {

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }
bool blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Whether word (lower case) starts text at i, letters compared without case.
bool starts_with_word(std::string const& text, std::size_t i, char const* word) {
    for (; *word != '\0'; ++word, ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != *word) return false;
    return true;
}

}  // namespace

float read_typed(std::string const& text) {
    std::size_t i = 0;
    while (i < text.size() && blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    float sign = negative ? -1.0f : 1.0f;
    if (starts_with_word(text, i, "inf")) return sign * std::numeric_limits<float>::infinity();
    if (starts_with_word(text, i, "nan")) return std::numeric_limits<float>::quiet_NaN();
    // The longest prefix that is a decimal number, then converted as a whole.
    std::size_t start = i;
    std::size_t digits = 0;
    while (i < text.size() && digit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && digit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0.0f;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && digit(text[j])) {
            while (j < text.size() && digit(text[j])) ++j;
            end = j;
        }
    }
    std::string number = text.substr(start, end - start);
    return sign * std::strtof(number.c_str(), nullptr);
}

bool holds_number(std::string const& text) {
    std::size_t i = 0;
    while (i < text.size() && blank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (starts_with_word(text, i, "inf") || starts_with_word(text, i, "nan")) return true;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && digit(text[i]);
}

}  // namespace oracles
