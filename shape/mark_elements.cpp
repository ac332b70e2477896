// The marking request record: filled by the plug-in, applied by the host's marking
// component.
#include "mark_elements.h"

namespace {

// false when the component took the request; true without a component or when it threw.
bool send(mark_elements const& record, shape_class& shape) {
    if (record.service == nullptr) return true;
    try {
        record.service->handle_mark_request(shape, &record);
        return false;
    } catch (...) {
        return true;
    }
}

}  // namespace

bool mark_elements::mark(shape_class& shape, TARGET target, int count, int const* indices,
                         bool flag) {
    operation = 3;
    this->target = target;
    this->count = count;
    this->indices = indices;
    this->flag = flag;
    return send(*this, shape);
}

bool mark_elements::clear(shape_class& shape, TARGET target) {
    // count, indices and flag keep the last mark's values; a clear does not read them.
    operation = 0;
    this->target = target;
    return send(*this, shape);
}
