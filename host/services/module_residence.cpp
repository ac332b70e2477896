#include "services/module_residence.h"

#if defined(_WIN32)
#include <windows.h>

#include <filesystem>
#endif

namespace host {

#if defined(_WIN32)

module_residence::module_residence(std::string const& module_path) {
    UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    handle = ::LoadLibraryW(std::filesystem::path(module_path).wstring().c_str());
    ::SetErrorMode(previous);
}

module_residence::~module_residence() {
    if (handle) ::FreeLibrary(static_cast<HMODULE>(handle));
}

#else

module_residence::module_residence(std::string const&) {}
module_residence::~module_residence() = default;

#endif

}  // namespace host
