// The number in a text field's text, read as atof reads it: blanks, one optional sign,
// digits with an optional point and exponent, or "inf"/"nan"; reading stops at the first
// character that does not fit. Its own file so that the fuzz target can call it.
#pragma once

// Sets number to the text's value rounded to single precision (0 when it holds none, a
// null text included). False when the text holds no number.
bool read_decimal(char const* text, float& number);
