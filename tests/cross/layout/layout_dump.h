// Reading clang's layout dumps (-fdump-vtable-layouts, -fdump-record-layouts) and the table
// of expected slots, and comparing a class's virtual table with that table.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace layout {

// One virtual function entry: the operation's name ("get_id", "~probe_window") and, for
// destructors, clang's kind ("scalar deleting", "complete", "deleting").
struct slot {
    std::string name;
    std::string kind;
};

// The virtual tables of a dump, by most-derived class name; only function entries, in
// order (RTTI and offset entries are left out, so index 0 is the first function slot).
std::map<std::string, std::vector<slot>> read_vtables(std::string const& dump);

struct record {
    long size = -1;
    std::map<std::string, long> offsets;  // direct fields by name
};
std::map<std::string, record> read_records(std::string const& dump);

// One interface block of the expected table: a name (or "?" for any) per position.
struct block {
    std::string interface;
    std::vector<std::string> names;
};
// Reads the table; problems are appended to errors as "line N: ...".
std::map<std::string, block> read_expected_slots(std::string const& text,
                                                 std::vector<std::string>& errors);

// Compares a class's table with the prefix of unknown_interface (destructor_entries 1 on
// Microsoft's ABI, 2 on the Itanium ABI) followed by the given blocks. Returns one line per
// difference, naming the slot, the block position and both names; empty when all match.
std::vector<std::string> compare(std::vector<slot> const& actual, int destructor_entries,
                                 std::vector<block const*> const& blocks);

}  // namespace layout
