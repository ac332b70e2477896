// A plug-in module loaded the way a host loads it: dlopen (LoadLibrary on Windows), the six
// exported entry points, the registration protocol, window creation and unloading.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "interface_id.h"
#include "tessel_interface.h"
#include "uuid_class.h"

class window_interface;

// The entry points' calling convention: stdcall on 32-bit Windows, the platform's own
// elsewhere (where __stdcall is the default or means nothing).
#if defined(_WIN32)
#define HOST_ENTRY_CALL __stdcall
#else
#define HOST_ENTRY_CALL
#endif

namespace host {

// A module that cannot be used: "module.so: missing export get_info".
struct module_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The version record the host hands to get_info. The first 8 bytes are the host's own.
struct version_record {
    std::uint8_t host_part[8];
    std::int32_t major, minor, micro, build;
};
static_assert(sizeof(version_record) == 24, "version numbers at offsets 8, 12, 16, 20");

// What the registration protocol learnt about the module.
struct registration {
    bool offers_window = false;  // has_interface(window-plug-in IID)
    tq::uuid_class uuid;
    std::string name;            // get_name, a copy of the host's text
    version_record version{};
    bool resident = false;
};

class plugin_module {
public:
    // Loads the module and looks up all six entry points. Throws module_error for a missing
    // file, a file that is not a loadable module and a missing export.
    explicit plugin_module(std::string const& path);
    // Unloads the module; every window it created must have been released before.
    ~plugin_module();
    plugin_module(plugin_module const&) = delete;
    plugin_module& operator=(plugin_module const&) = delete;

    std::string const& path() const { return module_path; }
    // Where the module's resources are: <module dir>/vexel.resources on Linux, the module
    // file itself on Windows (its "TQUL" resources).
    std::string resource_dir() const;

    // has_interface, get_uuid, get_name (answered through root), get_info, is_resident.
    registration register_plugin(tessel_interface& root);

    // has_interface for iid.
    bool offers(plugin_iid const& iid) { return has_interface(iid, nullptr); }

    // create_interface on root: the new window with one reference, which the caller owns and
    // ends with Release. Throws module_error when the module refuses the window-plug-in
    // interface or hands back nothing; the window's own construction failure passes on.
    window_interface* create_window(tessel_interface& root);

private:
    typedef bool(HOST_ENTRY_CALL* has_interface_fn)(plugin_iid const&, void*);
    typedef char const*(HOST_ENTRY_CALL* get_name_fn)(void*, void*, tessel_interface&, void*);
    typedef tq::uuid_class(HOST_ENTRY_CALL* get_uuid_fn)(void*, void*, void*);
    typedef bool(HOST_ENTRY_CALL* is_resident_fn)(void*, void*, void*);
    typedef void(HOST_ENTRY_CALL* get_info_fn)(version_record&, void*, void*);
    typedef void(HOST_ENTRY_CALL* create_interface_fn)(void*, void*, window_interface**,
                                                       tessel_interface&, void*);

    // The entry point's address; name is its plain name, bytes what its stdcall arguments
    // take (32-bit Windows exports it as _name@bytes).
    void* symbol(char const* name, int bytes);
    void close();

    std::string module_path;
    void* handle = nullptr;
    has_interface_fn has_interface = nullptr;
    get_name_fn get_name = nullptr;
    get_uuid_fn get_uuid = nullptr;
    is_resident_fn is_resident = nullptr;
    get_info_fn get_info = nullptr;
    create_interface_fn create_interface = nullptr;
};

}  // namespace host
