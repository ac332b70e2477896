// The text of an own text field's number: printf's "%9f" (fixed, six decimals, right-aligned
// in at least nine characters), as Boost.Format writes it.
#pragma once

// Room for any float in "%9f": 39 integer digits, sign, point, six decimals, terminator.
struct box_text {
    char text[56];
};

box_text format_box_number(float f);
