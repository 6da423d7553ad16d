// kaleidra_rc: compiles a resource script into a C++ source holding its resources.
// Usage: kaleidra_rc [--table NAME] input.rc output.cpp
// On an error it prints "file:line: reason", writes nothing and exits with status 1.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "Compiler.h"
#include "GeneratedSource.h"
#include "RcError.h"

namespace {

int Usage() {
    std::cerr << "usage: kaleidra_rc [--table NAME] input.rc output.cpp\n";
    return 2;
}

std::string FileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes beside the output and renames, so a failed run never leaves a half-written file.
bool WriteAtomically(const std::string& path, const std::vector<rc::Resource>& resources,
                     const rc::GeneratedSourceOptions& options) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            rc::WriteGeneratedSource(out, resources, options);
            out.flush();
        }
        if (!out) {
            std::cerr << path << ": cannot write the output\n";
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::cerr << path << ": cannot replace the output\n";
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    rc::GeneratedSourceOptions options;
    std::string input;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--table" && i + 1 < argc) {
            options.tableName = argv[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else if (input.empty()) {
            input = arg;
        } else if (output.empty()) {
            output = arg;
        } else {
            return Usage();
        }
    }
    if (input.empty() || output.empty()) {
        return Usage();
    }
    options.scriptName = FileName(input);
    try {
        const std::vector<rc::Resource> resources = rc::CompileResourceScript(input);
        return WriteAtomically(output, resources, options) ? 0 : 1;
    } catch (const rc::RcError& error) {
        std::cerr << error.what() << "\n";
    } catch (const std::exception& error) {
        std::cerr << input << ": " << error.what() << "\n";
    }
    return 1;
}
