// The preference file reader on any text: the values, or one refusal (host_error) in one
// line. Accepted values are written back as the store writes them and read again equal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

#include "checks/host_checks.h"
#include "services/preference_store.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string text(reinterpret_cast<char const*>(data), size);
    std::map<std::string, int> values;
    try {
        values = host::preference_store::parse(text, "prefs.json");
    } catch (host::host_error const& e) {
        std::string message = e.what();
        if (message.find('\n') != std::string::npos || message.size() > 200) std::abort();
        return 0;
    }
    nlohmann::json document = nlohmann::json::object();
    for (auto const& [key, stored] : values) document[key] = stored;
    // Keys that are not valid UTF-8 cannot have come from a parsed file.
    if (host::preference_store::parse(document.dump(2) + "\n", "again.json") != values)
        std::abort();
    return 0;
}
