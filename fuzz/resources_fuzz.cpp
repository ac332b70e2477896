// The dialog description and string table readers on any text: a description or table,
// or one refusal (host_error) in one line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "checks/host_checks.h"
#include "resources/dialog_description.h"
#include "resources/string_table.h"

namespace {

void one_line(host::host_error const& e) {
    std::string message = e.what();
    if (message.find('\n') != std::string::npos || message.size() > 400) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string text(reinterpret_cast<char const*>(data), size);
    try {
        host::dialog_description d = host::dialog_description::parse(text, "mode_dialog_id.xml");
        for (auto const& item : d.items)
            for (auto const& other : d.items)
                if (&item != &other && item.id == other.id) std::abort();  // ids are unique
    } catch (host::host_error const& e) {
        one_line(e);
    }
    try {
        host::string_table table = host::string_table::parse(text, "TEXT.xml");
        if (table.lookup("App.") == nullptr) std::abort();
    } catch (host::host_error const& e) {
        one_line(e);
    }
    return 0;
}
