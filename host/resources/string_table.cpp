#include "resources/string_table.h"

#include "resources/resource_file.h"
#include "text/quoted_word.h"

namespace host {

string_table::string_table(std::string const& path) {
    fill(path, xml_resource(read_resource(path), path).root());
}

string_table string_table::parse(std::string const& text, std::string const& source) {
    string_table table;
    table.fill(source, xml_resource(text, source).root());
    return table;
}

void string_table::fill(std::string const& path, rapidxml::xml_node<> const& root) {
    if (std::string(root.name()) != "strings")
        refuse_resource(path, "root element is " + quoted_word(root.name()) +
                                  ", expected \"strings\"");
    int position = 0;
    for (auto const* entry = root.first_node("string"); entry; entry = entry->next_sibling("string")) {
        ++position;
        char const* id = attribute(*entry, "id");
        char const* value = attribute(*entry, "value");
        std::string where = "<string> #" + std::to_string(position);
        if (!id) refuse_resource(path, where + ": missing attribute id");
        if (!value) refuse_resource(path, where + ": missing attribute value");
        if (!entries.emplace(id, value).second)
            refuse_resource(path, where + ": duplicate id " + quoted_word(id));
    }
}

char const* string_table::lookup(char const* key) {
    if (key == nullptr) return "";
    auto found = entries.find(key);
    if (found != entries.end()) return found->second.c_str();
    return unknown_keys.insert(key).first->c_str();
}

}  // namespace host
