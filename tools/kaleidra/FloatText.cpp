#include "FloatText.h"

#include <charconv>
#include <cmath>

std::string FloatText(float x) {
    if (std::isnan(x)) {
        return "nan";
    }
    if (std::isinf(x)) {
        return x > 0.0f ? "inf" : "-inf";
    }
    char buffer[32];
    // Without a precision to_chars writes the shortest text that round-trips.
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, r.ptr);
}
