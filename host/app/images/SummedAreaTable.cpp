#include "SummedAreaTable.h"

#include <algorithm>
#include <cmath>

SummedAreaTable::SummedAreaTable(const FloatImage& image)
    : width(image.width),
      height(image.height),
      sums(static_cast<size_t>(width + 1) * static_cast<size_t>(height + 1) * 4, 0.0) {
    for (int j = 1; j <= height; ++j) {
        double row[4] = {0.0, 0.0, 0.0, 0.0};
        for (int i = 1; i <= width; ++i) {
            const float* t = image.Texel(i - 1, j - 1);
            const double* below = At(i, j - 1);
            double* s = sums.data() + Index(i, j);
            for (int c = 0; c < 4; ++c) {
                row[c] += t[c];
                s[c] = below[c] + row[c];
            }
        }
    }
}

void SummedAreaTable::SumInside(double x, double y, double sum[4]) const {
    // The integral of a piecewise-constant image is bilinear inside each texel.
    const int i = std::min(static_cast<int>(std::floor(x)), width - 1);
    const int j = std::min(static_cast<int>(std::floor(y)), height - 1);
    const double fx = x - i;
    const double fy = y - j;
    const double* s00 = At(i, j);
    const double* s10 = At(i + 1, j);
    const double* s01 = At(i, j + 1);
    const double* s11 = At(i + 1, j + 1);
    for (int c = 0; c < 4; ++c) {
        const double lower = s00[c] + (s10[c] - s00[c]) * fx;
        const double upper = s01[c] + (s11[c] - s01[c]) * fx;
        sum[c] = lower + (upper - lower) * fy;
    }
}

void SummedAreaTable::SumRepeated(double x, double y, double sum[4]) const {
    const double qx = std::floor(x / width);
    const double qy = std::floor(y / height);
    const double rx = std::clamp(x - qx * width, 0.0, static_cast<double>(width));
    const double ry = std::clamp(y - qy * height, 0.0, static_cast<double>(height));
    double part[4], columns[4], rows[4];
    SumInside(rx, ry, part);
    SumInside(width, ry, columns);
    SumInside(rx, height, rows);
    const double* whole = At(width, height);
    for (int c = 0; c < 4; ++c) {
        sum[c] = part[c] + qx * columns[c] + qy * rows[c] + qx * qy * whole[c];
    }
}

void SummedAreaTable::BoxAverage(double u0, double v0, double u1, double v1, float out[4]) const {
    // The box is moved to near the origin first, so the sums stay small and precise.
    const double shiftU = std::floor(u0);
    const double shiftV = std::floor(v0);
    const double x0 = (u0 - shiftU) * width, x1 = (u1 - shiftU) * width;
    const double y0 = (v0 - shiftV) * height, y1 = (v1 - shiftV) * height;
    double a[4], b[4], c4[4], d[4];
    SumRepeated(x1, y1, a);
    SumRepeated(x0, y1, b);
    SumRepeated(x1, y0, c4);
    SumRepeated(x0, y0, d);
    const double area = (x1 - x0) * (y1 - y0);
    for (int c = 0; c < 4; ++c) {
        out[c] = static_cast<float>((a[c] - b[c] - c4[c] + d[c]) / area);
    }
}
