// Writes pictures as whole files or not at all: PNG (8 bits), TIFF (16 bits) or OpenEXR (half
// floats), chosen by the file's extension.
#pragma once

#include <stdexcept>
#include <string>

#include "Image.h"

class ImageWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Checks before any work that path can be written: a known extension and a folder where a file
// can be created. Throws ImageWriteError "<path>: <reason>".
void CheckImageWritable(const std::string& path);

// Writes image to a temporary file in path's folder, then renames it over path. On failure path
// is untouched, the temporary file is gone, and ImageWriteError "<path>: <reason>" is thrown.
void WriteImageFile(const std::string& path, const Image& image);
