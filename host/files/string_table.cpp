#include "files/string_table.h"

#include "files/resource_file.h"
#include "text/quoted_word.h"

namespace host {

string_table::string_table(std::string const& path) {
    pugi::xml_document document;
    load_xml(path, document);
    fill(path, document);
}

string_table string_table::parse(std::string const& text, std::string const& source) {
    pugi::xml_document document;
    parse_xml(text, source, document);
    string_table table;
    table.fill(source, document);
    return table;
}

void string_table::fill(std::string const& path, pugi::xml_document const& document) {
    pugi::xml_node root = document.document_element();
    if (std::string(root.name()) != "strings")
        refuse_resource(path, "root element is " + quoted_word(root.name()) +
                                  ", expected \"strings\"");
    int position = 0;
    for (pugi::xml_node entry : root.children("string")) {
        ++position;
        pugi::xml_attribute id = entry.attribute("id");
        pugi::xml_attribute value = entry.attribute("value");
        std::string where = "<string> #" + std::to_string(position);
        if (!id) refuse_resource(path, where + ": missing attribute id");
        if (!value) refuse_resource(path, where + ": missing attribute value");
        if (!entries.emplace(id.value(), value.value()).second)
            refuse_resource(path, where + ": duplicate id " + quoted_word(id.value()));
    }
}

char const* string_table::lookup(char const* key) {
    if (key == nullptr) return "";
    auto found = entries.find(key);
    if (found != entries.end()) return found->second.c_str();
    return unknown_keys.insert(key).first->c_str();
}

}  // namespace host
