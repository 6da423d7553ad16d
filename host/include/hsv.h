// Colour-space conversions. Hue, saturation and value are each in [0, 1], the hue as a
// fraction of a full turn (0 red, 1/3 green, 2/3 blue).
#pragma once

#include "color.h"
#include "maxtypes.h"

CoreExport Color RGBtoHSV(Color rgb);
CoreExport Color HSVtoRGB(Color hsv);
