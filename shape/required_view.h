// A host view or element the plug-in cannot do without. The host answers null where the
// shape lacks it; turning that into an exception lets the same handler that catches host
// exceptions report the failure, instead of dereferencing null.
#pragma once

#include <stdexcept>

struct missing_host_object : std::runtime_error {
    missing_host_object() : std::runtime_error("the host returned no object") {}
};

template <class T>
T& require(T* object) {
    if (object == nullptr) throw missing_host_object();
    return *object;
}
