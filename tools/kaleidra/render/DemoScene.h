// The built-in demo: a floor of planks in a handful of wood textures of its own. The textures
// are made on first use and kept as PNG files in a cache folder; the map loads them through the
// host's bitmap texture like any user file.
#pragma once

#include <string>
#include <vector>

#include "imtl.h"

// $KALEIDRA_CACHE when set, else $XDG_CACHE_HOME/kaleidra/demo, else ~/.cache/kaleidra/demo.
std::string DemoCacheFolder();

struct DemoTextures {
    std::vector<std::string> files;  // one per species, in species order
    int generated = 0;               // how many had to be made now
};

// Makes the folder and every texture file that is not there yet; files already there are kept
// as they are. Throws std::runtime_error (or ImageWriteError) when the folder cannot be used.
DemoTextures EnsureDemoTextures(const std::string& folder);

// Fills a new MultiMap for the demo: one bitmap texture per file as its sub-maps, the random
// spreads at their defaults (gamma 0.2, hue 15, saturation 10) and key mode tile.
void SetUpDemoMap(Texmap* multiMap, const std::vector<std::string>& files);
