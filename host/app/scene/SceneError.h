// The one error of scene files: a message naming the file, the place in it and the reason.
#pragma once

#include <stdexcept>
#include <string>

class SceneError : public std::runtime_error {
public:
    explicit SceneError(const std::string& message) : std::runtime_error(message) {}
};

// An error at a place inside the file ("objects[3].blocks.params.seed"); the reader and writer
// put the file name in front before it leaves them.
inline SceneError SceneErrorAt(const std::string& place, const std::string& reason) {
    return SceneError(place + ": " + reason);
}
