// How a script line fails: the host refuses it (script_error), or a check it asks for finds
// the host in another state (expectation_failed). what() is the whole line.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace script {

// A refused script, or a refused action while it runs.
struct script_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A host check that a script line asks for failed (expect-refs).
struct expectation_failed : script_error {
    using script_error::script_error;
};

// The host's refusal of an edit as a script line shows it: without the name of the host
// function that refused ("set_active_points: curve has no point 7" reads "curve has no
// point 7"), since the line already names the action.
std::string host_reason(std::string const& what);

// Runs one of the host's own edits for a script line; the host's refusal becomes the
// line's ("WORD: reason").
template <class F>
void refusing(std::string const& word, F&& f) {
    try {
        f();
    } catch (script_error const&) {
        throw;
    } catch (std::exception const& e) {
        throw script_error(word + ": " + host_reason(e.what()));
    }
}

}  // namespace script
