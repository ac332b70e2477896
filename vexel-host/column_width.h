// The columns a character takes on a terminal, from a table written at build time from the
// Unicode data files (column_widths.cmake).
#pragma once

namespace runner {

// 0 for a combining mark or an invisible format character (it joins the character before
// it), 2 for an East Asian wide or full-width character, 1 for any other.
int column_width(char32_t code_point);

}  // namespace runner
