// The per-frame snapshot of a map's shading settings. The frame update writes it; sample
// evaluation only reads it.
#pragma once

#include "color.h"

struct ShadeSettings {
    float allGamma = 1.0f;             // base gamma exponent
    float allHue = 0.0f;               // base hue shift, degrees
    float allSat = 100.0f;             // base saturation scale, percent
    float rndGamma = 0.2f;             // gamma spread
    float rndHue = 15.0f;              // hue spread, degrees
    float rndSat = 10.0f;              // saturation spread, percent
    float gammaDistribution = 0.5f;    // skew of the gamma draw: 1 - "Distribution (%)" / 100
    float hueDistribution = 0.5f;      // skew of the hue draw: "Distribution (%)" / 100
    float satDistribution = 0.5f;      // skew of the saturation draw: "Distribution (%)" / 100
    int keyMode = 0;                   // 0 material ID, 1 object, anything else tile (channel 99)
    int seed = 12345;                  // multiplier of the key
    Color subColor{0.0f, 0.0f, 0.0f};  // plain colour used instead of the sub-maps
    int useColor = 0;                  // non-zero: use subColor instead of a sub-map
};
