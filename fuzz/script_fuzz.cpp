// The script parser on any text: a script or one refusal (script_error) whose message is
// one line, not much longer than the limits the parser puts on echoed words.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runner_script.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string text(reinterpret_cast<char const*>(data), size);
    try {
        host::parse_script_text(text, "fuzz.vxs");
    } catch (host::script_error const& e) {
        std::string message = e.what();
        // Echoed words are cut at 40 bytes and escaped: one line of bounded length, also
        // for the longest usage and control lists.
        if (message.find('\n') != std::string::npos || message.size() > 400) std::abort();
    }
    return 0;
}
