// Reserved slots: placeholders that keep each interface block at its fixed size. The host
// never calls one; a call is a programming error and stops at once in every build type
// (an assert that NDEBUG removes would let the call return garbage).
#pragma once

#if defined(_WIN32)
// Windows: a char* exception naming the interface; all slots of one interface share it.
#define VX_RESERVED_SLOT(iface, n) \
    virtual void iface##_dummy##n(void*) { throw const_cast<char*>("invalid interface " #iface); }
#else
// Mac OS X and this Linux stand-in: an assertion failure naming the slot as the function.
[[noreturn]] void vx_reserved_slot_called(char const* file, int line, char const* slot);
#define VX_RESERVED_SLOT(iface, n) \
    virtual void iface##_dummy##n(void*) { vx_reserved_slot_called(__FILE__, __LINE__, #iface "_dummy" #n); }
#endif

#define VX_RESERVED_10(iface, tens)                                                          \
    VX_RESERVED_SLOT(iface, tens##0) VX_RESERVED_SLOT(iface, tens##1)                        \
    VX_RESERVED_SLOT(iface, tens##2) VX_RESERVED_SLOT(iface, tens##3)                        \
    VX_RESERVED_SLOT(iface, tens##4) VX_RESERVED_SLOT(iface, tens##5)                        \
    VX_RESERVED_SLOT(iface, tens##6) VX_RESERVED_SLOT(iface, tens##7)                        \
    VX_RESERVED_SLOT(iface, tens##8) VX_RESERVED_SLOT(iface, tens##9)

#define VX_RESERVED_100_199(iface)                                                           \
    VX_RESERVED_10(iface, 10) VX_RESERVED_10(iface, 11) VX_RESERVED_10(iface, 12)            \
    VX_RESERVED_10(iface, 13) VX_RESERVED_10(iface, 14) VX_RESERVED_10(iface, 15)            \
    VX_RESERVED_10(iface, 16) VX_RESERVED_10(iface, 17) VX_RESERVED_10(iface, 18)            \
    VX_RESERVED_10(iface, 19)

// plugin_interface: 80 slots.
#define VX_RESERVED_SLOTS_120_199(iface)                                                     \
    VX_RESERVED_10(iface, 12) VX_RESERVED_10(iface, 13) VX_RESERVED_10(iface, 14)            \
    VX_RESERVED_10(iface, 15) VX_RESERVED_10(iface, 16) VX_RESERVED_10(iface, 17)            \
    VX_RESERVED_10(iface, 18) VX_RESERVED_10(iface, 19)

// handler_interface: 194 slots.
#define VX_RESERVED_SLOTS_6_199(iface)                                                       \
    VX_RESERVED_SLOT(iface, 6) VX_RESERVED_SLOT(iface, 7) VX_RESERVED_SLOT(iface, 8)         \
    VX_RESERVED_SLOT(iface, 9) VX_RESERVED_10(iface, 1) VX_RESERVED_10(iface, 2)             \
    VX_RESERVED_10(iface, 3) VX_RESERVED_10(iface, 4) VX_RESERVED_10(iface, 5)               \
    VX_RESERVED_10(iface, 6) VX_RESERVED_10(iface, 7) VX_RESERVED_10(iface, 8)               \
    VX_RESERVED_10(iface, 9) VX_RESERVED_100_199(iface)

// window_interface: 111 slots, 89 to 199 (no slot bears the number 88).
#define VX_RESERVED_SLOTS_89_199(iface)                                                      \
    VX_RESERVED_SLOT(iface, 89) VX_RESERVED_10(iface, 9) VX_RESERVED_100_199(iface)
