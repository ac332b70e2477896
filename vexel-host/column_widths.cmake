# Writes the column width table of --view from the Unicode data files (package unicode-data):
# sorted ranges of code points that take no column (combining marks Mn and Me, format
# characters Cf but the soft hyphen, which shows as a hyphen) and of those that take two
# (East Asian Wide and Fullwidth). Run as a script, so that a cross build can run it too:
#   cmake -DUNICODE_DATA=... -DEAST_ASIAN_WIDTH=... -DOUTPUT=... -P column_widths.cmake

# Appends FIRST..LAST (hex) to the ranges in list VAR, joined to the last range when it
# follows on directly.
function(add_range var first last)
  set(ranges ${${var}})
  list(LENGTH ranges count)
  if(count GREATER 0)
    list(GET ranges -1 previous)
    string(REGEX REPLACE "^.*\\.\\." "" previous_last "${previous}")
    string(REGEX REPLACE "\\.\\..*$" "" previous_first "${previous}")
    math(EXPR after "0x${previous_last} + 1")
    math(EXPR start "0x${first}")
    if(after EQUAL start)
      list(REMOVE_AT ranges -1)
      list(APPEND ranges "${previous_first}..${last}")
      set(${var} ${ranges} PARENT_SCOPE)
      return()
    endif()
  endif()
  list(APPEND ranges "${first}..${last}")
  set(${var} ${ranges} PARENT_SCOPE)
endfunction()

# The ranges as the lines of a C++ array.
function(table_lines var ranges)
  set(lines "")
  foreach(range IN LISTS ranges)
    string(REPLACE ".." ", 0x" pair "${range}")
    string(APPEND lines "    {0x${pair}},\n")
  endforeach()
  set(${var} "${lines}" PARENT_SCOPE)
endfunction()

set(zero "")
file(STRINGS "${UNICODE_DATA}" marks REGEX "^[0-9A-F]+;[^;]*;(Mn|Me|Cf);")
foreach(line IN LISTS marks)
  string(REGEX MATCH "^[0-9A-F]+" code "${line}")
  if(NOT code STREQUAL "00AD")
    add_range(zero ${code} ${code})
  endif()
endforeach()

set(wide "")
file(STRINGS "${EAST_ASIAN_WIDTH}" widths REGEX "^[0-9A-F]+(\\.\\.[0-9A-F]+)? *; *[WF] ")
foreach(line IN LISTS widths)
  string(REGEX MATCH "^[0-9A-F]+(\\.\\.[0-9A-F]+)?" codes "${line}")
  string(REGEX REPLACE "\\.\\..*$" "" first "${codes}")
  string(REGEX REPLACE "^.*\\.\\." "" last "${codes}")
  add_range(wide ${first} ${last})
endforeach()

table_lines(zero_lines "${zero}")
table_lines(wide_lines "${wide}")
file(WRITE "${OUTPUT}" "// Written by column_widths.cmake from ${UNICODE_DATA} and
// ${EAST_ASIAN_WIDTH}; not to be edited.
#pragma once

namespace runner {

struct code_point_range {
    char32_t first, last;
};

// Combining marks and format characters: no column.
code_point_range const zero_width_ranges[] = {
${zero_lines}};

// East Asian Wide and Fullwidth: two columns.
code_point_range const double_width_ranges[] = {
${wide_lines}};

}  // namespace runner
")
