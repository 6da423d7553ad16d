// Small helpers for tests that read resources through the Windows calls.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "windows.h"

// The bytes of one resource, or an empty vector when FindResourceW finds nothing.
inline std::vector<std::uint8_t> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(module, name, type);
    if (found == nullptr) {
        return {};
    }
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
    return std::vector<std::uint8_t>(data, data + SizeofResource(module, found));
}

inline std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file),
                                     std::istreambuf_iterator<char>());
}

inline std::uint32_t ReadU32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
           std::uint32_t{b[at + 3]} << 24;
}

inline std::uint16_t ReadU16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// UTF-16 text as wchar_t (UTF-32 here), for comparing with LoadStringW's output.
inline std::wstring Wide(const std::u16string& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (std::uint32_t{text[++i]} - 0xDC00);
        }
        out += static_cast<wchar_t>(c);
    }
    return out;
}
