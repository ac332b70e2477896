// How the window's own text fields must read a text, written from the window's contract:
// leading blanks, one optional sign, digits with an optional decimal point and an optional
// exponent; reading stops at the first character that does not fit; a text with no number
// reads 0; the result is rounded to single precision. As the C library's atof, "inf",
// "infinity" and "nan" after the sign are numbers too (the window shows values it cannot
// hold that way). Hexadecimal is not read: "0x10" reads 0.
#pragma once

#include <string>

namespace oracles {

float read_typed(std::string const& text);

// Whether the text holds a number at all (a text without one also reads 0). A row the
// window fills is written "%9f" unless it already reads as the value, as typed.
bool holds_number(std::string const& text);

}  // namespace oracles
