// Writing 8-bit images whole or not at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit image, rows top-down, channels interleaved (3 RGB or 4 RGBA).
struct Image8 {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<std::uint8_t> pixels;  // width * height * channels bytes
};

// Writes image to path through the render command's image writer (PNG, TIFF or EXR by the
// extension): a temporary file in the same folder replaces path in one rename, so on failure
// path is untouched and no temporary file stays behind. Throws std::runtime_error (an
// ImageWriteError) "<path>: <reason>".
void WriteImageAtomically(const std::string& path, const Image8& image);
