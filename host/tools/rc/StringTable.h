// String tables in the RT_STRING layout: block n + 1 holds strings 16n .. 16n + 15, each as a
// 16-bit count of UTF-16 units followed by the units (no terminating zero); absent strings
// have count 0.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Resource.h"

namespace rc {

// One RT_STRING resource per block that holds at least one of `strings` (id -> text).
std::vector<Resource> EncodeStringBlocks(std::uint16_t language,
                                         const std::map<std::uint16_t, std::u16string>& strings);

}  // namespace rc
