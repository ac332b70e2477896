// The reference-counted base of every object that crosses to the host.
#pragma once

#include <stdint.h>

// IUnknown: the COM pattern. The platform's own declaration is used where its SDK is present
// (Windows; Core Foundation's plug-in conventions on Mac OS X, which the Cocoa text field's
// source sees as well, so every source must agree on it); elsewhere (this Linux stand-in,
// and the freestanding layout checks of the other ABIs) an equivalent abstract class with
// the same three slots.
#if defined(_WIN32) && __has_include(<unknwn.h>)
#include <unknwn.h>
typedef REFIID vx_iid_arg;
#define VX_E_NOINTERFACE ((HRESULT)0x80004002L)
#elif defined(__APPLE__) && __has_include(<CoreFoundation/CFPlugInCOM.h>)
#include <CoreFoundation/CFPlugInCOM.h>
typedef REFIID vx_iid_arg;  // CFUUIDBytes, by value
#define VX_E_NOINTERFACE ((HRESULT)0x80000004)
#elif defined(_WIN32)
typedef long HRESULT;
typedef unsigned long ULONG;
struct GUID {
    uint32_t Data1;
    uint16_t Data2, Data3;
    uint8_t Data4[8];
};
typedef GUID const& vx_iid_arg;
#define VX_E_NOINTERFACE ((HRESULT)0x80004002L)
#define STDMETHODCALLTYPE __stdcall
struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(vx_iid_arg iid, void** out) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;
};
#else
typedef int32_t HRESULT;
typedef uint32_t ULONG;
// Core Foundation's CFUUIDBytes: the 16 identifier bytes, passed by value.
struct vx_uuid_bytes {
    uint8_t byte[16];
};
typedef vx_uuid_bytes vx_iid_arg;
#define VX_E_NOINTERFACE ((HRESULT)0x80000004)
#define STDMETHODCALLTYPE
struct IUnknown {
    virtual HRESULT QueryInterface(vx_iid_arg iid, void** out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};
#endif

// The plug-in's concrete base. Slots after IUnknown's three: the virtual destructor (two
// entries on the Itanium ABI, one on Microsoft's), then is_implemented. Every interface
// class keeps these in front of its own block; no class overrides them.
class unknown_interface : IUnknown {
public:
    // A new object holds no reference: whoever hands it to the host calls AddRef first.
    unknown_interface() : reference_count(0) {}

    // Always E_NOINTERFACE; nothing is written through out.
    HRESULT STDMETHODCALLTYPE QueryInterface(vx_iid_arg iid, void** out) override;
    // Adds one reference; returns the new count.
    ULONG STDMETHODCALLTYPE AddRef() override;
    // Drops one reference; at 0 deletes the object (created with new) and returns 0.
    ULONG STDMETHODCALLTYPE Release() override;

    virtual ~unknown_interface() {}
    virtual bool is_implemented() { return true; }

private:
    int32_t reference_count;  // not atomic: the host calls on its UI thread only
};
