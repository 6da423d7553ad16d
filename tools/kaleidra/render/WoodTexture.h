// Procedural wood for the built-in demo: grain stripes that wander, a few knots the grain bends
// around, fine fibres, and a colour per species. The same index always gives the same picture.
#pragma once

#include "Image.h"

// The number of species the demo uses.
constexpr int kWoodSpecies = 6;
// Board-shaped: the grain runs along the width.
constexpr int kWoodWidth = 512;
constexpr int kWoodHeight = 128;

// The picture of species 0 .. kWoodSpecies - 1.
Image MakeWoodTexture(int species);
