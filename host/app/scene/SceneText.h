// Reading a scene file's text and parsing it as JSON, with messages that name the file and,
// for syntax errors, the line and column.
#pragma once

#include <string>

#include "SceneJson.h"

// Throws SceneError "<path>: cannot read the file: <reason>".
std::string ReadSceneText(const std::string& path);
// Throws SceneError "<path>:<line>:<column>: not valid JSON: <parser's reason>".
SceneJson ParseSceneText(const std::string& path, const std::string& text);
