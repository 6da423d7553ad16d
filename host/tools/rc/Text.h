// Conversion of resource-script text to the UTF-16 that resources store.
#pragma once

#include <optional>
#include <string>

namespace rc {

// Decodes UTF-8 `bytes` to UTF-16; empty optional when the bytes are not valid UTF-8
// (overlong forms, surrogates and values past U+10FFFF included).
std::optional<std::u16string> Utf8ToUtf16(const std::string& bytes);

}  // namespace rc
