// The six functions the host looks up in the module. Undecorated C names, except on
// 32-bit Windows, where they are stdcall and carry its decoration (_has_interface@8 ...).
#pragma once

#include <cstdint>

#include "interface_id.h"
#include "tessel_interface.h"
#include "uuid_class.h"

class window_interface;

#if defined(_WIN32) && defined(_MSC_VER)
#define VX_EXPORT __declspec(dllexport)
#define VX_CALL __stdcall
#elif defined(_WIN32)
// MinGW: entry/vexel64.def and entry/vexel32.def name the exports; a dllexport here would
// add GCC's own 32-bit names (has_interface@8, get_uuid@12) beside the host's.
#define VX_EXPORT
#define VX_CALL __stdcall
#else
#define VX_EXPORT __attribute__((visibility("default")))
#define VX_CALL
#endif

// The host's version record; the plug-in writes the four numbers and nothing else.
struct plugin_version_record {
    std::uint8_t host_part[8];  // the host's; not touched
    std::int32_t major, minor, micro, build;
};
static_assert(sizeof(plugin_version_record) == 24, "version record: numbers at 8, 12, 16, 20");

extern "C" {
// True only for the window-plug-in interface.
VX_EXPORT bool VX_CALL has_interface(plugin_iid const& iid, void* unused);
// The display name: gettext("product_name") of host. Borrowed from the host.
VX_EXPORT char const* VX_CALL get_name(void* unused1, void* unused2, tessel_interface& host,
                                       void* unused3);
// The plug-in's identifier, vexel_UUID. The host expects the record returned by value from
// an unmangled function, so clang's warning about a C++ type in C linkage does not apply.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wreturn-type-c-linkage"
#endif
VX_EXPORT tq::uuid_class VX_CALL get_uuid(void* unused1, void* unused2, void* unused3);
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
// The plug-in stays loaded.
VX_EXPORT bool VX_CALL is_resident(void* unused1, void* unused2, void* unused3);
// Writes 10, 0, 0, 12 at offsets 8, 12, 16, 20 of the host's record.
VX_EXPORT void VX_CALL get_info(plugin_version_record& record, void* unused1, void* unused2);
// Creates one vexel window on host with one reference, owned by the host. Lets the
// window's construction failure pass to the host.
VX_EXPORT void VX_CALL create_interface(void* unused1, void* unused2, window_interface** out,
                                        tessel_interface& host, void* unused3);
}
