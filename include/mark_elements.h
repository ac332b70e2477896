// The request record the plug-in hands to the host's marking component, which marks
// elements of a shape in the host's views. The host reads it field by field, so its
// layout is part of the binary contract.
#pragma once

#include <stddef.h>
#include <stdint.h>

class shape_class;
struct mark_elements;

// The host's element-preference component (elements_preference_uuid).
class marking_interface {
public:
    // Applies the request to shape; reads record->indices during this call only. May throw.
    virtual void handle_mark_request(shape_class& shape, mark_elements const* record,
                                     void* reserved = nullptr) = 0;

protected:
    ~marking_interface() = default;
};

struct mark_elements {
    enum TARGET : int32_t { points = 1 };  // points addressed by point index

    marking_interface* service;  // null when the host has no marking component
    int32_t operation;      // 3 = mark, 0 = clear
    TARGET target;
    bool flag;                   // passed through; the window gives false
    int32_t count;          // entries at indices
    int32_t const* indices; // valid only during the call that sent it

    // Fills the record and sends it. Returns true on failure: false when the component
    // took it, true when there is no component or it threw.
    bool mark(shape_class& shape, TARGET target, int count, int const* indices, bool flag);
    // Sends a clear; count, indices and flag keep the last mark's values. Like mark, true
    // means it failed (no component, or it threw).
    bool clear(shape_class& shape, TARGET target);
};

static_assert(sizeof(mark_elements::TARGET) == 4, "TARGET is a 32-bit enumeration");
static_assert(offsetof(mark_elements, operation) == sizeof(void*) &&
                  offsetof(mark_elements, target) == sizeof(void*) + 4 &&
                  offsetof(mark_elements, flag) == sizeof(void*) + 8 &&
                  offsetof(mark_elements, count) == sizeof(void*) + 12 &&
                  offsetof(mark_elements, indices) == sizeof(void*) + 16 &&
                  sizeof(mark_elements) == 2 * sizeof(void*) + 16,
              "mark_elements layout: 32 bytes on 64-bit, 24 on 32-bit");
