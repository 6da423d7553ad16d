// An image in memory as linear float RGBA, four floats per texel. Row 0 is the bottom row
// (texture coordinate v = 0), so texel (x, y) covers u in [x/W, (x+1)/W), v in [y/H, (y+1)/H).
#pragma once

#include <cstddef>
#include <vector>

struct FloatImage {
    int width = 0;
    int height = 0;
    std::vector<float> rgba;  // width * height * 4 values, rows bottom-up

    FloatImage() = default;
    FloatImage(int w, int h)
        : width(w),
          height(h),
          rgba(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4) {}

    float* Texel(int x, int y) { return rgba.data() + Offset(x, y); }
    const float* Texel(int x, int y) const { return rgba.data() + Offset(x, y); }

private:
    std::size_t Offset(int x, int y) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)) *
               4;
    }
};
