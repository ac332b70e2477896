// Holds one counted host reference (a scene or a joint view) and releases it when the
// holder goes out of scope, so that no path, a thrown host exception included, leaks it.
#pragma once

#include "required_view.h"

template <class T>
class counted_ref {
public:
    // Takes over the caller's one reference; null is allowed and releases nothing.
    explicit counted_ref(T* object) : object(object) {}
    ~counted_ref() {
        // A host whose Release throws must not take the plug-in down with it.
        try {
            if (object != nullptr) object->Release();
        } catch (...) {
        }
    }
    counted_ref(counted_ref const&) = delete;
    counted_ref& operator=(counted_ref const&) = delete;

    T* get() const { return object; }
    // The object itself; throws missing_host_object when the host handed out null.
    T& operator*() const { return require(object); }
    T* operator->() const { return &require(object); }

private:
    T* object;
};
