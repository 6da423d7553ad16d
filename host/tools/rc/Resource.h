// A compiled resource: its type, name and language, and its bytes in the Windows layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

// A resource type or name: an integer, or (when `name` is not empty) an upper-case name.
struct ResourceId {
    std::uint16_t id = 0;
    std::string name;

    bool operator<(const ResourceId& o) const { return name != o.name ? name < o.name : id < o.id; }
    bool operator==(const ResourceId& o) const { return id == o.id && name == o.name; }
    std::string ToString() const { return name.empty() ? std::to_string(id) : name; }
};

struct Resource {
    ResourceId type;
    ResourceId name;
    std::uint16_t language = 0;
    std::vector<std::uint8_t> data;
};

// Windows' integer resource types.
constexpr std::uint16_t kRtBitmap = 2;
constexpr std::uint16_t kRtDialog = 5;
constexpr std::uint16_t kRtString = 6;

}  // namespace rc
