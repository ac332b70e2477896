#include "layout_dump.h"

#include <regex>
#include <sstream>

namespace layout {

namespace {

std::vector<std::string> lines_of(std::string const& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// "  12 | int plugin_interface::get_id(void *)" -> the entry text after the bar.
bool entry_text(std::string const& line, std::string& text) {
    static std::regex const entry(R"(^\s*\d+ \| (.*)$)");
    std::smatch m;
    if (!std::regex_match(line, m, entry)) return false;
    text = m[1];
    return true;
}

// The operation's name: the identifier right before the parameter list.
slot slot_of(std::string const& text) {
    static std::regex const name(R"((~?\w+)\()");
    static std::regex const kind(R"(\[(scalar deleting|vector deleting|complete|deleting)\])");
    slot s;
    std::smatch m;
    if (std::regex_search(text, m, name)) s.name = m[1];
    if (std::regex_search(text, m, kind)) s.kind = m[1];
    return s;
}

}  // namespace

std::map<std::string, std::vector<slot>> read_vtables(std::string const& dump) {
    // "VFTable for 'IUnknown' in ... in 'probe_window' (405 entries)." (Microsoft) or
    // "Vtable for 'probe_window' (407 entries)." (Itanium): the last quoted name is the class.
    static std::regex const header(R"(^(VFTable|Vtable) for .*'([^']+)' \(\d+ entries\)\.$)");
    std::map<std::string, std::vector<slot>> tables;
    std::vector<slot>* current = nullptr;
    for (std::string const& line : lines_of(dump)) {
        std::smatch m;
        if (std::regex_match(line, m, header)) {
            current = &tables[m[2]];
            current->clear();
            continue;
        }
        if (line.empty()) current = nullptr;
        std::string text;
        if (!current || !entry_text(line, text)) continue;
        if (text.find("offset_to_top") == 0 || text.find("vcall_offset") == 0 ||
            text.find("vbase_offset") == 0 ||
            (text.size() >= 5 && text.rfind(" RTTI") == text.size() - 5))
            continue;
        current->push_back(slot_of(text));
    }
    return tables;
}

std::map<std::string, record> read_records(std::string const& dump) {
    static std::regex const start(R"(^\s*0 \| (?:struct|class|union) (\S+)$)");
    static std::regex const field(R"(^\s*(\d+) \|   \S.* (\w+)$)");
    static std::regex const size(R"(^\s*\| \[sizeof=(\d+),)");
    std::map<std::string, record> records;
    record* current = nullptr;
    bool expect_start = false;
    for (std::string const& line : lines_of(dump)) {
        std::smatch m;
        if (line.find("*** Dumping AST Record Layout") != std::string::npos) {
            expect_start = true;
            current = nullptr;
        } else if (expect_start && std::regex_match(line, m, start)) {
            current = &records[m[1]];
            *current = record();
            expect_start = false;
        } else if (current && std::regex_match(line, m, field)) {
            current->offsets[m[2]] = std::stol(m[1]);
        } else if (current && std::regex_search(line, m, size)) {
            current->size = std::stol(m[1]);
            current = nullptr;
        }
    }
    return records;
}

std::map<std::string, block> read_expected_slots(std::string const& text,
                                                 std::vector<std::string>& errors) {
    std::map<std::string, block> blocks;
    block* current = nullptr;
    long size = 0;
    auto finish = [&](int line_number) {
        if (current && static_cast<long>(current->names.size()) != size)
            errors.push_back("line " + std::to_string(line_number) + ": block " +
                             current->interface + " has " + std::to_string(current->names.size()) +
                             " slots, not " + std::to_string(size));
    };
    int number = 0;
    for (std::string const& line : lines_of(text)) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        std::istringstream in(line);
        std::string first;
        in >> first;
        std::string where = "line " + std::to_string(number) + ": ";
        if (first == "block") {
            finish(number);
            std::string name;
            in >> name >> size;
            current = &blocks[name];
            current->interface = name;
        } else if (!current) {
            errors.push_back(where + "entry before any block");
        } else if (first == "reserved") {
            long from = 0, to = -1;
            in >> from >> to;
            for (long n = from; n <= to; ++n)
                current->names.push_back(current->interface + "_dummy" + std::to_string(n));
        } else {
            std::string name;
            in >> name;
            if (std::to_string(current->names.size()) != first)
                errors.push_back(where + "position " + first + " out of order, expected " +
                                 std::to_string(current->names.size()));
            current->names.push_back(name);
        }
    }
    finish(number);
    return blocks;
}

std::vector<std::string> compare(std::vector<slot> const& actual, int destructor_entries,
                                 std::vector<block const*> const& blocks) {
    struct expected_slot {
        std::string name, kind, where;
    };
    std::vector<expected_slot> expected = {
        {"QueryInterface", "", "prefix"}, {"AddRef", "", "prefix"}, {"Release", "", "prefix"}};
    if (destructor_entries == 1) {
        expected.push_back({"~", "scalar deleting", "prefix"});
    } else {
        expected.push_back({"~", "complete", "prefix"});
        expected.push_back({"~", "deleting", "prefix"});
    }
    expected.push_back({"is_implemented", "", "prefix"});
    for (block const* b : blocks)
        for (std::size_t i = 0; i < b->names.size(); ++i)
            expected.push_back({b->names[i], "", b->interface + " " + std::to_string(i)});

    std::vector<std::string> differences;
    if (actual.size() != expected.size())
        differences.push_back(std::to_string(actual.size()) + " slots, expected " +
                              std::to_string(expected.size()));
    for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i) {
        expected_slot const& e = expected[i];
        slot const& a = actual[i];
        bool name_ok = e.name == "?" || (e.name == "~" ? a.name.rfind("~", 0) == 0 : a.name == e.name);
        bool kind_ok = e.kind.empty() || a.kind == e.kind;
        if (!name_ok || !kind_ok)
            differences.push_back("slot " + std::to_string(i) + " (" + e.where + "): " +
                                  a.name + (a.kind.empty() ? "" : " [" + a.kind + "]") +
                                  ", expected " + e.name + (e.kind.empty() ? "" : " [" + e.kind + "]"));
    }
    return differences;
}

}  // namespace layout
