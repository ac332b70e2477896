#include "allocation_counter.h"

#include <cstdlib>
#include <new>

// The plug-in module binds operator new to this program's definition (the executable
// exports it), so its allocations are counted too.
namespace {
long allocation_count = 0;

void* counted_new(std::size_t size) {
    ++allocation_count;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void* counted_new(std::size_t size, std::align_val_t align) {
    ++allocation_count;
    std::size_t a = static_cast<std::size_t>(align);
    std::size_t rounded = (size + a - 1) / a * a;
    if (void* p = std::aligned_alloc(a, rounded ? rounded : a)) return p;
    throw std::bad_alloc();
}
}  // namespace

namespace bench {
long allocations() { return allocation_count; }
}  // namespace bench

void* operator new(std::size_t size) { return counted_new(size); }
void* operator new[](std::size_t size) { return counted_new(size); }
void* operator new(std::size_t size, std::nothrow_t const&) noexcept {
    try {
        return counted_new(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, std::nothrow_t const&) noexcept {
    try {
        return counted_new(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t align) { return counted_new(size, align); }
void* operator new[](std::size_t size, std::align_val_t align) { return counted_new(size, align); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
