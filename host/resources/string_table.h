// The plug-in's string table TEXT.xml for one language: <strings><string id= value=/>.
#pragma once

#include <map>
#include <set>
#include <rapidxml.hpp>
#include <string>

namespace host {

class string_table {
public:
    // An empty table: every key answers itself.
    string_table() = default;
    // Reads the table at path. Throws host_error naming the file and the problem.
    explicit string_table(std::string const& path);
    // The same for a table's text; source names it in messages.
    static string_table parse(std::string const& text, std::string const& source);

    // The value of key, or key itself when the table has no entry. The text stays valid as
    // long as the table (keys that are not in the table are kept in a copy of their own, so
    // the answer never points into the caller's buffer). A null key answers "".
    char const* lookup(char const* key);

    std::size_t size() const { return entries.size(); }

private:
    void fill(std::string const& path, rapidxml::xml_node<> const& root);

    std::map<std::string, std::string> entries;
    std::set<std::string> unknown_keys;
};

}  // namespace host
