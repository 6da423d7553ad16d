#include <cstdlib>
#include <cstring>
#include <new>

#include "tab.h"

namespace {

char* DataOf(TabHdr* th) {
    return reinterpret_cast<char*>(th) + kTabDataOffset;
}

// Reallocates the block to hold exactly num elements; frees it at 0.
void Reallocate(TabHdr** pth, int num, int elsize) {
    if (num <= 0) {
        TBFree(pth);
        return;
    }
    const std::size_t bytes =
        kTabDataOffset + static_cast<std::size_t>(num) * static_cast<std::size_t>(elsize);
    void* block = std::realloc(*pth, bytes);
    if (!block) {
        throw std::bad_alloc();
    }
    const bool fresh = *pth == nullptr;
    *pth = static_cast<TabHdr*>(block);
    if (fresh) {
        (*pth)->count = 0;
    }
    (*pth)->nalloc = num;
    if ((*pth)->count > num) {
        (*pth)->count = num;
    }
}

}  // namespace

void TBFree(TabHdr** pth) {
    std::free(*pth);
    *pth = nullptr;
}

int TBSetCount(TabHdr** pth, int n, int elsize, BOOL resize) {
    if (n < 0) {
        n = 0;
    }
    const int allocated = *pth ? (*pth)->nalloc : 0;
    if (n > allocated || (resize && n != allocated)) {
        Reallocate(pth, n, elsize);
    }
    if (*pth) {
        (*pth)->count = n;
    }
    return n;
}

int TBMakeSize(TabHdr** pth, int num, int elsize) {
    const int count = *pth ? (*pth)->count : 0;
    if (num < count) {
        num = count;
    }
    Reallocate(pth, num, elsize);
    return *pth ? (*pth)->nalloc : 0;
}

int TBInsertAt(TabHdr** pth, int at, int num, const void* el, int elsize, int extra) {
    const int count = *pth ? (*pth)->count : 0;
    if (num <= 0) {
        return count;
    }
    if (at < 0 || at > count) {
        throw TabOutOfRangeException();
    }
    const int allocated = *pth ? (*pth)->nalloc : 0;
    if (count + num > allocated) {
        Reallocate(pth, count + num + (extra > 0 ? extra : 0), elsize);
    }
    char* data = DataOf(*pth);
    const std::size_t size = static_cast<std::size_t>(elsize);
    std::memmove(data + (static_cast<std::size_t>(at) + static_cast<std::size_t>(num)) * size,
                 data + static_cast<std::size_t>(at) * size,
                 static_cast<std::size_t>(count - at) * size);
    if (el) {
        std::memcpy(data + static_cast<std::size_t>(at) * size, el,
                    static_cast<std::size_t>(num) * size);
    }
    (*pth)->count = count + num;
    return at;
}

int TBDelete(TabHdr** pth, int start, int num, int elsize) {
    const int count = *pth ? (*pth)->count : 0;
    if (num <= 0) {
        return count;
    }
    if (start < 0 || start + num > count) {
        throw TabOutOfRangeException();
    }
    char* data = DataOf(*pth);
    const std::size_t size = static_cast<std::size_t>(elsize);
    std::memmove(data + static_cast<std::size_t>(start) * size,
                 data + (static_cast<std::size_t>(start) + static_cast<std::size_t>(num)) * size,
                 static_cast<std::size_t>(count - start - num) * size);
    (*pth)->count = count - num;
    return (*pth)->count;
}
