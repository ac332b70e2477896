#include "services/module_residence.h"

namespace host {

module_residence::module_residence([[maybe_unused]] std::string const& module_path) {
#if defined(_WIN32)
    try {
        module = std::make_unique<plugin_module>(module_path);
    } catch (module_error const&) {
        // The sweep's own loading says what is wrong with the module.
    }
#endif
}

}  // namespace host
