#include "resources/dialog_description.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "resources/resource_file.h"
#include "text/quoted_word.h"

namespace host {

namespace {

// Boxes within boxes deeper than this are refused: a real dialog nests a few levels, and
// the walk below must not run out of stack on a hostile file.
int const deepest_box = 64;

// The value of node's attribute name, "" when it has none.
char const* attribute_or_empty(rapidxml::xml_node<> const& node, char const* name) {
    char const* value = attribute(node, name);
    return value ? value : "";
}

void collect(std::string const& path, rapidxml::xml_node<> const& box, dialog_description& into,
             int depth) {
    for (auto const* child = box.first_node(); child; child = child->next_sibling()) {
        rapidxml::xml_node<> const& node = *child;
        if (node.type() != rapidxml::node_element) continue;
        if (std::strcmp(node.name(), "bool") != 0) {
            if (depth >= deepest_box)
                refuse_resource(path, "element " + quoted_word(node.name()) +
                                          " nested deeper than " + std::to_string(deepest_box) +
                                          " elements");
            collect(path, node, into, depth + 1);
            continue;
        }
        std::string where = "<bool> #" + std::to_string(into.items.size() + 1);
        char const* id_text = attribute_or_empty(node, "id");
        char* end = nullptr;
        errno = 0;
        long id = std::strtol(id_text, &end, 10);
        if (*id_text == '\0' || *end != '\0' || errno != 0 || id < INT_MIN || id > INT_MAX)
            refuse_resource(path, where + ": id " + quoted_word(id_text) + " is not a number");
        for (auto const& known : into.items)
            if (known.id == id) refuse_resource(path, where + ": repeated id " + quoted_word(id_text));
        std::string fallback = attribute_or_empty(node, "default");
        if (fallback != "true" && fallback != "false" && !fallback.empty())
            refuse_resource(path, where + ": default " + quoted_word(fallback) +
                                      " is neither true nor false");
        into.items.push_back({static_cast<int>(id), attribute_or_empty(node, "label"),
                              fallback == "true"});
    }
}

}  // namespace

namespace {

dialog_description describe(std::string const& path, rapidxml::xml_node<> const& root) {
    if (std::strcmp(root.name(), "dialog") != 0)
        refuse_resource(path, "root element is " + quoted_word(root.name()) +
                                  ", expected \"dialog\"");
    dialog_description description;
    description.title = attribute_or_empty(root, "title");
    collect(path, root, description, 1);
    return description;
}

}  // namespace

dialog_description dialog_description::read(std::string const& path) {
    return describe(path, xml_resource(read_resource(path), path).root());
}

dialog_description dialog_description::parse(std::string const& text, std::string const& source) {
    return describe(source, xml_resource(text, source).root());
}

}  // namespace host
