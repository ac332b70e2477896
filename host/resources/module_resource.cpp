#include "resources/module_resource.h"

#include "resources/resource_file.h"

#if defined(_WIN32)
#include <windows.h>

#include <filesystem>
#endif

namespace host {

#if defined(_WIN32)

namespace {

WORD language_id(std::string const& lang) {
    return lang == "ja" ? MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN)
                        : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

// The module mapped as data for as long as one resource is read: the host reads resources
// also while no code of the module runs.
class resource_image {
public:
    explicit resource_image(std::string const& path)
        : module(::LoadLibraryExW(std::filesystem::path(path).wstring().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE)) {}
    ~resource_image() {
        if (module) ::FreeLibrary(module);
    }
    resource_image(resource_image const&) = delete;
    resource_image& operator=(resource_image const&) = delete;
    HMODULE module;
};

}  // namespace

module_resource read_module_resource(std::string const& location, std::string const& lang,
                                     std::string const& name) {
    WORD language = language_id(lang);
    module_resource found{location + ":TQUL/" + name + "/" + std::to_string(language), ""};
    resource_image image(location);
    if (!image.module) refuse_resource(location, "cannot open the module's resources");
    HRSRC place = ::FindResourceExA(image.module, "TQUL", name.c_str(), language);
    HGLOBAL loaded = place ? ::LoadResource(image.module, place) : nullptr;
    void const* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) refuse_resource(found.source, "no such resource");
    found.text.assign(static_cast<char const*>(bytes), ::SizeofResource(image.module, place));
    return found;
}

#else

module_resource read_module_resource(std::string const& location, std::string const& lang,
                                     std::string const& name) {
    std::string path = resource_path(location, lang, name);
    return {path, read_resource(path)};
}

#endif

}  // namespace host
