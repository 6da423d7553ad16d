// Wide strings (UTF-32 code points on this platform) as the UTF-8 text of scene files.
#pragma once

#include <string>

// SceneError when s holds a value that is no Unicode scalar value.
std::string ToUtf8(const std::wstring& s);
// s must be valid UTF-8, as the JSON parser guarantees for strings it accepts.
std::wstring FromUtf8(const std::string& s);
