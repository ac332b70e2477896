// What the reference host watches on every call the plug-in makes: fault injection (any
// host operation can be told to throw on its n-th call) and the reference audit (every
// counted object handed out is tracked until its last Release).
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "unknown_interface.h"

namespace host {

// What a host operation throws: the plug-in must catch it where its contract says.
struct host_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class fault_injector {
public:
    // The n-th call (1-based, counted from now) of operation name throws host_error.
    void fail_operation(std::string const& name, long n);
    // The n-th host call of any operation (1-based, counted from now) throws host_error.
    void fail_any(long n);
    // Forgets pending faults and restarts the call counts.
    void reset();
    // Called first by every host operation; throws when a fault is due.
    void enter(char const* operation);
    // Host calls counted since the last reset.
    long calls() const { return total_calls; }
    // Whether a planned fault has fired since the last reset.
    bool fired() const { return has_fired; }
    // The operation names in call order since the last reset (for sweeps and reports).
    std::vector<std::string> const& trace() const { return call_trace; }

private:
    long total_calls = 0;
    long fail_at_any = 0;
    bool has_fired = false;
    std::map<std::string, long> counts;
    std::map<std::string, long> fail_at;
    std::vector<std::string> call_trace;
};

class reference_audit {
public:
    void acquired(void const* object, char const* kind);  // count went from 0 to 1
    void released(void const* object);                    // count went back to 0
    // Counted objects whose references are still held: one line each, "kind at address".
    std::vector<std::string> outstanding() const;
    void reset() { live.clear(); }

private:
    std::map<void const*, std::string> live;
};

// The one host instance's checks.
fault_injector& faults();
reference_audit& audit();

// Enter a host operation: counts it and throws when a fault is due.
inline void host_call(char const* operation) { faults().enter(operation); }

// A host object handed to the plug-in as counted: AddRef/Release tracked by the audit.
// The host keeps its own reference while the object exists in the scene; objects made
// for one hand-out (views, streams, dialogs) start with the caller's one reference.
template <class Interface>
class counted : public Interface {
public:
    explicit counted(char const* kind) : kind_name(kind) {}
    virtual ~counted() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(vx_iid_arg, void**) override {
        return VX_E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        if (count++ == 0) audit().acquired(this, kind_name);
        return static_cast<ULONG>(count);
    }
    ULONG STDMETHODCALLTYPE Release() override {
        if (count <= 0) throw std::logic_error(std::string("Release of a dead ") + kind_name);
        if (--count == 0) {
            audit().released(this);
            if (owned_by_caller) delete this;
            return 0;
        }
        return static_cast<ULONG>(count);
    }
    // Objects made for a single hand-out are deleted at their last Release.
    void delete_on_last_release() { owned_by_caller = true; }
    long references() const { return count; }

private:
    char const* kind_name;
    long count = 0;
    bool owned_by_caller = false;
};

}  // namespace host
