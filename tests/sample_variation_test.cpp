// The arithmetic of one sample against its worked examples, bit for bit where values are exact.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "SampleRandom.h"
#include "SampleVariation.h"
#include "ShadeSettings.h"

namespace {

std::vector<int> Draws(std::uint32_t seed, int n) {
    SampleRandom random(seed);
    std::vector<int> out;
    for (int i = 0; i < n; ++i) {
        out.push_back(random.Next());
    }
    return out;
}

// Distance in units of the last place between two floats of the same sign.
int UlpDistance(float a, float b) {
    std::int32_t ia, ib;
    std::memcpy(&ia, &a, sizeof ia);
    std::memcpy(&ib, &b, sizeof ib);
    return std::abs(ia - ib);
}

}  // namespace

TEST(SampleRandom, FollowsTheRuntimeRecurrence) {
    EXPECT_EQ(Draws(1, 5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

TEST(SampleRandom, DrawsStayWithin15Bits) {
    SampleRandom random(0xDEADBEEF);
    for (int i = 0; i < 100000; ++i) {
        const int d = random.Next();
        ASSERT_GE(d, 0);
        ASSERT_LE(d, 32767);
    }
}

TEST(SampleSeed, WorkedExamples) {
    struct Case {
        std::int32_t key, seed;
        std::uint32_t expected;
        std::vector<int> draws;  // empty where none are given
    };
    const Case cases[] = {
        {1, 12345, 4188539432u, {21593, 4240, 5948, 12468}},
        {2, 12345, 820519762u, {197, 2914, 17052, 1711}},
        {0, 12345, 0u, {38, 7719, 21238, 2437}},
        {7, 1, 10920280u, {9494, 16430, 10718, 32593}},
        {-3, 99999, 1141805200u, {}},
        {100000, 99999, 2588919520u, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SampleSeed(c.key, c.seed), c.expected) << c.key << " x " << c.seed;
        if (!c.draws.empty()) {
            EXPECT_EQ(Draws(c.expected, 4), c.draws) << c.key << " x " << c.seed;
        }
    }
}

TEST(SampleSeed, KeyZeroSeedsZeroWhateverTheSeed) {
    for (std::int32_t seed : {1, 12345, 99999, -7}) {
        EXPECT_EQ(SampleSeed(0, seed), 0u);
    }
}

TEST(DrawSample, UniformDrawsAreDividedInDoubleThenRounded) {
    const SampleDraws d = DrawSample(SampleSeed(1, 12345));
    EXPECT_EQ(d.pick, 21593);
    EXPECT_EQ(d.gamma, 0.12939848f);
    EXPECT_EQ(d.hue, 0.18152410f);
    EXPECT_EQ(d.sat, 0.38050479f);
    const SampleDraws top = DrawSample(0);  // draws 38, 7719, 21238, 2437
    EXPECT_EQ(top.gamma, static_cast<float>(7719.0 / 32767.0));
}

TEST(SkewedRandom, WorkedExamples) {
    struct Case {
        float d, u, expected;
    };
    const Case cases[] = {
        {0.5f, 0.25f, -0.5f},    {0.8f, 0.1f, -0.19999987f}, {0.8f, 0.5f, 0.75f},
        {0.2f, 0.5f, -0.75f},    {0.2f, 0.9f, 0.19999981f},  {0.5f, 0.0f, -1.0f},
        {0.5f, 1.0f, 1.0f},      {0.000001f, 0.3f, -1.0f},   {0.000001f, 1.0f, -1.0f},
        {0.999995f, 0.0f, 1.0f}, {0.999995f, 0.7f, 1.0f},    {0.0f, 0.5f, -1.0f},
        {1.0f, 0.5f, 1.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SkewedRandom(c.d, c.u), c.expected) << "d=" << c.d << " u=" << c.u;
    }
}

TEST(SkewedRandom, ThresholdsCompareInDouble) {
    // The float nearest 0.00001 lies just below 1e-5 in double, so it acts as 0; the next float
    // up is a real distribution. Likewise the float nearest 0.99999 is below the upper bound.
    EXPECT_EQ(SkewedRandom(0.00001f, 1.0f), -1.0f);
    EXPECT_GT(SkewedRandom(std::nextafter(0.00001f, 1.0f), 1.0f), -1.0f);
    EXPECT_LT(SkewedRandom(0.99999f, 0.0f), 1.0f);
    EXPECT_EQ(SkewedRandom(std::nextafter(0.99999f, 1.0f), 0.0f), 1.0f);
}

TEST(SkewedRandom, AtOrAboveTwoDMinusOneWithProbabilityD) {
    for (float d : {0.1f, 0.3f, 0.5f, 0.8f}) {
        int above = 0;
        const int n = 32768;
        for (int i = 0; i < n; ++i) {
            const float u = static_cast<float>(i) / static_cast<float>(n - 1);
            const float r = SkewedRandom(d, u);
            ASSERT_GE(r, -1.0f);
            ASSERT_LE(r, 1.0f);
            above += r >= 2.0f * d - 1.0f;
        }
        EXPECT_NEAR(static_cast<double>(above) / n, d, 1e-3) << d;
    }
}

TEST(Variation, DefaultSettingsKeyOneSeed12345) {
    const ShadeSettings s;  // parameter defaults
    const SampleDraws d = DrawSample(SampleSeed(1, 12345));

    EXPECT_EQ(SkewedRandom(s.gammaDistribution, d.gamma), -0.74120307f);
    EXPECT_EQ(GammaExponent(s, d.gamma), 0.85175937f);
    EXPECT_EQ(SkewedRandom(s.hueDistribution, d.hue), -0.63695180f);
    EXPECT_EQ(HueShift(s, d.hue), -0.026539659f);
    EXPECT_EQ(SkewedRandom(s.satDistribution, d.sat), -0.23899043f);
    EXPECT_EQ(SaturationFactor(s, d.sat), 0.97610092f);

    // The picks of three- and five-entry tables.
    EXPECT_EQ(d.pick % 3, 2);
    EXPECT_EQ(d.pick % 5, 3);

    // Gamma on (0.5, 0.25, 0.125), to within one unit in the last place of powf.
    const Color g = ApplyGamma(Color(0.5f, 0.25f, 0.125f), 0.85175937f);
    EXPECT_LE(UlpDistance(g.r, 0.55410856f), 1);
    EXPECT_LE(UlpDistance(g.g, 0.30703631f), 1);
    EXPECT_LE(UlpDistance(g.b, 0.17013146f), 1);

    // Hue 0.02 shifted, then wrapped; saturation 0.5 scaled.
    const float shifted = 0.02f + HueShift(s, d.hue);
    EXPECT_EQ(shifted, -0.0065396596f);
    EXPECT_EQ(WrapHue(shifted), 0.99346036f);
    EXPECT_EQ(ClampSaturation(SaturationFactor(s, d.sat) * 0.5f), 0.48805046f);
}

TEST(Variation, DistributionExtremesGiveTheEndsOfTheSpread) {
    ShadeSettings s;
    s.allGamma = 1.0f, s.rndGamma = 0.2f;
    s.allHue = 10.0f, s.rndHue = 15.0f;
    s.allSat = 100.0f, s.rndSat = 10.0f;
    for (float u : {0.0f, 0.3f, 1.0f}) {
        s.gammaDistribution = 1.0f - 100.0f / 100.0f;  // occ_gamma 100 %
        EXPECT_EQ(GammaExponent(s, u), 0.8f);
        s.gammaDistribution = 1.0f - 0.0f / 100.0f;  // occ_gamma 0 %
        EXPECT_EQ(GammaExponent(s, u), 1.2f);
        s.hueDistribution = 0.0f;
        EXPECT_EQ(HueShift(s, u), -5.0f / 360.0f);
        s.hueDistribution = 1.0f;
        EXPECT_EQ(HueShift(s, u), 25.0f / 360.0f);
        s.satDistribution = 0.0f;
        EXPECT_EQ(SaturationFactor(s, u), 0.9f);
        s.satDistribution = 1.0f;
        EXPECT_EQ(SaturationFactor(s, u), 1.1f);
    }
}

TEST(Variation, GammaOfZeroOrBelowGivesZeroOrOne) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float power : {0.0f, -0.5f, nan}) {
        const Color c = ApplyGamma(Color(0.0f, 0.3f, nan), power);
        EXPECT_EQ(c.r, 0.0f);
        EXPECT_EQ(c.g, 1.0f);
        EXPECT_EQ(c.b, 1.0f);
        const Color neg = ApplyGamma(Color(-0.0f, -2.0f, 5.0f), power);
        EXPECT_EQ(neg, Color(0.0f, 1.0f, 1.0f));
    }
}

TEST(Variation, HueWrap) {
    struct Case {
        float h, expected;
    };
    const Case cases[] = {{1.0f, 1.0f},   {1.25f, 0.25f},  {2.0f, 0.0f}, {-0.25f, 0.75f},
                          {-1.0f, 0.0f},  {-1.25f, 0.75f}, {0.0f, 0.0f}, {0.5f, 0.5f},
                          {3.75f, 0.75f}, {-2.5f, 0.5f}};
    for (const Case& c : cases) {
        EXPECT_EQ(WrapHue(c.h), c.expected) << c.h;
    }
}

TEST(Variation, SaturationClamp) {
    EXPECT_EQ(ClampSaturation(1.5f), 1.0f);
    EXPECT_EQ(ClampSaturation(-0.5f), 0.0f);
    EXPECT_EQ(ClampSaturation(0.25f), 0.25f);
}

TEST(TileKey, TruncatesTowardZeroAndSaturatesToMinimum) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float tile;
        std::int32_t key;
    };
    const Case cases[] = {
        {3.7f, 3},
        {-3.7f, -3},
        {0.9f, 0},
        {-0.9f, 0},
        {2147483520.0f, 2147483520},  // largest float below 2^31
        {2147483648.0f, INT32_MIN},   // 2^31 does not fit
        {-2147483648.0f, INT32_MIN},  // fits exactly
        {-2147483904.0f, INT32_MIN},  // below the range
        {inf, INT32_MIN},
        {-inf, INT32_MIN},
        {std::numeric_limits<float>::quiet_NaN(), INT32_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TileKey(c.tile), c.key) << c.tile;
    }
}
