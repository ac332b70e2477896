#include "expected_refs.h"

#include <vector>

#include "checks/host_checks.h"
#include "services/host_app.h"

namespace script {

std::string refs_mismatch(std::string const& word, host::host_app* app, int expected) {
    std::vector<std::string> held = host::audit().outstanding();
    if (app && app->loaded() && app->preferences().references() == 1)
        for (auto at = held.begin(); at != held.end(); ++at)
            if (at->rfind("preference store ", 0) == 0) {
                held.erase(at);
                break;
            }
    if (static_cast<int>(held.size()) == expected) return "";
    std::string list;
    for (std::string const& h : held) list += (list.empty() ? "" : ", ") + h;
    return word + ": " + std::to_string(held.size()) +
           " counted host objects outstanding, expected " + std::to_string(expected) +
           (list.empty() ? "" : " (" + list + ")");
}

}  // namespace script
