#include "script_error.h"

namespace script {

std::string host_reason(std::string const& what) {
    std::size_t colon = what.find(": ");
    if (colon == std::string::npos || what.find('_') > colon) return what;
    for (std::size_t i = 0; i < colon; ++i)
        if (!(what[i] == '_' || (what[i] >= 'a' && what[i] <= 'z'))) return what;
    return what.substr(colon + 2);
}

}  // namespace script
