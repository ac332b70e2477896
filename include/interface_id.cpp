#include "interface_id.h"

#include <cstring>

bool iid_equal(com_iid const& a, com_iid const& b) { return std::memcmp(&a, &b, 16) == 0; }

bool iid_equal(mac_iid const& a, mac_iid const& b) { return std::memcmp(&a, &b, 28) == 0; }

com_iid const window_com_iid = {0x50E47D74, 0x8922, 0x11D1,
                                {0x9A, 0x00, 0x00, 0xC0, 0x4F, 0xCC, 0x9C, 0x26}};

mac_iid const window_mac_iid = {0x50E47D74, 0x8922, 0x11D1,
                                {0x9A, 0x00, 0x00, 0xC0, 0x4F, 0xCC, 0x9C, 0x26}, 0};

#if defined(_WIN32)
plugin_iid const window_iid = window_com_iid;
#else
plugin_iid const window_iid = window_mac_iid;
#endif
