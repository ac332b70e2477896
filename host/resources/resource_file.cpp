#include "resources/resource_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "checks/host_checks.h"

namespace host {

namespace {

// Elements nest at most this deep: the parser descends by recursion, so a deeper text is
// refused before it runs.
std::size_t const deepest_element = 1000;

// The offset of the first start tag nested deeper than deepest_element, or npos. Markup
// that opens no element is passed over whole as the parser passes it (comments, character
// data, declarations, processing instructions), and a start tag up to its '>' outside
// quoted attribute values.
std::size_t too_deep(std::string const& text) {
    std::size_t depth = 0, i = 0;
    auto skip_past = [&](char const* end) {
        std::size_t at = text.find(end, i);
        i = at == std::string::npos ? text.size() : at + std::char_traits<char>::length(end);
    };
    while ((i = text.find('<', i)) != std::string::npos) {
        if (text.compare(i, 4, "<!--") == 0) {
            skip_past("-->");
        } else if (text.compare(i, 9, "<![CDATA[") == 0) {
            skip_past("]]>");
        } else if (text.compare(i, 2, "<?") == 0) {
            skip_past("?>");
        } else if (text.compare(i, 2, "<!") == 0) {
            skip_past(">");
        } else if (text.compare(i, 2, "</") == 0) {
            if (depth > 0) --depth;
            skip_past(">");
        } else {
            std::size_t start = i;
            char quote = 0;
            for (++i; i < text.size() && (quote || text[i] != '>'); ++i) {
                if (quote && text[i] == quote) quote = 0;
                else if (!quote && (text[i] == '"' || text[i] == '\'')) quote = text[i];
            }
            bool empty = i < text.size() && text[i - 1] == '/';  // <bool id="1"/>
            if (!empty && ++depth > deepest_element) return start;
            ++i;
        }
    }
    return std::string::npos;
}

[[noreturn]] void refuse_at(std::string const& text, std::size_t offset,
                            std::string const& source, std::string const& problem) {
    // The parser points at a byte; a person wants the line.
    auto upto = text.begin() + static_cast<long>(std::min(offset, text.size()));
    long line = 1 + std::count(text.begin(), upto, '\n');
    throw host_error(source + ":" + std::to_string(line) + ": " + problem);
}

}  // namespace

bool is_known_language(std::string const& lang) { return lang == "en" || lang == "ja"; }

std::string resource_path(std::string const& resource_dir, std::string const& lang,
                          std::string const& name) {
    return resource_dir + "/" + lang + "/" + name + ".xml";
}

void refuse_resource(std::string const& path, std::string const& what) {
    throw host_error(path + ": " + what);
}

std::string read_resource(std::string const& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) refuse_resource(path, "cannot open file");
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

xml_resource::xml_resource(std::string const& text, std::string const& source)
    : buffer(text.begin(), text.end()), document(std::make_unique<rapidxml::xml_document<>>()) {
    std::size_t deep = too_deep(text);
    if (deep != std::string::npos)
        refuse_at(text, deep, source,
                  "elements nested deeper than " + std::to_string(deepest_element) + " levels");
    buffer.push_back('\0');
    try {
        document->parse<rapidxml::parse_validate_closing_tags>(buffer.data());
    } catch (rapidxml::parse_error const& e) {
        char const* where = e.where<char>();
        refuse_at(text, where ? static_cast<std::size_t>(where - buffer.data()) : 0, source,
                  e.what());
    }
    if (!document->first_node()) refuse_at(text, text.size(), source, "no element");
}

char const* attribute(rapidxml::xml_node<> const& element, char const* name) {
    rapidxml::xml_attribute<> const* found = element.first_attribute(name);
    return found ? found->value() : nullptr;
}

}  // namespace host
