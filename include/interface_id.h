// Interface identifiers (IIDs) as the host passes them to has_interface. The layout is
// part of the binary contract and differs per platform; both layouts are compiled on
// every platform so that each can be checked anywhere.
#pragma once

#include <stddef.h>
#include <stdint.h>

// The 16-byte COM GUID of the Windows builds.
struct com_iid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};
static_assert(sizeof(com_iid) == 16, "COM GUID layout");

// The 32-byte record of the Mac OS X build: the same four parts with wider fields.
struct mac_iid {
    uint64_t data1;  // the 32-bit value in the low half, high half 0
    uint16_t data2;
    uint16_t data3;
    uint16_t data4[8];  // each entry holds one byte value 0-255
    uint32_t padding;   // not compared
};
static_assert(sizeof(mac_iid) == 32, "Mac OS X IID layout");
static_assert(offsetof(mac_iid, data4) == 12 && offsetof(mac_iid, padding) == 28,
              "Mac OS X IID field offsets");

// Equality: byte equality of the 16 bytes (COM) or of the first 28 bytes (Mac OS X).
bool iid_equal(com_iid const& a, com_iid const& b);
bool iid_equal(mac_iid const& a, mac_iid const& b);

// The window-plug-in interface {50E47D74-8922-11D1-9A00-00C04FCC9C26} in both layouts.
extern com_iid const window_com_iid;
extern mac_iid const window_mac_iid;

// The layout this build's host passes.
#if defined(_WIN32)
typedef com_iid plugin_iid;
#else
typedef mac_iid plugin_iid;
#endif
extern plugin_iid const window_iid;
