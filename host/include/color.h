// An RGB colour of three single-precision floats, nominally in [0, 1].
#pragma once

#include "maxheap.h"
#include "point3.h"

class Color : public MaxHeapOperators {
public:
    float r, g, b;

    Color() = default;
    Color(float R, float G, float B) : r(R), g(G), b(B) {}
    Color(double R, double G, double B)
        : r(static_cast<float>(R)), g(static_cast<float>(G)), b(static_cast<float>(B)) {}
    explicit Color(const Point3& p) : r(p.x), g(p.y), b(p.z) {}

    void Black() { r = g = b = 0.0f; }
    void White() { r = g = b = 1.0f; }
    // Clamps each channel into [0, 1].
    void ClampMinMax();

    float& operator[](int i) { return i == 0 ? r : (i == 1 ? g : b); }
    const float& operator[](int i) const { return i == 0 ? r : (i == 1 ? g : b); }
    operator Point3() const { return Point3(r, g, b); }
    int operator==(const Color& c) const { return r == c.r && g == c.g && b == c.b; }
    int operator!=(const Color& c) const { return !(*this == c); }
};
