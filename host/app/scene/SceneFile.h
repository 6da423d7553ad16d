// Saving and loading scenes. The file format is described at the top of SceneWriter.cpp.
#pragma once

#include <memory>
#include <string>

#include "ClassDirectory.h"
#include "Scene.h"
#include "SceneError.h"

// The format tag and the one version this host reads and writes.
#define SCENE_FILE_FORMAT "kaleidra-scene"
#define SCENE_FILE_VERSION 1

// Writes scene to path, replacing it atomically; the same scene always gives the same bytes.
// Every object reachable from the roots must belong to a class listed in directory. Throws
// SceneError ("<path>: <place>: <reason>") and leaves an existing file untouched on failure.
void SaveScene(const std::string& path, Scene& scene, const ClassDirectory& directory);

// Reads the scene at path, creating each object through its class descriptor in directory
// (Create(TRUE)) and filling it through the reference protocol, its parameter blocks and the
// material-base setters, with undo recording and animate mode suspended. Throws SceneError
// ("<path>: <place>: <reason>", or "<path>:<line>:<column>: ..." for a file that is not JSON);
// a failed load deletes everything it created.
std::unique_ptr<Scene> LoadScene(const std::string& path, const ClassDirectory& directory);
