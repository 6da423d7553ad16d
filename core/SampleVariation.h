// The arithmetic of one shading sample: key, generator seed, draws, and the gamma, hue and
// saturation variation. Pure functions; the evaluation operations compose them.
#pragma once

#include <cstdint>

#include "ShadeSettings.h"
#include "acolor.h"
#include "color.h"
#include "imtl.h"

// The integer key of a sample: its material ID (keyMode 0, or whenever forceMaterialIdKey is
// non-zero), its node's handle (keyMode 1; a sample without a node falls back to its material
// ID), or else the third coordinate of channel 99 truncated toward zero, where a value outside
// the 32-bit range or NaN gives -2147483648.
std::int32_t SampleKey(ShadeContext& sc, const ShadeSettings& settings, int forceMaterialIdKey);

// Truncates a tile value from channel 99 to a key, as SampleKey does in tile mode.
std::int32_t TileKey(float tile);

// The generator seed of a key: k = key * seed, then k * (k * k * 15731 + 789221), all modulo 2^32.
// Inline, so tools that reason about picks from outside the map share this one definition.
inline std::uint32_t SampleSeed(std::int32_t key, std::int32_t seed) {
    const std::uint32_t k = static_cast<std::uint32_t>(key) * static_cast<std::uint32_t>(seed);
    return k * (k * k * 15731u + 789221u);
}

// Maps a uniform draw u in [0, 1] to [-1, 1] with skew d: the result is at or above 2d - 1
// with probability d. d below 0.00001 gives -1, above 0.99999 gives +1.
float SkewedRandom(float distribution, float uniform);

// The four draws of a sample, always made in this order before any sub-map is evaluated.
struct SampleDraws {
    int pick;     // picks the table entry, in [0, 32767]
    float gamma;  // uniform in [0, 1]
    float hue;    // uniform in [0, 1]
    float sat;    // uniform in [0, 1]
};
SampleDraws DrawSample(std::uint32_t generatorSeed);

// The gamma exponent: SkewedRandom(gammaDistribution, u) * rndGamma + allGamma.
float GammaExponent(const ShadeSettings& s, float u);
// The hue shift in turns: (SkewedRandom(hueDistribution, u) * rndHue + allHue) / 360.
float HueShift(const ShadeSettings& s, float u);
// The saturation factor: (SkewedRandom(satDistribution, u) * rndSat + allSat) / 100.
float SaturationFactor(const ShadeSettings& s, float u);

// Raises r, g, b to the power; a power of 0 or below (or NaN) makes each channel 0 when it is
// exactly 0 and 1 otherwise.
Color ApplyGamma(Color c, float power);
// Brings a shifted hue back into [0, 1]: above 1 the integer part is dropped, below 0 whole
// turns are added; exactly 1 stays 1.
float WrapHue(float h);
// Limits a scaled saturation to [0, 1].
float ClampSaturation(float s);

// The whole variation of a base colour (steps gamma, HSV, hue, saturation, RGB, clamp). The
// result has alpha 1 and channels in [0, 1], and is never NaN whatever the base colour holds:
// a channel that the gamma step leaves NaN counts as 0, an infinite one as a huge finite value.
AColor VaryColor(Color base, const ShadeSettings& s, const SampleDraws& draws);
