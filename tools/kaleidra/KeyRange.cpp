#include "KeyRange.h"

#include <charconv>
#include <stdexcept>

namespace {

bool ParseKey(const std::string& text, std::int32_t& key) {
    const char* end = text.data() + text.size();
    const std::from_chars_result r = std::from_chars(text.data(), end, key);
    return !text.empty() && r.ec == std::errc() && r.ptr == end;
}

}  // namespace

KeyRange ParseKeyRange(const std::string& text) {
    const std::string::size_type dots = text.find("..");
    KeyRange range;
    if (dots == std::string::npos || !ParseKey(text.substr(0, dots), range.from) ||
        !ParseKey(text.substr(dots + 2), range.to)) {
        throw std::runtime_error("--keys \"" + text +
                                 "\": expected FROM..TO with two 32-bit integers");
    }
    if (range.from > range.to) {
        throw std::runtime_error("--keys \"" + text + "\": FROM is above TO");
    }
    if (range.Count() > kMostKeys) {
        throw std::runtime_error("--keys \"" + text + "\": " + std::to_string(range.Count()) +
                                 " keys, more than the " + std::to_string(kMostKeys) +
                                 " a report counts");
    }
    return range;
}
