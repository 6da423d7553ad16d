#include "SceneText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "SceneError.h"

std::string ReadSceneText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw SceneError(path + ": cannot read the file: " + std::strerror(errno));
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        throw SceneError(path + ": cannot read the file: " + std::strerror(errno));
    }
    return text.str();
}

namespace {

// The parser's message without its own prefix and position
// ("[json.exception.parse_error.101] parse error at line 1, column 5: ...").
std::string ParserReason(const std::string& what) {
    const std::size_t column = what.find("column ");
    const std::size_t colon = what.find(": ", column == std::string::npos ? 0 : column);
    return colon == std::string::npos ? what : what.substr(colon + 2);
}

}  // namespace

SceneJson ParseSceneText(const std::string& path, const std::string& text) {
    try {
        return SceneJson::parse(text);
    } catch (const SceneJson::parse_error& e) {
        // e.byte counts from 1 and points at the character the parser stopped at.
        const std::size_t end = std::min(e.byte > 0 ? e.byte - 1 : 0, text.size());
        std::size_t line = 1, lineStart = 0;
        for (std::size_t i = 0; i < end; ++i) {
            if (text[i] == '\n') {
                ++line;
                lineStart = i + 1;
            }
        }
        const std::size_t column = end - lineStart + 1;
        throw SceneError(path + ":" + std::to_string(line) + ":" + std::to_string(column) +
                         ": not valid JSON: " + ParserReason(e.what()));
    }
}
