// Keeps a module mapped while it lives, so that the host's loading and unloading of it in
// between only count references and its start-up code runs once.
//
// For the fault sweeps on Windows: they load the module once per run, thousands of times. A
// module built with MinGW-w64 takes one of the process's 1,088 thread-local storage slots
// each time it is loaded and throws an exception, and never gives it back (its runtime's
// emulated thread-local storage keeps its key when unloaded), so that after about a
// thousand runs its runtime aborts the process. Elsewhere, and for a module that cannot be
// loaded (the sweep's own loading reports that), it does nothing.
#pragma once

#include <memory>
#include <string>

#include "services/plugin_module.h"

namespace host {

class module_residence {
public:
    explicit module_residence(std::string const& module_path);

private:
    std::unique_ptr<plugin_module> module;
};

}  // namespace host
