#include "module_under_test.h"

#include <cstdlib>

namespace cross_test {

namespace {

// GetProcAddress's generic function pointer as the entry point's own type; the detour over
// void (*)() keeps GCC's function-cast warning quiet for this deliberate conversion.
template <class Function>
void look_up(HMODULE module, char const* name, Function& out) {
    out = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace

char const* module_path() {
    char const* path = std::getenv("VEXEL_TEST_MODULE");
    return path && *path ? path : VEXEL_TEST_MODULE_PATH;
}

char const* const* exported_names() {
#if defined(_WIN64)
    static char const* const names[] = {"has_interface", "get_name",    "get_uuid",
                                        "is_resident",   "get_info",    "create_interface",
                                        nullptr};
#else
    static char const* const names[] = {"_has_interface@8", "_get_name@16", "_get_uuid@16",
                                        "_is_resident@12",  "_get_info@12", "_create_interface@20",
                                        nullptr};
#endif
    return names;
}

module_under_test const& loaded_module() {
    static module_under_test const module = [] {
        module_under_test m;
        m.handle = ::LoadLibraryA(module_path());
        if (!m.handle) return m;
        char const* const* names = exported_names();
        look_up(m.handle, names[0], m.has_interface_fn);
        look_up(m.handle, names[1], m.get_name_fn);
        look_up(m.handle, names[2], m.get_uuid_fn);
        look_up(m.handle, names[3], m.is_resident_fn);
        look_up(m.handle, names[4], m.get_info_fn);
        look_up(m.handle, names[5], m.create_interface_fn);
        return m;
    }();
    return module;
}

}  // namespace cross_test
