#include "files/resource_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "checks/host_checks.h"

namespace host {

bool is_known_language(std::string const& lang) { return lang == "en" || lang == "ja"; }

std::string resource_path(std::string const& resource_dir, std::string const& lang,
                          std::string const& name) {
    return resource_dir + "/" + lang + "/" + name + ".xml";
}

void refuse_resource(std::string const& path, std::string const& what) {
    throw host_error(path + ": " + what);
}

void load_xml(std::string const& path, pugi::xml_document& document) {
    std::ifstream in(path, std::ios::binary);
    if (!in) refuse_resource(path, "cannot open file");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    parse_xml(text, path, document);
}

void parse_xml(std::string const& text, std::string const& path, pugi::xml_document& document) {
    pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed) {
        // pugixml reports a byte offset; a person wants the line.
        std::size_t upto = std::min<std::size_t>(static_cast<std::size_t>(parsed.offset),
                                                  text.size());
        long line = 1 + std::count(text.begin(), text.begin() + static_cast<long>(upto), '\n');
        throw host_error(path + ":" + std::to_string(line) + ": " + parsed.description());
    }
}

}  // namespace host
