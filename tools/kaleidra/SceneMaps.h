// The texture maps of a scene, found the way the host finds them: through references.
#pragma once

#include <vector>

#include "Scene.h"

// Every texture map reachable from the scene's roots through references (parameter blocks
// included), each once, in the order a depth-first walk meets them.
std::vector<Texmap*> SceneMaps(Scene& scene);
