#include "session/interface_query.h"

#include <cstdint>
#include <cstring>
#include <exception>

#include "services/host_app.h"
#include "services/plugin_module.h"
#include "windowinterface"

namespace host {

namespace {

plugin_iid as_passed(com_iid const& iid) {
#if defined(_WIN32)
    return iid;
#else
    mac_iid wide{};
    wide.data1 = iid.data1;
    wide.data2 = iid.data2;
    wide.data3 = iid.data3;
    for (int i = 0; i < 8; ++i) wide.data4[i] = iid.data4[i];
    return wide;
#endif
}

HRESULT query(window_interface& window, com_iid const& iid, void** out) {
#if defined(_WIN32)
    GUID guid;
    guid.Data1 = iid.data1;
    guid.Data2 = iid.data2;
    guid.Data3 = iid.data3;
    std::memcpy(guid.Data4, iid.data4, sizeof guid.Data4);
    return window.QueryInterface(guid, out);
#else
    // The 16 bytes as Core Foundation holds them: the fields' bytes, most significant first.
    vx_uuid_bytes bytes;
    std::uint32_t const fields[3] = {iid.data1, iid.data2, iid.data3};
    int const widths[3] = {4, 2, 2};
    int at = 0;
    for (int f = 0; f < 3; ++f)
        for (int b = widths[f] - 1; b >= 0; --b)
            bytes.byte[at++] = static_cast<std::uint8_t>(fields[f] >> (8 * b));
    std::memcpy(bytes.byte + at, iid.data4, sizeof iid.data4);
    return window.QueryInterface(bytes, out);
#endif
}

}  // namespace

interface_answers ask_interfaces(std::string const& module_path, std::string const& lang,
                                 std::vector<com_iid> const& iids) {
    interface_answers result;
    {
        plugin_module module(module_path);
        for (com_iid const& iid : iids) result.answers.push_back({iid, module.offers(as_passed(iid))});
    }
    host_app app("", lang);
    try {
        app.load(module_path);
    } catch (std::exception const& e) {
        result.window_problem = e.what();
        return result;
    }
    for (interface_answer& a : result.answers) {
        void* out = nullptr;
        a.window_status = query(*app.window(), a.iid, &out);
        // Whoever is handed an interface owns that reference.
        if (a.window_status >= 0 && out) static_cast<IUnknown*>(out)->Release();
    }
    return result;
}

}  // namespace host
