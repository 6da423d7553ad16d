// Point lookups into a FloatImage with wrap-around (repeat) tiling. Coordinates are texture
// coordinates: u, v in [0, 1) cover the image once, any other value repeats it.
#pragma once

#include "FloatImage.h"

// i wrapped into [0, n).
inline int WrapIndex(long long i, int n) {
    const long long m = i % n;
    return static_cast<int>(m < 0 ? m + n : m);
}

// The texel that contains (u, v).
void SampleNearest(const FloatImage& image, double u, double v, float out[4]);
// Bilinear between the four texel centres around (u, v); at a texel centre, that texel.
void SampleBilinear(const FloatImage& image, double u, double v, float out[4]);
