// Base of every host object: allocation goes through the host heap. The stand-in host heap is
// the C++ free store, so objects made by the plug-in can be deleted by the host and back.
#pragma once

#include <cstddef>
#include <new>

class MaxHeapOperators {
public:
    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void* operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
        return ::operator new(size, tag);
    }
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void* operator new[](std::size_t size) { return ::operator new[](size); }
    static void operator delete(void* p) noexcept { ::operator delete(p); }
    static void operator delete(void* p, const std::nothrow_t&) noexcept { ::operator delete(p); }
    static void operator delete(void*, void*) noexcept {}
    static void operator delete[](void* p) noexcept { ::operator delete[](p); }
};
