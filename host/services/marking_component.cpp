#include "services/marking_component.h"

#include "checks/host_checks.h"

namespace host {

namespace {
constexpr std::int32_t mark_operation = 3;
}

void marking_component::handle_mark_request(shape_class& shape, mark_elements const* record,
                                            void*) {
    host_call("marking.handle_mark_request", &shape);
    if (!record) throw host_error("handle_mark_request: null record");
    mark_request request{&shape, record->operation, record->target, record->count, {},
                         record->flag};
    // Only a mark carries indices; a clear's pointer may be stale and is never read.
    if (record->operation == mark_operation) {
        if (record->count < 0 || (record->count > 0 && !record->indices))
            throw host_error("handle_mark_request: bad index array");
        request.indices.assign(record->indices, record->indices + record->count);
    }
    received.push_back(std::move(request));
}

}  // namespace host
