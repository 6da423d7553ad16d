// An RGBA colour of four single-precision floats. A Color made from an AColor drops alpha;
// an AColor made from a Color gets alpha 1.
#pragma once

#include "color.h"
#include "maxheap.h"

class AColor : public MaxHeapOperators {
public:
    float r, g, b, a;

    AColor() = default;
    AColor(float R, float G, float B, float A = 1.0f) : r(R), g(G), b(B), a(A) {}
    AColor(double R, double G, double B, double A = 1.0)
        : r(static_cast<float>(R)),
          g(static_cast<float>(G)),
          b(static_cast<float>(B)),
          a(static_cast<float>(A)) {}
    AColor(const Color& c, float alpha = 1.0f) : r(c.r), g(c.g), b(c.b), a(alpha) {}

    void Black() { r = g = b = 0.0f, a = 1.0f; }
    void White() { r = g = b = a = 1.0f; }
    // Clamps each of the four components into [0, 1].
    void ClampMinMax();

    operator Color() const { return Color(r, g, b); }
    float& operator[](int i) { return i == 0 ? r : (i == 1 ? g : (i == 2 ? b : a)); }
    const float& operator[](int i) const { return i == 0 ? r : (i == 1 ? g : (i == 2 ? b : a)); }
    int operator==(const AColor& c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
    int operator!=(const AColor& c) const { return !(*this == c); }
};
