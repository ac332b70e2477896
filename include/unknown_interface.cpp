#include "unknown_interface.h"

HRESULT STDMETHODCALLTYPE unknown_interface::QueryInterface(vx_iid_arg, void**) {
    return VX_E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE unknown_interface::AddRef() { return ++reference_count; }

ULONG STDMETHODCALLTYPE unknown_interface::Release() {
    if (--reference_count == 0) {
        delete this;
        return 0;
    }
    return reference_count;
}
