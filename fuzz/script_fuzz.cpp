// The script parser on any text: a script or one refusal (script_error) whose message is
// one line, not much longer than the limits the parser puts on echoed words.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "script_syntax.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string text(reinterpret_cast<char const*>(data), size);
    try {
        script::parse_script_text(text, "fuzz.vxs");
    } catch (script::script_error const& e) {
        std::string message = e.what();
        // Echoed words are cut at 40 bytes and escaped (at most 4 bytes each, with a length
        // note): one line of bounded length, also with the longest list, that of the actions.
        std::size_t const longest = 250 + script::action_words().size();
        if (message.find('\n') != std::string::npos || message.size() > longest) std::abort();
    }
    return 0;
}
