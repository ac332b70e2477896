// The host's element-preference component: records every marking request the plug-in
// sends, so tests and the runner can see what would have been marked.
#pragma once

#include <cstdint>
#include <vector>

#include "mark_elements.h"

namespace host {

// One request as received. The indices are copied during the call: the plug-in's pointer
// is valid only then.
struct mark_request {
    shape_class* shape;
    std::int32_t operation;  // 3 = mark, 0 = clear
    std::int32_t target;
    std::int32_t count;
    std::vector<std::int32_t> indices;  // empty for a clear, whose indices carry no meaning
    bool flag;
};

class marking_component final : public marking_interface {
public:
    // Enters the fault injector as "marking.handle_mark_request". A null record, or a
    // mark whose count is negative or whose indices are null while count is positive,
    // throws host_error and records nothing.
    void handle_mark_request(shape_class& shape, mark_elements const* record,
                             void* reserved = nullptr) override;

    std::vector<mark_request> const& requests() const { return received; }
    void clear_requests() { received.clear(); }

private:
    std::vector<mark_request> received;
};

}  // namespace host
