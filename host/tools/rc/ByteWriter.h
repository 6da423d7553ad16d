// Little-endian byte output in the layouts of Windows resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

class ByteWriter {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v & 0xFF));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v & 0xFFFF));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
    // UTF-16 units followed by a terminating zero unit.
    void ZeroTerminated(const std::u16string& s) {
        for (char16_t c : s) {
            U16(static_cast<std::uint16_t>(c));
        }
        U16(0);
    }
    // Pads with zero bytes to the next multiple of 4.
    void AlignTo4() {
        while (bytes_.size() % 4 != 0) {
            U8(0);
        }
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace rc
