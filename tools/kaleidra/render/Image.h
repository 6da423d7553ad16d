// A rendered picture: RGBA floats, rows top to bottom.
#pragma once

#include <cstddef>
#include <vector>

struct Image {
    Image() = default;
    Image(int w, int h)
        : width(w),
          height(h),
          rgba(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4, 0.0f) {}

    float* Pixel(int x, int y) {
        return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                              static_cast<std::size_t>(x)) *
                                 4;
    }
    const float* Pixel(int x, int y) const {
        return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                              static_cast<std::size_t>(x)) *
                                 4;
    }

    int width = 0;
    int height = 0;
    std::vector<float> rgba;
};
