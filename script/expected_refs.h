// What a script's `expect-refs N` checks, in the runner and the studio alike.
#pragma once

#include <string>

namespace host {
class host_app;
}

namespace script {

// The line's failure text ("WORD: 2 counted host objects outstanding, expected 0 (...)"), or
// an empty text when expected counted host objects are held. The reference an open window
// keeps to the preference store for its life is its due and not counted. app may be null.
std::string refs_mismatch(std::string const& word, host::host_app* app, int expected);

}  // namespace script
