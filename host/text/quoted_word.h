// A word from an input file or a script as a message shows it.
#pragma once

#include <string>

namespace host {

// In double quotes, a quote, backslash or control character escaped, and cut after 40
// bytes with the full length told ("abcd...\" (1048576 bytes)"), so that an odd input
// still gives one readable line.
std::string quoted_word(std::string const& word);

}  // namespace host
