#include "ImageSize.h"

#include <cctype>
#include <stdexcept>

namespace {

// Digits only, no sign, no spaces; false for anything else or more than 9 digits.
bool ParseCount(const std::string& digits, long long& value) {
    if (digits.empty() || digits.size() > 9) {
        return false;
    }
    value = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

}  // namespace

void CheckImageSize(long long width, long long height) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    if (width < 1 || height < 1) {
        throw std::invalid_argument("size " + size + " has no pixels");
    }
    if (width > kMaxImageSide || height > kMaxImageSide) {
        throw std::invalid_argument("size " + size + " is too large: at most " +
                                    std::to_string(kMaxImageSide) + " pixels a side");
    }
    if (width * height > kMaxImagePixels) {
        throw std::invalid_argument("size " + size + " is too large: at most " +
                                    std::to_string(kMaxImagePixels / (1024 * 1024)) +
                                    " megapixels");
    }
}

ImageSize ParseImageSize(const std::string& text) {
    const std::size_t x = text.find('x');
    long long width = 0;
    long long height = 0;
    if (x == std::string::npos || !ParseCount(text.substr(0, x), width) ||
        !ParseCount(text.substr(x + 1), height)) {
        throw std::invalid_argument("size \"" + text + "\" is not WIDTHxHEIGHT, e.g. 512x512");
    }
    CheckImageSize(width, height);
    return ImageSize{static_cast<int>(width), static_cast<int>(height)};
}
