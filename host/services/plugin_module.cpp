#include "services/plugin_module.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace host {

plugin_module::plugin_module(std::string const& path) : module_path(path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) throw module_error(path + ": no such file");
    if (!S_ISREG(info.st_mode)) throw module_error(path + ": not a regular file");
    // RTLD_LOCAL: the module's symbols never satisfy anyone else's, as with a real host.
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        char const* why = dlerror();
        throw module_error(path + ": cannot load module: " + (why ? why : "unknown reason"));
    }
    try {
        has_interface = reinterpret_cast<has_interface_fn>(symbol("has_interface"));
        get_name = reinterpret_cast<get_name_fn>(symbol("get_name"));
        get_uuid = reinterpret_cast<get_uuid_fn>(symbol("get_uuid"));
        is_resident = reinterpret_cast<is_resident_fn>(symbol("is_resident"));
        get_info = reinterpret_cast<get_info_fn>(symbol("get_info"));
        create_interface = reinterpret_cast<create_interface_fn>(symbol("create_interface"));
    } catch (...) {
        dlclose(handle);
        throw;
    }
}

plugin_module::~plugin_module() { dlclose(handle); }

void* plugin_module::symbol(char const* name) {
    dlerror();
    void* address = dlsym(handle, name);
    if (address == nullptr) throw module_error(module_path + ": missing export " + name);
    return address;
}

std::string plugin_module::resource_dir() const {
    std::string::size_type slash = module_path.rfind('/');
    std::string dir = slash == std::string::npos ? "." : module_path.substr(0, slash);
    if (dir.empty()) dir = "/";
    return dir + "/vexel.resources";
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
