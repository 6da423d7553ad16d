// Reading an image file (any format OpenImageIO reads) into linear float RGBA.
#pragma once

#include <string>

#include "FloatImage.h"

// Reads the first subimage of the file at path. Values are kept exactly as stored: no colour
// space conversion, colour not multiplied by alpha; integer formats are scaled to [0, 1] (8-bit
// values divided by 255). One channel is grey, two are grey and alpha, three or more are RGB with
// the file's alpha channel when it has one, otherwise alpha 1. On failure returns false, leaves
// image empty and puts OpenImageIO's reason into error.
bool ReadImageFile(const std::string& path, FloatImage& image, std::string& error);
