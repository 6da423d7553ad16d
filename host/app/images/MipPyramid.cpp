#include "MipPyramid.h"

#include <algorithm>
#include <cmath>

#include "ImageSampler.h"

namespace {

// Each target texel averages the source texels of its share of the source: for odd sizes the
// shares differ by one texel, so no source texel is dropped.
FloatImage Downsample(const FloatImage& src) {
    FloatImage dst(std::max(1, src.width / 2), std::max(1, src.height / 2));
    for (int y = 0; y < dst.height; ++y) {
        const int y0 = y * src.height / dst.height;
        const int y1 = (y + 1) * src.height / dst.height;
        for (int x = 0; x < dst.width; ++x) {
            const int x0 = x * src.width / dst.width;
            const int x1 = (x + 1) * src.width / dst.width;
            double sum[4] = {0.0, 0.0, 0.0, 0.0};
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const float* t = src.Texel(sx, sy);
                    for (int c = 0; c < 4; ++c) {
                        sum[c] += t[c];
                    }
                }
            }
            const double count = static_cast<double>((x1 - x0) * (y1 - y0));
            float* d = dst.Texel(x, y);
            for (int c = 0; c < 4; ++c) {
                d[c] = static_cast<float>(sum[c] / count);
            }
        }
    }
    return dst;
}

}  // namespace

MipPyramid::MipPyramid(const FloatImage& image) : base(image) {
    const FloatImage* below = &base;
    while (below->width > 1 || below->height > 1) {
        levels.push_back(Downsample(*below));
        below = &levels.back();
    }
}

void MipPyramid::Sample(double u, double v, double footprintTexels, float out[4]) const {
    const double top = NumLevels() - 1;
    const double lod = footprintTexels > 1.0 ? std::min(std::log2(footprintTexels), top) : 0.0;
    const int lower = static_cast<int>(std::floor(lod));
    const double t = lod - lower;
    SampleBilinear(Level(lower), u, v, out);
    if (t > 0.0 && lower + 1 < NumLevels()) {
        float upper[4];
        SampleBilinear(Level(lower + 1), u, v, upper);
        for (int c = 0; c < 4; ++c) {
            out[c] = static_cast<float>(out[c] + (upper[c] - out[c]) * t);
        }
    }
}
