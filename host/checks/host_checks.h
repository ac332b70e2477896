// What the reference host watches on every call the plug-in makes: fault injection (any
// host operation can be told to throw on its n-th call) and the reference audit (every
// counted object handed out is tracked until its last Release).
//
// Both stay on in every run, so they cost next to nothing when nothing is planned: a host
// call is one counter increment and one compare; a counted object carries its own audit
// entry, so AddRef and Release touch no table. Names are formatted, and a call's values
// copied, only when a fault fires or a trace was asked for.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "checks/host_operations.h"
#include "math_values.h"
#include "unknown_interface.h"
#include "window_geometry.h"

class shape_class;

namespace host {

// A value a host call was given, as the call record keeps it: integers, floats (a point is
// three, a matrix sixteen), flags and texts. Pointers to host objects are left out.
using traced_value = std::variant<long long, float, bool, std::string>;

// One entry of the call record (fault_injector::record_calls): a host call, an AddRef or
// Release the plug-in made on a counted host object, a notification the host sent from
// inside a host call (fault_injector::before_call), or the flag a notification's callback
// answered the host (fault_injector::notification_answer).
struct traced_call {
    enum class kind_of { host_call, add_ref, release, notification, answer };
    char const* operation;     // host_call: e.g. "scene.begin_undo_record"; notification:
                               // the host call it came before; add_ref, release: null
    shape_class const* shape;  // the shape the call or counted object is about, null for
                               // none; an address only, the shape may be gone by the time
                               // it is read
    std::vector<traced_value> args;  // answer: the flag
    kind_of kind = kind_of::host_call;
    long number = 0;           // host_call: its number as fail_any counts it
    char const* what = nullptr;  // add_ref, release: the object's kind ("scene");
                                 // notification, answer: its name ("shapes_modified")
    long count = 0;            // add_ref, release: the references held after it
};

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
    // The next time host call operation is entered, hook runs first (before the call is
    // counted, so the host calls it makes come first), then the call goes on as usual.
    // One-shot; a second one replaces the first. what names the hook in the call record.
    // With ready, the hook runs only at a call of operation for which ready(shape) holds
    // (shape: the call's shape as the call record has it, null for none) and waits for the
    // next one otherwise. Throws std::invalid_argument for a name that is not a host operation.
    void before_call(std::string const& operation, char const* what, std::function<void()> hook,
                     std::function<bool(shape_class const*)> ready = {});
    // While on, host calls do not set the hook off: the front end's own calls (a dragged
    // frame) are not the plug-in's.
    void hold_hook(bool on) { hook_held = on; }
    // Forgets the hook if it has not run.
    void disarm_hook() {
        hook = nullptr;
        hook_ready = nullptr;
        update_watching();
    }
    // Forgets pending faults, the armed hook and the trace, and restarts the call count.
    // The trace stays on or off as it was.
    void reset();
    // Records the operation names from now on (tests that check the order of host calls).
    void record_trace(bool on);
    // Records every host call with its shape and values from now on, or stops (a script's
    // `trace on` and `trace off`). Independent of record_trace and kept through reset; the
    // record itself is emptied by reset and by take_calls.
    void record_calls(bool on);
    bool recording_calls() const { return recording; }
    // The calls recorded since the last take (or reset), handed over.
    std::vector<traced_call> take_calls();
    // Whether host calls take the slow path (a named fault is planned or a trace is on).
    bool watching_calls() const { return watching; }
    // Called first by every host operation (operation: a string literal such as
    // "scene.get_state_flag"); throws when a fault is due.
    void enter(char const* operation) {
        check_listed(operation);
        if (watching || total_calls + 1 == fail_at_any)
            slow_enter(operation, nullptr, nullptr);
        else
            ++total_calls;
    }
    // enter, on the slow path, for a call whose shape and values go into the call record.
    void enter_traced(char const* operation, shape_class const* shape,
                      std::vector<traced_value> args) {
        check_listed(operation);
        slow_enter(operation, shape, &args);
    }
    // An AddRef or Release on a counted object (not a host call: it is not counted and
    // cannot be made to throw); recorded while the call record is on.
    void reference_step(bool add, char const* kind, shape_class const* shape, long count) {
        if (recording && !handing_out)
            recorded.push_back({nullptr, shape, {},
                                add ? traced_call::kind_of::add_ref : traced_call::kind_of::release,
                                0, kind, count});
    }
    // The flag the window answered to notification name (a string literal); recorded while
    // the call record is on, since the host acts on it and a script cannot see it otherwise.
    void notification_answer(char const* name, bool flag) {
        if (recording) recorded.push_back({nullptr, nullptr, {flag}, traced_call::kind_of::answer, 0, name, 0});
    }
    // While on, AddRef is the host's own hand-out of a reference (hand_out below).
    void handing_out_reference(bool on) { handing_out = on; }
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
    void slow_enter(char const* operation, shape_class const* shape,
                    std::vector<traced_value>* args);
    static void check_listed([[maybe_unused]] char const* operation) {
#ifndef NDEBUG
        // Debug builds (the sanitizer run of every test) stop at an operation missing from
        // the list that fault injection accepts.
        if (!is_host_operation(operation)) unlisted_operation(operation);
#endif
    }
    [[noreturn]] static void unlisted_operation(char const* operation);
    void update_watching() { watching = tracing || recording || !planned.empty() || hook; }

    long total_calls = 0;
    long fail_at_any = 0;  // 0: no fault planned on the total count (the count starts at 1)
    bool watching = false;  // a named fault is planned or a trace or call record is on
    bool tracing = false;
    bool recording = false;
    bool has_fired = false;
    bool handing_out = false;
    bool hook_held = false;
    std::vector<planned_fault> planned;
    std::vector<std::string> call_trace;
    std::vector<traced_call> recorded;
    std::string hook_operation;
    char const* hook_name = nullptr;
    std::function<void()> hook;
    std::function<bool(shape_class const*)> hook_ready;
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
    // A Release of an object of which no reference was held.
    void released_unheld(audit_entry const& entry);
    // Such Releases since the last reset, "kind at address" each, in order.
    std::vector<std::string> const& over_released() const { return released_twice; }
    // Forgets what is held now and the Releases too many: only objects acquired from now
    // on are listed.
    void reset();

private:
    audit_entry* first = nullptr;
    std::vector<std::string> destroyed_while_held;
    std::vector<std::string> released_twice;
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

// The values of a call as the call record keeps them.
inline void add_traced(std::vector<traced_value>& into, int v) {
    into.emplace_back(static_cast<long long>(v));
}
inline void add_traced(std::vector<traced_value>& into, bool v) { into.emplace_back(v); }
inline void add_traced(std::vector<traced_value>& into, float v) { into.emplace_back(v); }
inline void add_traced(std::vector<traced_value>& into, char const* v) {
    into.emplace_back(std::string(v ? v : ""));
}
inline void add_traced(std::vector<traced_value>& into, vec3 const& v) {
    into.insert(into.end(), {v.x, v.y, v.z});
}
inline void add_traced(std::vector<traced_value>& into, mat4 const& m) {
    for (auto const& row : m.m)
        for (float v : row) into.emplace_back(v);
}
inline void add_traced(std::vector<traced_value>& into, tq::point_class const& p) {
    add_traced(into, p.x);
    add_traced(into, p.y);
}
inline void add_traced(std::vector<traced_value>& into, tq::rectangle_class const& r) {
    for (int v : {r.left, r.top, r.right, r.bottom}) add_traced(into, v);
}

// host_call for an operation on a shape (null: none) or with values worth recording. Its
// values are copied only while calls are watched, so the common path costs what the plain
// host_call does plus one test.
template <class... Values>
inline char const* host_call(char const* operation, shape_class const* shape,
                             Values const&... values) {
    if (!fault_instance.watching_calls()) {
        fault_instance.enter(operation);
        return operation;
    }
    std::vector<traced_value> args;
    (add_traced(args, values), ...);
    fault_instance.enter_traced(operation, shape, std::move(args));
    return operation;
}

// The reference a host operation hands to its caller (the plug-in): an AddRef that is the
// host's, not the plug-in's, so the call record leaves it out. Returns object.
template <class Object>
Object* hand_out(Object* object) {
    if (!object) return object;
    fault_instance.handing_out_reference(true);
    object->AddRef();
    fault_instance.handing_out_reference(false);
    return object;
}

// A host object handed to the plug-in as counted: AddRef/Release tracked by the audit.
// The host keeps its own reference while the object exists in the scene; objects made
// for one hand-out (views, streams, dialogs) start with the caller's one reference.
// The host gives out a reference with hand_out (below), which the call record does not
// show: it shows the call that handed it out, and the plug-in's own AddRef and Release.
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
        faults().reference_step(true, entry.kind, counted_shape(), count);
        return static_cast<ULONG>(count);
    }
    ULONG STDMETHODCALLTYPE Release() override {
        faults().reference_step(false, entry.kind, counted_shape(), count > 0 ? count - 1 : 0);
        if (count <= 0) {
            // Caught by the audit even when the plug-in swallows the exception.
            audit().released_unheld(entry);
            throw std::logic_error(std::string("Release of a dead ") + entry.kind);
        }
        if (--count == 0) {
            entry.held = false;
            if (owned_by_caller) delete this;
            return 0;
        }
        return static_cast<ULONG>(count);
    }
    // Objects made for a single hand-out are deleted at their last Release.
    void delete_on_last_release() { owned_by_caller = true; }
    // The shape the object is about (a joint view's joint), null for none.
    virtual shape_class const* counted_shape() const { return nullptr; }
    long references() const { return count; }

private:
    audit_entry entry;
    long count = 0;
    bool owned_by_caller = false;
};

}  // namespace host
