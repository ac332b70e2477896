// The plug-in's XML resources as the reference host reads them: files that ship beside the
// module, <module dir>/vexel.resources/<lang>/<NAME>.xml.
#pragma once

#include <pugixml.hpp>
#include <string>

namespace host {

// The languages the plug-in carries resources for.
bool is_known_language(std::string const& lang);

// <resource dir>/<lang>/<name>.xml.
std::string resource_path(std::string const& resource_dir, std::string const& lang,
                          std::string const& name);

// Parses the file at path. Throws host_error naming the file, the line and the problem
// ("vexel.resources/en/TEXT.xml:3: Start-end tags mismatch").
void load_xml(std::string const& path, pugi::xml_document& document);
// The same for a resource's text; source names it in messages.
void parse_xml(std::string const& text, std::string const& source, pugi::xml_document& document);

// "path: element <string> #2: missing attribute id": the one-line refusal of a resource.
[[noreturn]] void refuse_resource(std::string const& path, std::string const& what);

}  // namespace host
