// Writes compiled resources as a C++ source file that registers them with the runtime.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Resource.h"

namespace rc {

struct GeneratedSourceOptions {
    // Named in the file's header comment.
    std::string scriptName;
    // Empty: the table registers itself at load for the module the source is linked into.
    // Otherwise: the table is the global `const ModuleResourceTable <tableName>` and nothing
    // is registered (tests register such tables under handles of their own).
    std::string tableName;
};

void WriteGeneratedSource(std::ostream& out, const std::vector<Resource>& resources,
                          const GeneratedSourceOptions& options);

}  // namespace rc
