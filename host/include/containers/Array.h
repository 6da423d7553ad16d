// The host's growable array for any element type. Element access outside 0 .. length()-1
// throws MaxSDK::Util::OutOfRangeException.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <vector>

#include "../maxheap.h"

namespace MaxSDK {
namespace Util {
class OutOfRangeException : public std::out_of_range {
public:
    OutOfRangeException() : std::out_of_range("MaxSDK::Array index out of range") {}
};
}  // namespace Util

template <class T>
class Array : public MaxHeapOperators {
public:
    Array() = default;
    explicit Array(std::size_t n, const T& def = T()) : items(n, def) {}

    std::size_t length() const { return items.size(); }
    bool isEmpty() const { return items.empty(); }
    bool isValidIndex(std::size_t i) const { return i < items.size(); }

    T& operator[](std::size_t i) {
        Check(i);
        return items[i];
    }
    const T& operator[](std::size_t i) const {
        Check(i);
        return items[i];
    }

    Array& append(const T& value) {
        items.push_back(value);
        return *this;
    }
    // Inserts before index i; i may equal length().
    Array& insertAt(std::size_t i, const T& value) {
        if (i > items.size()) {
            throw Util::OutOfRangeException();
        }
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(i), value);
        return *this;
    }
    Array& removeAt(std::size_t i) {
        Check(i);
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
        return *this;
    }
    // Sets the length; new elements are copies of fill.
    Array& setLengthUsed(std::size_t n, const T& fill = T()) {
        items.resize(n, fill);
        return *this;
    }
    void removeAll() { items.clear(); }

private:
    void Check(std::size_t i) const {
        if (i >= items.size()) {
            throw Util::OutOfRangeException();
        }
    }
    std::vector<T> items;
};

}  // namespace MaxSDK
