// The plug-in's XML resources as the reference host reads them: files that ship beside the
// module, <module dir>/vexel.resources/<lang>/<NAME>.xml. Parsed with rapidxml
// (librapidxml-dev, header-only).
#pragma once

#include <memory>
#include <rapidxml.hpp>
#include <string>
#include <vector>

namespace host {

// The languages the plug-in carries resources for.
bool is_known_language(std::string const& lang);

// <resource dir>/<lang>/<name>.xml.
std::string resource_path(std::string const& resource_dir, std::string const& lang,
                          std::string const& name);

// Reads the file at path whole. Throws host_error ("PATH: cannot open file").
std::string read_resource(std::string const& path);

// A resource's text, parsed: its elements, names and values stay valid while this lives.
class xml_resource {
public:
    // Parses text; source names it in messages. Throws host_error naming the source, the
    // line and the problem ("vexel.resources/en/TEXT.xml:3: invalid closing tag name").
    xml_resource(std::string const& text, std::string const& source);
    // The first element of the text (there is one).
    rapidxml::xml_node<> const& root() const { return *document->first_node(); }

private:
    std::vector<char> buffer;  // the text, with its terminating 0; the document points into it
    std::unique_ptr<rapidxml::xml_document<>> document;  // on the heap: it holds a 64 KB pool
};

// The value of element's attribute name, or null when it has none.
char const* attribute(rapidxml::xml_node<> const& element, char const* name);

// "path: element <string> #2: missing attribute id": the one-line refusal of a resource.
[[noreturn]] void refuse_resource(std::string const& path, std::string const& what);

}  // namespace host
