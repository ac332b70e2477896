#include "checks/host_checks.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace host {

fault_injector fault_instance;
reference_audit audit_instance;

void fault_injector::fail_operation(std::string const& name, long n) {
    if (!is_host_operation(name))
        throw std::invalid_argument("fault injection: \"" + name + "\" is not a host operation");
    for (planned_fault& p : planned)
        if (p.operation == name) {
            p.remaining = n;
            return;
        }
    planned.push_back({name, n});
    update_watching();
}

void fault_injector::fail_any(long n) { fail_at_any = total_calls + n; }

void fault_injector::before_call(std::string const& operation, char const* what,
                                 std::function<void()> run,
                                 std::function<bool(shape_class const*)> ready) {
    if (!is_host_operation(operation))
        throw std::invalid_argument("\"" + operation + "\" is not a host operation");
    hook_operation = operation;
    hook_name = what;
    hook = std::move(run);
    hook_ready = std::move(ready);
    update_watching();
}

void fault_injector::reset() {
    total_calls = 0;
    hook = nullptr;
    hook_ready = nullptr;
    fail_at_any = 0;
    has_fired = false;
    planned.clear();
    call_trace.clear();
    recorded.clear();
    update_watching();
}

void fault_injector::record_trace(bool on) {
    tracing = on;
    update_watching();
}

void fault_injector::record_calls(bool on) {
    recording = on;
    update_watching();
}

std::vector<traced_call> fault_injector::take_calls() {
    std::vector<traced_call> taken;
    taken.swap(recorded);
    return taken;
}

void fault_injector::unlisted_operation(char const* operation) {
    std::fprintf(stderr, "host operation \"%s\" is missing from host_operations.cpp\n", operation);
    std::abort();
}

void fault_injector::slow_enter(char const* operation, shape_class const* shape,
                                std::vector<traced_value>* args) {
    if (hook && !hook_held && hook_operation == operation && (!hook_ready || hook_ready(shape))) {
        std::function<void()> run = std::move(hook);
        hook = nullptr;
        hook_ready = nullptr;
        update_watching();
        if (recording)
            recorded.push_back({operation, nullptr, {}, traced_call::kind_of::notification, 0,
                                hook_name, 0});
        run();
    }
    ++total_calls;
    if (tracing) call_trace.emplace_back(operation);
    // Before the fault fires: a call that throws was still made.
    if (recording)
        recorded.push_back({operation, shape,
                            args ? std::move(*args) : std::vector<traced_value>{},
                            traced_call::kind_of::host_call, total_calls});
    bool due = total_calls == fail_at_any;
    for (auto p = planned.begin(); p != planned.end(); ++p) {
        if (p->operation != operation || --p->remaining > 0) continue;
        planned.erase(p);
        update_watching();
        due = true;
        break;
    }
    if (due) {
        has_fired = true;
        throw host_error(std::string("injected fault in ") + operation);
    }
}

void reference_audit::enroll(audit_entry& entry, void const* object, char const* kind) {
    entry.object = object;
    entry.kind = kind;
    entry.held = false;
    entry.prev = nullptr;
    entry.next = first;
    if (first) first->prev = &entry;
    first = &entry;
}

namespace {
std::string line_of(audit_entry const& entry) {
    char address[32];
    std::snprintf(address, sizeof address, "%p", entry.object);
    return std::string(entry.kind) + " at " + address;
}
}  // namespace

void reference_audit::leave(audit_entry& entry) {
    if (entry.held) destroyed_while_held.push_back(line_of(entry));
    (entry.prev ? entry.prev->next : first) = entry.next;
    if (entry.next) entry.next->prev = entry.prev;
    entry.prev = entry.next = nullptr;
}

std::vector<std::string> reference_audit::outstanding() const {
    std::vector<std::string> lines = destroyed_while_held;
    for (audit_entry const* e = first; e; e = e->next)
        if (e->held) lines.push_back(line_of(*e));
    return lines;
}

void reference_audit::released_unheld(audit_entry const& entry) {
    released_twice.push_back(line_of(entry));
}

void reference_audit::reset() {
    destroyed_while_held.clear();
    released_twice.clear();
    for (audit_entry* e = first; e; e = e->next) e->held = false;
}

}  // namespace host
