// A box-filtered mip pyramid over an image: each level halves the size of the one below
// (down to 1 x 1), every texel the mean of the texels it covers. Level 0 is the image itself,
// which must outlive the pyramid.
#pragma once

#include <vector>

#include "FloatImage.h"

class MipPyramid {
public:
    explicit MipPyramid(const FloatImage& base);

    int NumLevels() const { return static_cast<int>(levels.size()) + 1; }
    const FloatImage& Level(int i) const {
        return i == 0 ? base : levels[static_cast<size_t>(i - 1)];
    }

    // Trilinear lookup: the level is log2 of the footprint in level-0 texels (a footprint of at
    // most one texel is level 0), blended between the two nearest levels, bilinear within each.
    void Sample(double u, double v, double footprintTexels, float out[4]) const;

private:
    const FloatImage& base;
    std::vector<FloatImage> levels;  // levels 1 .. n
};
