// The key range of `kaleidra stats`: FROM..TO, both ends included.
#pragma once

#include <cstdint>
#include <string>

struct KeyRange {
    std::int32_t from = 0;
    std::int32_t to = 0;
    std::int64_t Count() const { return std::int64_t{to} - from + 1; }
};

constexpr std::int64_t kMostKeys = 100000000;

// Parses "FROM..TO" (32-bit integers, FROM <= TO, at most kMostKeys keys). Throws
// std::runtime_error saying what is wrong.
KeyRange ParseKeyRange(const std::string& text);
