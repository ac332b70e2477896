// Holds one counted host reference (a scene, a joint view, the preference store, a stream,
// a dialog) and releases it when the holder goes, so that no path, a thrown host exception
// included, leaks it.
#pragma once

#include "required_view.h"

template <class T>
class counted_ref {
public:
    // Takes over the caller's one reference; null is allowed and releases nothing.
    explicit counted_ref(T* object = nullptr) : object(object) {}
    ~counted_ref() { reset(); }
    counted_ref(counted_ref const&) = delete;
    counted_ref& operator=(counted_ref const&) = delete;

    T* get() const { return object; }
    explicit operator bool() const { return object != nullptr; }
    // The object itself; throws missing_host_object when the host handed out null.
    T& operator*() const { return require(object); }
    T* operator->() const { return &require(object); }

    // Releases the reference now. A host whose Release throws must not take the plug-in
    // down with it; the reference counts as gone either way.
    void reset() {
        T* held = object;
        object = nullptr;
        if (held == nullptr) return;
        try {
            held->Release();
        } catch (...) {
        }
    }
    // Hands the reference on; the holder no longer releases it.
    T* release() {
        T* held = object;
        object = nullptr;
        return held;
    }

private:
    T* object;
};
