#include "SampleVariation.h"

#include <cfloat>
#include <cmath>

#include "SampleRandom.h"
#include "hsv.h"

namespace {

// After the gamma step the channels must be finite numbers that HSV can work with: NaN (from a
// NaN sub-map channel, or a negative one under a fractional power) counts as 0, and
// infinities as a magnitude whose differences still fit a float.
constexpr float kChannelLimit = FLT_MAX / 4.0f;

float FiniteChannel(float x) {
    if (x != x) {
        return 0.0f;
    }
    return x > kChannelLimit ? kChannelLimit : (x < -kChannelLimit ? -kChannelLimit : x);
}

Color FiniteColor(const Color& c) {
    // One test covers the usual case: all three finite and far from overflow.
    if (std::fabs(c.r) + std::fabs(c.g) + std::fabs(c.b) <= kChannelLimit) {
        return c;
    }
    return Color(FiniteChannel(c.r), FiniteChannel(c.g), FiniteChannel(c.b));
}

inline float GammaStep(float x) {
    return x == 0.0f ? 0.0f : 1.0f;
}

inline Color Gamma(const Color& c, float power) {
    if (power > 0.0f) {
        return Color(std::pow(c.r, power), std::pow(c.g, power), std::pow(c.b, power));
    }
    return Color(GammaStep(c.r), GammaStep(c.g), GammaStep(c.b));
}

float UniformDraw(int draw) {
    return static_cast<float>(static_cast<double>(draw) / 32767.0);
}

}  // namespace

std::int32_t TileKey(float tile) {
    const double d = tile;
    if (!(d > -2147483649.0 && d < 2147483648.0)) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(d);
}

std::int32_t SampleKey(ShadeContext& sc, const ShadeSettings& settings, int forceMaterialIdKey) {
    if (settings.keyMode == 0 || forceMaterialIdKey != 0) {
        return sc.mtlNum;
    }
    if (settings.keyMode == 1) {
        INode* node = sc.Node();
        // A sample outside any node (a swatch, say) is keyed by its material ID instead.
        return node ? static_cast<std::int32_t>(node->GetHandle()) : sc.mtlNum;
    }
    return TileKey(sc.UVW(99).z);
}

float SkewedRandom(float distribution, float uniform) {
    const float d = distribution;
    if (static_cast<double>(d) < 0.00001) {
        return -1.0f;
    }
    if (static_cast<double>(d) > 0.99999) {
        return 1.0f;
    }
    const float m = 1.0f - d;
    const float f = m > uniform ? (d / m) * uniform : ((uniform - 1.0f) * m) / d + 1.0f;
    return f + f - 1.0f;
}

SampleDraws DrawSample(std::uint32_t generatorSeed) {
    SampleRandom random(generatorSeed);
    SampleDraws draws{};
    draws.pick = random.Next();
    draws.gamma = UniformDraw(random.Next());
    draws.hue = UniformDraw(random.Next());
    draws.sat = UniformDraw(random.Next());
    return draws;
}

float GammaExponent(const ShadeSettings& s, float u) {
    return SkewedRandom(s.gammaDistribution, u) * s.rndGamma + s.allGamma;
}

float HueShift(const ShadeSettings& s, float u) {
    return (SkewedRandom(s.hueDistribution, u) * s.rndHue + s.allHue) / 360.0f;
}

float SaturationFactor(const ShadeSettings& s, float u) {
    return (SkewedRandom(s.satDistribution, u) * s.rndSat + s.allSat) / 100.0f;
}

Color ApplyGamma(Color c, float power) {
    return Gamma(c, power);
}

float WrapHue(float h) {
    if (h > 1.0f) {
        return h - std::trunc(h);
    }
    if (h < 0.0f) {
        return h - std::floor(h);
    }
    return h;
}

float ClampSaturation(float s) {
    if (s > 1.0f) {
        return 1.0f;
    }
    if (s < 0.0f) {
        return 0.0f;
    }
    return s;
}

AColor VaryColor(Color base, const ShadeSettings& s, const SampleDraws& draws) {
    Color hsv = RGBtoHSV(FiniteColor(Gamma(base, GammaExponent(s, draws.gamma))));

    // A non-finite shift (only from non-finite settings) leaves the hue as it was.
    const float hue = WrapHue(hsv.r + HueShift(s, draws.hue));
    if (hue >= 0.0f && hue <= 1.0f) {
        hsv.r = hue;
    }
    const float sat = ClampSaturation(SaturationFactor(s, draws.sat) * hsv.g);
    hsv.g = sat == sat ? sat : 0.0f;

    AColor result(HSVtoRGB(hsv), 1.0f);
    result.ClampMinMax();
    return result;
}
