// What keys each pixel of a preview carries, as a tile map or the scene would give them. Positions
// are in pixels of an image of the given size, (0, 0) its top-left corner.
#pragma once

#include <string>

#include "point3.h"

enum class LayoutKind { Planks, Grid, Stripes };

// "planks", "grid" or "stripes"; false for any other name.
bool ParseLayoutKind(const std::string& name, LayoutKind& kind);

// The keys of one sample.
struct PixelKeys {
    bool grout = false;              // in the gap between elements: no map is evaluated there
    int mtlNum = 0;                  // material ID
    unsigned long node = 0;          // node handle; 0 when the layout has no objects
    Point3 uvw{0.0f, 0.0f, 0.0f};    // channel 0: coordinates inside the element
    Point3 uvw99{0.0f, 0.0f, 0.0f};  // channel 99: the plank's tile number in z
    Point3 duvw{0.0f, 0.0f, 0.0f};   // the footprint of one pixel in channel 0
};

class Layout {
public:
    // Rows of planks across the shorter side, and how many rows a board is long.
    static constexpr int kPlankRows = 10;
    static constexpr float kPlankLength = 4.0f;
    // Objects of the grid across the shorter side; stripes across the width.
    static constexpr int kGridCells = 6;
    static constexpr int kStripes = 8;
    // The width of the gap between elements, in rows (planks) or cells.
    static constexpr float kGrout = 0.03f;

    Layout(LayoutKind kind, int width, int height);

    LayoutKind Kind() const { return kind; }
    // The number of grid objects (node handles 1 .. NodeCount()); 0 for the other layouts.
    int NodeCount() const;
    // The keys at position (x, y) in pixels.
    PixelKeys At(double x, double y) const;

private:
    PixelKeys Planks(double x, double y) const;
    PixelKeys Grid(double x, double y) const;
    PixelKeys Stripes(double x, double y) const;

    LayoutKind kind;
    int width;
    int height;
    double unit;  // pixels per plank row or grid cell
};
