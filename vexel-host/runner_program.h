// The program vexel-host, given its command line (see command_line.h for its forms): a
// script run, a fault sweep, --dump-scene, --info or --help. Returns the exit status.
#pragma once

#include <string>

#include "action_watcher.h"

namespace runner {

// default_module: the module loaded when --module is not given. promises: the watcher of
// every action when --oracles is given. Borrowed for the call.
int run_program(int argc, char** argv, std::string const& default_module, script::action_watcher& promises);

}  // namespace runner
