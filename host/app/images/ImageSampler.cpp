#include "ImageSampler.h"

#include <cmath>

void SampleNearest(const FloatImage& image, double u, double v, float out[4]) {
    const int x = WrapIndex(static_cast<long long>(std::floor(u * image.width)), image.width);
    const int y = WrapIndex(static_cast<long long>(std::floor(v * image.height)), image.height);
    const float* t = image.Texel(x, y);
    for (int c = 0; c < 4; ++c) {
        out[c] = t[c];
    }
}

void SampleBilinear(const FloatImage& image, double u, double v, float out[4]) {
    const double x = u * image.width - 0.5;
    const double y = v * image.height - 0.5;
    const double x0 = std::floor(x);
    const double y0 = std::floor(y);
    const double fx = x - x0;
    const double fy = y - y0;
    const int xa = WrapIndex(static_cast<long long>(x0), image.width);
    const int xb = WrapIndex(static_cast<long long>(x0) + 1, image.width);
    const int ya = WrapIndex(static_cast<long long>(y0), image.height);
    const int yb = WrapIndex(static_cast<long long>(y0) + 1, image.height);
    const float* t00 = image.Texel(xa, ya);
    const float* t10 = image.Texel(xb, ya);
    const float* t01 = image.Texel(xa, yb);
    const float* t11 = image.Texel(xb, yb);
    for (int c = 0; c < 4; ++c) {
        const double bottom = t00[c] + (t10[c] - t00[c]) * fx;
        const double top = t01[c] + (t11[c] - t01[c]) * fx;
        out[c] = static_cast<float>(bottom + (top - bottom) * fy);
    }
}
