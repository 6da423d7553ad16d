// The text of a scene file: one member or element per line, indented by two spaces, except that
// arrays of plain values (colours, tables of numbers, keys) stay on one line.
#pragma once

#include <string>

#include "SceneJson.h"

std::string LayOutScene(const SceneJson& doc);
