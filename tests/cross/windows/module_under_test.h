// The built Windows module, loaded once per test program as the host loads it, with its
// six entry points looked up under the names the host uses on this platform.
#pragma once

#include <windows.h>

#include "entry/entry_points.h"

namespace cross_test {

struct module_under_test {
    HMODULE handle = nullptr;
    decltype(&has_interface) has_interface_fn = nullptr;
    decltype(&get_name) get_name_fn = nullptr;
    decltype(&get_uuid) get_uuid_fn = nullptr;
    decltype(&is_resident) is_resident_fn = nullptr;
    decltype(&get_info) get_info_fn = nullptr;
    decltype(&create_interface) create_interface_fn = nullptr;
};

// Path of the module file, as given at build time or by VEXEL_TEST_MODULE.
char const* module_path();

// The module, loaded on first use; null handle when LoadLibrary failed. Never unloaded.
module_under_test const& loaded_module();

// The exported names the host looks up: undecorated on 64-bit, stdcall-decorated on 32-bit.
char const* const* exported_names();

}  // namespace cross_test
