#include "Layout.h"

#include <algorithm>
#include <cmath>

bool ParseLayoutKind(const std::string& name, LayoutKind& kind) {
    if (name == "planks") {
        kind = LayoutKind::Planks;
    } else if (name == "grid") {
        kind = LayoutKind::Grid;
    } else if (name == "stripes") {
        kind = LayoutKind::Stripes;
    } else {
        return false;
    }
    return true;
}

Layout::Layout(LayoutKind layoutKind, int imageWidth, int imageHeight)
    : kind(layoutKind), width(imageWidth), height(imageHeight) {
    const int shorter = std::max(1, std::min(width, height));
    unit = static_cast<double>(shorter) / (kind == LayoutKind::Planks ? kPlankRows : kGridCells);
}

int Layout::NodeCount() const {
    if (kind != LayoutKind::Grid) {
        return 0;
    }
    const int cols = static_cast<int>(std::ceil(width / unit));
    const int rows = static_cast<int>(std::ceil(height / unit));
    return cols * rows;
}

PixelKeys Layout::At(double x, double y) const {
    switch (kind) {
        case LayoutKind::Planks:
            return Planks(x, y);
        case LayoutKind::Grid:
            return Grid(x, y);
        case LayoutKind::Stripes:
            break;
    }
    return Stripes(x, y);
}

namespace {

bool InGap(double u, double v, double gapU, double gapV) {
    return u < gapU || u > 1.0 - gapU || v < gapV || v > 1.0 - gapV;
}

}  // namespace

// Running bond: each row is offset by a third of a board against the one above. Tiles are
// numbered from 1, row by row, left to right; a row holds planksPerRow numbers so that every
// plank keeps its number whatever the image size.
PixelKeys Layout::Planks(double x, double y) const {
    const double fx = x / unit;
    const double fy = y / unit;
    const double row = std::floor(fy);
    const int rowIndex = static_cast<int>(row);
    const double offset = static_cast<double>(rowIndex % 3) * kPlankLength / 3.0;
    const double along = (fx + offset) / kPlankLength;
    const double col = std::floor(along);
    const int planksPerRow = static_cast<int>(std::ceil(width / unit / kPlankLength)) + 1;
    const int tile = rowIndex * planksPerRow + static_cast<int>(col) + 1;

    PixelKeys keys;
    const double u = along - col;
    const double v = 1.0 - (fy - row);
    keys.grout = InGap(u, v, kGrout / kPlankLength, kGrout);
    keys.mtlNum = tile;
    keys.uvw = Point3(static_cast<float>(u), static_cast<float>(v), 0.0f);
    keys.uvw99 = Point3(static_cast<float>(u), static_cast<float>(v), static_cast<float>(tile));
    keys.duvw = Point3(static_cast<float>(1.0 / (unit * kPlankLength)),
                       static_cast<float>(1.0 / unit), 0.0f);
    return keys;
}

// Objects in rows, numbered from 1 left to right, top to bottom; UVs across each object.
PixelKeys Layout::Grid(double x, double y) const {
    const int cols = static_cast<int>(std::ceil(width / unit));
    const double fx = x / unit;
    const double fy = y / unit;
    const double col = std::floor(fx);
    const double row = std::floor(fy);

    PixelKeys keys;
    const double u = fx - col;
    const double v = 1.0 - (fy - row);
    keys.grout = InGap(u, v, kGrout, kGrout);
    keys.node =
        static_cast<unsigned long>(static_cast<int>(row) * cols + static_cast<int>(col) + 1);
    keys.uvw = Point3(static_cast<float>(u), static_cast<float>(v), 0.0f);
    const float d = static_cast<float>(1.0 / unit);
    keys.duvw = Point3(d, d, 0.0f);
    return keys;
}

// Vertical stripes with material IDs 0, 1, 2, ... from the left; u across a stripe, v over the
// whole height.
PixelKeys Layout::Stripes(double x, double y) const {
    const double stripeWidth = static_cast<double>(width) / kStripes;
    const double fx = x / stripeWidth;
    const double col = std::floor(fx);

    PixelKeys keys;
    const double u = fx - col;
    const double v = 1.0 - y / height;
    keys.grout = u < kGrout || u > 1.0 - kGrout;
    keys.mtlNum = static_cast<int>(col);
    keys.uvw = Point3(static_cast<float>(u), static_cast<float>(v), 0.0f);
    keys.duvw =
        Point3(static_cast<float>(1.0 / stripeWidth), static_cast<float>(1.0 / height), 0.0f);
    return keys;
}
