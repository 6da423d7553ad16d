// A summed-area table over an image, in double precision: the mean of the image over any
// axis-aligned box in texture space, with wrap-around tiling, in constant time.
#pragma once

#include <vector>

#include "FloatImage.h"

class SummedAreaTable {
public:
    explicit SummedAreaTable(const FloatImage& image);

    // Mean of the image over [u0, u1] x [v0, v1] (u0 < u1, v0 < v1), texels taken as constant
    // over their area. A box one texel wide centred on a point gives the bilinear value there.
    void BoxAverage(double u0, double v0, double u1, double v1, float out[4]) const;

private:
    // Sums over [0, x] x [0, y] in texels, for x, y inside the image, and for any x, y with
    // the image repeated (whole tiles counted by their full sums).
    void SumInside(double x, double y, double sum[4]) const;
    void SumRepeated(double x, double y, double sum[4]) const;
    size_t Index(int i, int j) const {
        return (static_cast<size_t>(j) * static_cast<size_t>(width + 1) + static_cast<size_t>(i)) *
               4;
    }
    const double* At(int i, int j) const { return sums.data() + Index(i, j); }

    int width;
    int height;
    std::vector<double> sums;  // (width + 1) x (height + 1) x 4: sum of texels below-left of (i, j)
};
