// Writes a whole file or nothing: the text goes to a temporary file in the same folder, which
// then replaces path in one rename. On failure path is untouched and the temporary file is
// removed; throws SceneError "<path>: <reason>".
#pragma once

#include <string>

void WriteFileAtomically(const std::string& path, const std::string& text);
