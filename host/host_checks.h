// What the reference host watches on every call the plug-in makes: fault injection (any
// host operation can be told to throw on its n-th call) and the reference audit (every
// counted object handed out is tracked until its last Release).
//
// Both stay on in every run, so they cost next to nothing when nothing is planned: a host
// call is one counter increment and one compare; a counted object carries its own audit
// entry, so AddRef and Release touch no table. Names are formatted only when a fault fires
// or a trace was asked for.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "host_operations.h"
#include "unknown_interface.h"

namespace host {

// What a host operation throws: the plug-in must catch it where its contract says.
struct host_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class fault_injector {
public:
    // The n-th call (1-based, counted from now) of operation name throws host_error. A
    // second plan for the same name replaces the first. Throws std::invalid_argument for a
    // name that is not a host operation (host_operations.h).
    void fail_operation(std::string const& name, long n);
    // The n-th host call of any operation (1-based, counted from now) throws host_error.
    void fail_any(long n);
    // Forgets pending faults and the trace, and restarts the call count. The trace stays
    // on or off as it was.
    void reset();
    // Records the operation names from now on (tests that check the order of host calls).
    void record_trace(bool on);
    // Called first by every host operation (operation: a string literal such as
    // "scene.get_state_flag"); throws when a fault is due.
    void enter(char const* operation) {
#ifndef NDEBUG
        // Debug builds (the sanitizer run of every test) stop at an operation missing from
        // the list that fault injection accepts.
        if (!is_host_operation(operation)) unlisted_operation(operation);
#endif
        ++total_calls;
        if (total_calls == fail_at_any || watching) slow_enter(operation);
    }
    // Host calls counted since the last reset.
    long calls() const { return total_calls; }
    // Whether a planned fault has fired since the last reset.
    bool fired() const { return has_fired; }
    // The operation names in call order since the last reset, while the trace is on.
    std::vector<std::string> const& trace() const { return call_trace; }

private:
    struct planned_fault {
        std::string operation;
        long remaining;  // calls of the operation until it fails, this one included
    };
    void slow_enter(char const* operation);
    [[noreturn]] static void unlisted_operation(char const* operation);
    void update_watching() { watching = tracing || !planned.empty(); }

    long total_calls = 0;
    long fail_at_any = 0;  // 0: no fault planned on the total count (the count starts at 1)
    bool watching = false;  // a named fault is planned or the trace is on
    bool tracing = false;
    bool has_fired = false;
    std::vector<planned_fault> planned;
    std::vector<std::string> call_trace;
};

class reference_audit;

// A counted object's place in the audit: linked into the audit's list for the object's
// whole life, marked held from its count's step 0 -> 1 to its step back to 0.
struct audit_entry {
    void const* object = nullptr;
    char const* kind = nullptr;
    bool held = false;
    audit_entry* prev = nullptr;
    audit_entry* next = nullptr;
};

class reference_audit {
public:
    // A counted object comes into being and leaves at its destruction; held in between
    // as its entry says.
    void enroll(audit_entry& entry, void const* object, char const* kind);
    void leave(audit_entry& entry);
    // Counted objects whose references are still held (acquired since the last reset and
    // not released since): one line each, "kind at address". An object destroyed while
    // held stays listed until the next reset.
    std::vector<std::string> outstanding() const;
    // Forgets what is held now: only objects acquired from now on are listed.
    void reset();

private:
    audit_entry* first = nullptr;
    std::vector<std::string> destroyed_while_held;
};

// The one host instance's checks.
extern fault_injector fault_instance;
extern reference_audit audit_instance;
inline fault_injector& faults() { return fault_instance; }
inline reference_audit& audit() { return audit_instance; }

// Enter a host operation: counts it and throws when a fault is due.
// Returns operation, for the messages of the call that entered.
inline char const* host_call(char const* operation) {
    fault_instance.enter(operation);
    return operation;
}

// A host object handed to the plug-in as counted: AddRef/Release tracked by the audit.
// The host keeps its own reference while the object exists in the scene; objects made
// for one hand-out (views, streams, dialogs) start with the caller's one reference.
template <class Interface>
class counted : public Interface {
public:
    explicit counted(char const* kind) { audit().enroll(entry, this, kind); }
    virtual ~counted() { audit().leave(entry); }
    counted(counted const&) = delete;
    counted& operator=(counted const&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(vx_iid_arg, void**) override {
        return VX_E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        if (count++ == 0) entry.held = true;
        return static_cast<ULONG>(count);
    }
    ULONG STDMETHODCALLTYPE Release() override {
        if (count <= 0) throw std::logic_error(std::string("Release of a dead ") + entry.kind);
        if (--count == 0) {
            entry.held = false;
            if (owned_by_caller) delete this;
            return 0;
        }
        return static_cast<ULONG>(count);
    }
    // Objects made for a single hand-out are deleted at their last Release.
    void delete_on_last_release() { owned_by_caller = true; }
    long references() const { return count; }

private:
    audit_entry entry;
    long count = 0;
    bool owned_by_caller = false;
};

}  // namespace host
