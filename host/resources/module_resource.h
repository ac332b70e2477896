// One of the plug-in's XML resources, found where the host looks for it on this platform.
#pragma once

#include <string>

namespace host {

// A resource's text and the name messages give it.
struct module_resource {
    std::string source;
    std::string text;
};

// The resource NAME in the language lang ("en", "ja"). On Linux the file
// <location>/<lang>/<name>.xml, location being the folder that ships beside the module; on
// Windows the module file at location, its resource of type "TQUL" and name NAME in the
// language's identifier (1033, 1041), as the host reads it there. Throws host_error naming
// the resource when there is none.
module_resource read_module_resource(std::string const& location, std::string const& lang,
                                     std::string const& name);

}  // namespace host
