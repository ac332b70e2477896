// Which folder may include which: the layers of ARCHITECTURE.md as a check over the
// `#include "..."` lines of a source tree.
#pragma once

#include <string>
#include <vector>

namespace architecture_test {

// Every include in the tree at root that crosses a layer the wrong way, one line each:
// `window/snap.cpp:4: includes host/scene_model.h (window may include include, shape, ...)`.
// An include is resolved as the compiler would find it: beside the including file, else the
// one file of the checked folders whose path ends with the included name; a name found in
// none of them is a system or library header and is not checked, except the library headers
// only one folder may include (CLI11's, front_end/ only).
std::vector<std::string> include_violations(std::string const& root);

}  // namespace architecture_test
