#include "entry_points.h"

#include "module_state.h"
#include "vexel_window.h"

bool VX_CALL has_interface(plugin_iid const& iid, void*) { return iid_equal(iid, window_iid); }

char const* VX_CALL get_name(void*, void*, tessel_interface& host, void*) {
    return host.gettext("product_name");
}

tq::uuid_class VX_CALL get_uuid(void*, void*, void*) { return vexel_UUID; }

bool VX_CALL is_resident(void*, void*, void*) { return true; }

void VX_CALL get_info(plugin_version_record& record, void*, void*) {
    record.major = vexel_major_version;
    record.minor = vexel_minor_version;
    record.micro = vexel_micro_version;
    record.build = vexel_build_number;
}

void VX_CALL create_interface(void*, void*, window_interface** out, tessel_interface& host,
                              void*) {
    vexel_window* window = new vexel_window(host);
    window->AddRef();
    *out = window;
}
