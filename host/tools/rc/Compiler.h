// Compiles the resource-script subset the plug-in uses (see Parser.cpp for the grammar).
#pragma once

#include <string>
#include <vector>

#include "Resource.h"

namespace rc {

// All resources of the script at `path`, sorted by type, name and language. Files it names
// (#include, BITMAP, custom types) are found relative to the including file. Throws RcError.
std::vector<Resource> CompileResourceScript(const std::string& path);

}  // namespace rc
