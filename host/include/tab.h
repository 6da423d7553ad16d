// The host's counted array of plain-old-data elements. Storage is one block holding a small
// header (count, allocated) followed by the elements; an empty Tab holds no block at all.
// Element access outside 0 .. Count()-1 throws TabOutOfRangeException.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <type_traits>

#include "maxheap.h"
#include "maxtypes.h"

class TabOutOfRangeException : public std::out_of_range {
public:
    TabOutOfRangeException() : std::out_of_range("Tab index out of range") {}
};

struct TabHdr {
    int count;
    int nalloc;
};

// Offset of the first element from the header; keeps elements 16-byte aligned.
constexpr std::size_t kTabDataOffset = 16;

// Sets the count of the Tab whose header pointer is *pth to n. The block grows to fit n
// elements of elsize bytes; with resize it is also shrunk to exactly n (and freed at 0).
// Returns the new count. Throws std::bad_alloc when memory runs out (nothing changes then).
UtilExport int TBSetCount(TabHdr** pth, int n, int elsize, BOOL resize);
// Makes room for num elements without changing the count. Returns the allocated size.
UtilExport int TBMakeSize(TabHdr** pth, int num, int elsize);
// Inserts num elements (copied from el, or left uninitialised when el is null) at index at.
UtilExport int TBInsertAt(TabHdr** pth, int at, int num, const void* el, int elsize, int extra);
// Removes num elements starting at start. Returns the new count.
UtilExport int TBDelete(TabHdr** pth, int start, int num, int elsize);
// Frees the block.
UtilExport void TBFree(TabHdr** pth);

template <class T>
class Tab : public MaxHeapOperators {
    static_assert(std::is_trivially_copyable<T>::value, "Tab holds plain-old-data only");

public:
    Tab() = default;
    Tab(const Tab& other) { *this = other; }
    Tab& operator=(const Tab& other) {
        if (this != &other) {
            SetCount(other.Count());
            for (int i = 0; i < other.Count(); ++i) {
                (*this)[i] = other[i];
            }
        }
        return *this;
    }
    ~Tab() { TBFree(&th); }

    int Count() const { return th ? th->count : 0; }
    int Allocated() const { return th ? th->nalloc : 0; }
    // Sets the count to 0 and keeps the storage.
    void ZeroCount() {
        if (th) {
            th->count = 0;
        }
    }
    // Sets the count to n; new elements are uninitialised.
    void SetCount(int n, BOOL resize = TRUE) { TBSetCount(Header(), n, sizeof(T), resize); }
    // Sets the count to 0 and releases the storage.
    void Init() { TBFree(&th); }
    // Makes room for num elements; returns the allocated size.
    int Resize(int num) { return TBMakeSize(Header(), num, sizeof(T)); }
    // Releases storage beyond the count.
    void Shrink() { TBSetCount(Header(), Count(), sizeof(T), TRUE); }

    int Append(int num, const T* el, int allocExtra = 0) {
        return TBInsertAt(Header(), Count(), num, el, sizeof(T), allocExtra);
    }
    int Insert(int at, int num, const T* el) {
        return TBInsertAt(Header(), at, num, el, sizeof(T), 0);
    }
    int Delete(int start, int num) { return TBDelete(Header(), start, num, sizeof(T)); }

    T& operator[](INT_PTR i) const {
        if (i < 0 || i >= Count()) {
            throw TabOutOfRangeException();
        }
        return Data()[i];
    }
    T* Addr(INT_PTR i) const { return &(*this)[i]; }

    // The header pointer, for the untyped TB* helpers.
    TabHdr** Header() { return &th; }

    T* begin() const { return Data(); }
    T* end() const { return Data() + Count(); }

private:
    T* Data() const {
        return th ? reinterpret_cast<T*>(reinterpret_cast<char*>(th) + kTabDataOffset) : nullptr;
    }

    TabHdr* th = nullptr;
};
