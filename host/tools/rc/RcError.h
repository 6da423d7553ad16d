// An error in a resource script, with the place it was found.
#pragma once

#include <stdexcept>
#include <string>

namespace rc {

class RcError : public std::runtime_error {
public:
    RcError(std::string file, int line, const std::string& reason)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + reason),
          file_(std::move(file)),
          line_(line) {}
    const std::string& file() const { return file_; }
    int line() const { return line_; }

private:
    std::string file_;
    int line_;
};

}  // namespace rc
