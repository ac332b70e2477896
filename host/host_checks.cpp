#include "host_checks.h"

#include <cstdio>

namespace host {

void fault_injector::fail_operation(std::string const& name, long n) {
    fail_at[name] = counts[name] + n;
}

void fault_injector::fail_any(long n) { fail_at_any = total_calls + n; }

void fault_injector::reset() {
    total_calls = 0;
    fail_at_any = 0;
    has_fired = false;
    counts.clear();
    fail_at.clear();
    call_trace.clear();
}

void fault_injector::enter(char const* operation) {
    ++total_calls;
    long n = ++counts[operation];
    call_trace.emplace_back(operation);
    bool due = total_calls == fail_at_any;
    auto planned = fail_at.find(operation);
    if (planned != fail_at.end() && planned->second == n) {
        fail_at.erase(planned);
        due = true;
    }
    if (due) {
        has_fired = true;
        throw host_error(std::string("injected fault in ") + operation);
    }
}

void reference_audit::acquired(void const* object, char const* kind) { live[object] = kind; }

void reference_audit::released(void const* object) { live.erase(object); }

std::vector<std::string> reference_audit::outstanding() const {
    std::vector<std::string> lines;
    for (auto const& [object, kind] : live) {
        char address[32];
        std::snprintf(address, sizeof address, "%p", object);
        lines.push_back(kind + " at " + address);
    }
    return lines;
}

fault_injector& faults() {
    static fault_injector instance;
    return instance;
}

reference_audit& audit() {
    static reference_audit instance;
    return instance;
}

}  // namespace host
