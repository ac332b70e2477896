// vexel-host --dump-scene FILE: the scene file's shapes and points as JSON.
#pragma once

#include <iosfwd>
#include <string>

namespace runner {

// Loads the scene file at path and writes its dump to out; 0 on success. A refused file
// writes its one-line message to err and returns 1.
int run_dump_scene(std::string const& path, std::ostream& out, std::ostream& err);

}  // namespace runner
