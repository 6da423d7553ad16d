#include "WideText.h"

#include <cstdint>

#include "SceneError.h"

std::string ToUtf8(const std::wstring& s) {
    std::string out;
    for (wchar_t wc : s) {
        const auto c = static_cast<std::uint32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            throw SceneError("text holds an invalid character");
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The JSON parser has already checked that strings are valid UTF-8.
std::wstring FromUtf8(const std::string& s) {
    std::wstring out;
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t c = len == 1   ? lead
                          : len == 2 ? (lead & 0x1Fu)
                          : len == 3 ? (lead & 0x0Fu)
                                     : (lead & 0x07u);
        for (std::size_t k = 1; k < len && i + k < s.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3Fu);
        }
        out += static_cast<wchar_t>(c);
        i += len;
    }
    return out;
}
