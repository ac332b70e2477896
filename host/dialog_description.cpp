#include "dialog_description.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "resource_file.h"

namespace host {

namespace {

void collect(std::string const& path, pugi::xml_node box, dialog_description& into) {
    for (pugi::xml_node node : box.children()) {
        if (node.type() != pugi::node_element) continue;
        if (std::strcmp(node.name(), "bool") != 0) {
            collect(path, node, into);
            continue;
        }
        std::string where = "<bool> #" + std::to_string(into.items.size() + 1);
        char const* id_text = node.attribute("id").value();
        char* end = nullptr;
        errno = 0;
        long id = std::strtol(id_text, &end, 10);
        if (*id_text == '\0' || *end != '\0' || errno != 0 || id < INT_MIN || id > INT_MAX)
            refuse_resource(path, where + ": id \"" + id_text + "\" is not a number");
        for (auto const& known : into.items)
            if (known.id == id) refuse_resource(path, where + ": repeated id " + id_text);
        std::string fallback = node.attribute("default").value();
        if (fallback != "true" && fallback != "false" && !fallback.empty())
            refuse_resource(path, where + ": default \"" + fallback +
                                      "\" is neither true nor false");
        into.items.push_back({static_cast<int>(id), node.attribute("label").value(),
                              fallback == "true"});
    }
}

}  // namespace

dialog_description dialog_description::read(std::string const& path) {
    pugi::xml_document document;
    load_xml(path, document);
    pugi::xml_node root = document.document_element();
    if (std::strcmp(root.name(), "dialog") != 0)
        refuse_resource(path, std::string("root element is <") + root.name() +
                                  ">, expected <dialog>");
    dialog_description description;
    description.title = root.attribute("title").value();
    collect(path, root, description);
    return description;
}

}  // namespace host
