// The size of a preview image, as given on the command line ("WxH").
#pragma once

#include <string>

struct ImageSize {
    int width = 512;
    int height = 512;
};

// The largest side and the most pixels a preview may have.
constexpr long long kMaxImageSide = 16384;
constexpr long long kMaxImagePixels = 64LL * 1024 * 1024;

// Parses "WxH" and checks it: both sides at least 1 and at most kMaxImageSide, at most
// kMaxImagePixels in all. Throws std::invalid_argument saying what is wrong.
ImageSize ParseImageSize(const std::string& text);
// Throws std::invalid_argument when the size is outside those limits.
void CheckImageSize(long long width, long long height);
