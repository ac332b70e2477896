#include "services/plugin_module.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace host {

namespace {

#if defined(_WIN32)
// The system's words for the last error, without the line break it ends with.
std::string last_error_text() {
    DWORD code = ::GetLastError();
    char* words = nullptr;
    DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&words), 0, nullptr);
    std::string text = length ? std::string(words, length) : "error " + std::to_string(code);
    if (words) ::LocalFree(words);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}
#endif

}  // namespace

plugin_module::plugin_module(std::string const& path) : module_path(path) {
    std::error_code failed;
    if (!std::filesystem::exists(path, failed)) throw module_error(path + ": no such file");
    if (!std::filesystem::is_regular_file(path, failed))
        throw module_error(path + ": not a regular file");
#if defined(_WIN32)
    // No dialog box of the system's when the file is not a module.
    UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    handle = ::LoadLibraryW(std::filesystem::path(path).wstring().c_str());
    ::SetErrorMode(previous);
    if (handle == nullptr) throw module_error(path + ": cannot load module: " + last_error_text());
#else
    // RTLD_LOCAL: the module's symbols never satisfy anyone else's, as with a real host.
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        char const* why = dlerror();
        throw module_error(path + ": cannot load module: " + (why ? why : "unknown reason"));
    }
#endif
    try {
        has_interface = reinterpret_cast<has_interface_fn>(symbol("has_interface", 8));
        get_name = reinterpret_cast<get_name_fn>(symbol("get_name", 16));
        get_uuid = reinterpret_cast<get_uuid_fn>(symbol("get_uuid", 16));
        is_resident = reinterpret_cast<is_resident_fn>(symbol("is_resident", 12));
        get_info = reinterpret_cast<get_info_fn>(symbol("get_info", 12));
        create_interface = reinterpret_cast<create_interface_fn>(symbol("create_interface", 20));
    } catch (...) {
        close();
        throw;
    }
}

plugin_module::~plugin_module() { close(); }

void plugin_module::close() {
#if defined(_WIN32)
    ::FreeLibrary(static_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
}

void* plugin_module::symbol(char const* name, [[maybe_unused]] int bytes) {
#if defined(_WIN32) && !defined(_WIN64)
    std::string exported = "_" + std::string(name) + "@" + std::to_string(bytes);
#else
    std::string exported = name;
#endif
#if defined(_WIN32)
    void* address = reinterpret_cast<void*>(
        ::GetProcAddress(static_cast<HMODULE>(handle), exported.c_str()));
#else
    dlerror();
    void* address = dlsym(handle, exported.c_str());
#endif
    if (address == nullptr) throw module_error(module_path + ": missing export " + exported);
    return address;
}

std::string plugin_module::resource_dir() const {
#if defined(_WIN32)
    return module_path;
#else
    std::string::size_type slash = module_path.rfind('/');
    std::string dir = slash == std::string::npos ? "." : module_path.substr(0, slash);
    if (dir.empty()) dir = "/";
    return dir + "/vexel.resources";
#endif
}

registration plugin_module::register_plugin(tessel_interface& root) {
    registration answers;
    answers.offers_window = has_interface(window_iid, nullptr);
    answers.uuid = get_uuid(nullptr, nullptr, nullptr);
    char const* name = get_name(nullptr, nullptr, root, nullptr);
    answers.name = name ? name : "";
    // The host's part of the record carries a pattern the module must leave alone.
    for (std::uint8_t& byte : answers.version.host_part) byte = 0xA5;
    get_info(answers.version, nullptr, nullptr);
    for (std::uint8_t byte : answers.version.host_part)
        if (byte != 0xA5)
            throw module_error(module_path + ": get_info wrote into the host's part of the record");
    answers.resident = is_resident(nullptr, nullptr, nullptr);
    return answers;
}

window_interface* plugin_module::create_window(tessel_interface& root) {
    if (!has_interface(window_iid, nullptr))
        throw module_error(module_path + ": refuses the window-plug-in interface");
    window_interface* window = nullptr;
    create_interface(nullptr, nullptr, &window, root, nullptr);
    if (window == nullptr) throw module_error(module_path + ": create_interface gave no window");
    return window;
}

}  // namespace host
