// A minimal owning buffer for host queries that fill a caller's array.
#pragma once

#include <new>

template <class T>
class Array {
public:
    explicit Array(unsigned count) : data(nullptr), end(nullptr) { _init(count); }
    ~Array() { delete[] data; }
    Array(Array const&) = delete;
    Array& operator=(Array const&) = delete;

    // Allocates count elements (contents undefined). Throws std::bad_alloc on failure.
    void _init(unsigned count) {
        data = new (std::nothrow) T[count];
        if (data == nullptr) throw std::bad_alloc();
        end = data + count;
    }
    unsigned size() const { return static_cast<unsigned>(end - data); }

    T* data;  // first element
    T* end;   // one past the last
};
