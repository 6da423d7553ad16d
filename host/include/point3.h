// Three single-precision floats: a position, a texture coordinate or a normal perturbation.
#pragma once

#include "maxheap.h"

class Point3 : public MaxHeapOperators {
public:
    float x, y, z;

    Point3() = default;
    Point3(float X, float Y, float Z) : x(X), y(Y), z(Z) {}
    Point3(double X, double Y, double Z)
        : x(static_cast<float>(X)), y(static_cast<float>(Y)), z(static_cast<float>(Z)) {}

    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    const float& operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }

    Point3 operator+(const Point3& p) const { return Point3(x + p.x, y + p.y, z + p.z); }
    Point3 operator-(const Point3& p) const { return Point3(x - p.x, y - p.y, z - p.z); }
    Point3 operator*(float f) const { return Point3(x * f, y * f, z * f); }
    int operator==(const Point3& p) const { return x == p.x && y == p.y && z == p.z; }
    int operator!=(const Point3& p) const { return !(*this == p); }

    static const Point3 Origin;
};
