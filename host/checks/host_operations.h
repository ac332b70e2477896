// The names of the host's operations, as every host operation gives them to the checks
// ("scene.get_state_flag", "create_button", ...): fault injection refuses any other name, so
// a misspelt name cannot make a test or a sweep inject nothing.
#pragma once

#include <string_view>

namespace host {

// Whether name is one of the host's operations.
bool is_host_operation(std::string_view name);

}  // namespace host
