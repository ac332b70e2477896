// Holds one counted host object (scene, stream, dialog, preference store) and releases it
// when the holder goes, on every path, exceptions included.
#pragma once

template <class T>
class counted_ref {
public:
    // Takes over a reference the host handed out (null is allowed).
    explicit counted_ref(T* object = nullptr) : object(object) {}
    ~counted_ref() { reset(); }
    counted_ref(counted_ref const&) = delete;
    counted_ref& operator=(counted_ref const&) = delete;

    T* get() const { return object; }
    T* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }

    // Releases the reference now. A failing Release is not retried: the reference is gone.
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
