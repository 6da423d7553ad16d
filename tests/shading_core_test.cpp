// Sample evaluation through the Texmap interface: keys, picks, variation, cache, render
// notifications and the guarantee that no NaN leaves the map.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "CoreMap.h"
#include "SampleVariation.h"
#include "SimpleShadeContext.h"
#include "SolidColorMap.h"
#include "hsv.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

AColor EvalFresh(Texmap& map, SimpleShadeContext& sc) {
    sc.NewSample();
    return map.EvalColor(sc);
}

// Three distinguishable sub-maps A, B, C.
struct ThreeMaps {
    CountingMap a{AColor(1.0f, 0.0f, 0.0f, 1.0f), Point3(1.0f, 0.0f, 0.0f)};
    CountingMap b{AColor(0.0f, 1.0f, 0.0f, 1.0f), Point3(0.0f, 1.0f, 0.0f)};
    CountingMap c{AColor(0.0f, 0.0f, 1.0f, 1.0f), Point3(0.0f, 0.0f, 1.0f)};
};

}  // namespace

TEST(EvalColor, PicksByTheFirstDrawAndVariesByTheOtherThree) {
    // Key 1, seed 12345: pick draw 21593; with (A, A, C, C, C) the index is 3, that is C.
    ThreeMaps m;
    CoreMap map;
    map.SetTable({{&m.a, 2}, {&m.c, 3}});
    SimpleShadeContext sc;
    sc.mtlNum = 1;
    const AColor out = EvalFresh(map, sc);
    EXPECT_EQ(m.c.colorCalls.load(), 1);
    EXPECT_EQ(m.a.colorCalls.load(), 0);

    // The sub-map colour goes through gamma 0.85175937, hue -0.026539659 turn and saturation
    // factor 0.97610092 (the values of this key under default settings), then clamps.
    const Color hsv = RGBtoHSV(ApplyGamma(Color(0.0f, 0.0f, 1.0f), 0.85175937f));
    const Color expected = HSVtoRGB(
        Color(WrapHue(hsv.r + -0.026539659f), ClampSaturation(0.97610092f * hsv.g), hsv.b));
    EXPECT_EQ(out, AColor(expected, 1.0f));

    // The bump of the same sample comes from the same sub-map.
    sc.NewSample();
    EXPECT_EQ(map.EvalNormalPerturb(sc), Point3(0.0f, 0.0f, 1.0f));
}

TEST(EvalColor, WorkedExampleColourThroughTheWholeChain) {
    SolidColorMap sub(AColor(0.5f, 0.25f, 0.125f, 1.0f));
    CoreMap map;
    map.SetTable({{&sub, 1}});
    SimpleShadeContext sc;
    sc.mtlNum = 1;
    const Color hsv = RGBtoHSV(Color(0.55410856f, 0.30703631f, 0.17013146f));
    const Color expected =
        HSVtoRGB(Color(WrapHue(hsv.r - 0.026539659f), ClampSaturation(0.97610092f * hsv.g), hsv.b));
    const AColor out = EvalFresh(map, sc);
    EXPECT_NEAR(out.r, expected.r, 1e-6f);
    EXPECT_NEAR(out.g, expected.g, 1e-6f);
    EXPECT_NEAR(out.b, expected.b, 1e-6f);
    EXPECT_EQ(out.a, 1.0f);
}

TEST(EvalColor, NeutralSettingsReturnTheSubMapColourWithAlphaOne) {
    SolidColorMap sub(AColor(0.2f, 0.4f, 0.6f, 0.3f));
    CoreMap map;
    map.core.settings = NeutralSettings();
    map.SetTable({{&sub, 1}});
    SimpleShadeContext sc;
    for (int key = -50; key <= 50; ++key) {
        sc.mtlNum = key;
        const AColor out = EvalFresh(map, sc);
        EXPECT_NEAR(out.r, 0.2f, 1e-6f);
        EXPECT_NEAR(out.g, 0.4f, 1e-6f);
        EXPECT_NEAR(out.b, 0.6f, 1e-6f);
        EXPECT_EQ(out.a, 1.0f);  // the sub-map's alpha 0.3 is lost
    }
}

TEST(EvalColor, EmptyTableGivesOpaqueBlackAndNoBump) {
    CoreMap map;
    SimpleShadeContext sc;
    for (int key : {0, 1, 77}) {
        sc.mtlNum = key;
        EXPECT_EQ(EvalFresh(map, sc), AColor(0.0f, 0.0f, 0.0f, 1.0f));
        sc.NewSample();
        EXPECT_EQ(map.EvalNormalPerturb(sc), Point3(0.0f, 0.0f, 0.0f));
    }
}

TEST(EvalColor, GammaExponentOfZeroMakesChannelsZeroOrOne) {
    SolidColorMap sub(AColor(0.0f, 0.3f, 0.7f, 1.0f));
    CoreMap map;
    map.core.settings = NeutralSettings();
    map.core.settings.allGamma = 0.0f;
    map.SetTable({{&sub, 1}});
    SimpleShadeContext sc;
    EXPECT_EQ(EvalFresh(map, sc), AColor(0.0f, 1.0f, 1.0f, 1.0f));
    map.core.settings.allGamma = -2.0f;
    EXPECT_EQ(EvalFresh(map, sc), AColor(0.0f, 1.0f, 1.0f, 1.0f));
}

TEST(EvalColor, UseColorVariesThePlainColourWithTheSameDraws) {
    ThreeMaps m;
    CoreMap withMaps, withColor;
    withMaps.SetTable({{&m.a, 1}, {&m.b, 1}, {&m.c, 1}});
    withColor.SetTable({{&m.a, 1}, {&m.b, 1}, {&m.c, 1}});
    withColor.core.settings.useColor = 1;
    withColor.core.settings.subColor = Color(0.0f, 0.0f, 1.0f);  // equals C
    SimpleShadeContext sc;
    int matched = 0;
    for (int key = 0; key < 300; ++key) {
        sc.mtlNum = key;
        const AColor plain = EvalFresh(withColor, sc);
        EXPECT_EQ(plain.a, 1.0f);
        // Where the sub-map path picks C the two results agree exactly: same draws, same base.
        sc.NewSample();
        const Point3 bump = withColor.EvalNormalPerturb(sc);
        if (bump == Point3(0.0f, 0.0f, 1.0f)) {
            EXPECT_EQ(EvalFresh(withMaps, sc), plain) << key;
            ++matched;
        }
    }
    EXPECT_GT(matched, 50);
    // The plain colour never evaluates a sub-map's colour, but the bump still comes from one.
    EXPECT_EQ(m.c.colorCalls.load(), matched);
    EXPECT_GT(m.a.perturbCalls.load() + m.b.perturbCalls.load(), 0);
}

TEST(EvalColor, KeyZeroGetsTheSameDrawsWhateverTheSeed) {
    ThreeMaps m;
    CoreMap map;
    map.SetTable({{&m.a, 1}, {&m.b, 1}, {&m.c, 1}});
    SimpleShadeContext sc;
    sc.mtlNum = 0;
    const AColor first = EvalFresh(map, sc);
    for (int seed : {1, 999, 99999}) {
        map.core.settings.seed = seed;
        EXPECT_EQ(EvalFresh(map, sc), first);
    }
    // Draw 38 picks index 38 mod 3 = 2: C.
    EXPECT_EQ(m.c.colorCalls.load(), 4);
}

TEST(EvalColor, CacheHitReturnsWithoutGBufferCallOrSubMapEvaluation) {
    ThreeMaps m;
    CoreMap map;
    map.gbufID = 7;
    map.SetTable({{&m.a, 1}});
    SimpleShadeContext sc;
    sc.mtlNum = 3;
    const AColor first = EvalFresh(map, sc);
    EXPECT_EQ(sc.GBufferIdCalls(), 1);
    EXPECT_EQ(sc.out.gbufId, 7);
    EXPECT_EQ(m.a.colorCalls.load(), 1);

    // Same sample: served from the cache, no G-buffer call, no sub-map evaluation.
    EXPECT_EQ(map.EvalColor(sc), first);
    EXPECT_EQ(sc.GBufferIdCalls(), 1);
    EXPECT_EQ(m.a.colorCalls.load(), 1);

    // A planted cache value is returned exactly as the cache holds it.
    sc.NewSample();
    sc.PutCache(&map, AColor(0.25f, 0.5f, 0.75f, 0.125f));
    EXPECT_EQ(map.EvalColor(sc), AColor(0.25f, 0.5f, 0.75f, 0.125f));
    EXPECT_EQ(sc.GBufferIdCalls(), 0);

    // Without a G-buffer ID the sample is not told anything.
    map.gbufID = 0;
    EvalFresh(map, sc);
    EXPECT_EQ(sc.GBufferIdCalls(), 0);
}

TEST(EvalMono, IsTheOrderedMeanOfTheColourAndFillsTheCache) {
    CountingMap warm(AColor(0.3f, 0.6f, 0.9f, 1.0f));
    CountingMap red(AColor(1.0f, 0.0f, 0.0f, 1.0f));
    CoreMap map;
    map.SetTable({{&warm, 1}, {&red, 1}});
    SimpleShadeContext sc;
    for (int key = 0; key < 40; ++key) {
        sc.mtlNum = key;
        sc.NewSample();
        const float mono = map.EvalMono(sc);
        const int callsAfterMono = warm.colorCalls.load() + red.colorCalls.load();
        const AColor c = map.EvalColor(sc);  // served from the cache EvalMono filled
        EXPECT_EQ(mono, ((c.g + c.r) + c.b) / 3.0f);
        EXPECT_EQ(warm.colorCalls.load() + red.colorCalls.load(), callsAfterMono);
    }
    EXPECT_EQ(warm.colorCalls.load() + red.colorCalls.load(), 40);
}

TEST(EvalNormalPerturb, CachedSeparatelyAndDrawsNothingWithEmptyTable) {
    ThreeMaps m;
    CoreMap map;
    map.SetTable({{&m.b, 1}});
    SimpleShadeContext sc;
    EXPECT_EQ(map.EvalNormalPerturb(sc), Point3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(map.EvalNormalPerturb(sc), Point3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(m.b.perturbCalls.load(), 1);
}

TEST(SampleKeys, KeyModeAppliesOnlyInsideARenderBegunWithFlagsZero) {
    // Each key picks a different entry of a 1000-entry table, so the pick reveals the key.
    std::vector<SolidColorMap> subs(1000);
    CoreMap map;
    for (auto& s : subs) {
        map.core.pickTable.Add(&s, 1);
    }
    auto pickedFor = [&](ShadeContext& sc) {
        const int draw =
            DrawSample(SampleSeed(SampleKey(sc, map.core.settings, map.core.forceMaterialIdKey),
                                  map.core.settings.seed))
                .pick;
        return draw;
    };
    SimpleNode node(4242);
    SimpleShadeContext sc;
    sc.mtlNum = 5;
    sc.SetNode(&node);
    sc.SetUVW(99, Point3(0.0f, 0.0f, -3.7f));

    struct Case {
        int keyMode;
        bool inRender;
        ULONG flags;
        std::int32_t expectedKey;
    };
    const Case cases[] = {
        {0, true, 0, 5},  {1, true, 0, 4242}, {2, true, 0, -3}, {7, true, 0, -3},
        {1, false, 0, 5}, {2, false, 0, 5},   {1, true, 1, 5},  {2, true, 0x10, 5},
    };
    for (const Case& c : cases) {
        map.core.settings.keyMode = c.keyMode;
        if (c.inRender) {
            EXPECT_EQ(map.RenderBegin(0, c.flags), 1);
        }
        EXPECT_EQ(SampleKey(sc, map.core.settings, map.core.forceMaterialIdKey), c.expectedKey)
            << "mode " << c.keyMode << " render " << c.inRender << " flags " << c.flags;
        sc.NewSample();
        map.EvalColor(sc);
        EXPECT_EQ(pickedFor(sc), DrawSample(SampleSeed(c.expectedKey, 12345)).pick);
        EXPECT_EQ(map.RenderEnd(0), 1);
        EXPECT_EQ(map.core.forceMaterialIdKey, 1);
    }

    // Object mode on a sample without a node falls back to the material ID.
    map.core.settings.keyMode = 1;
    map.RenderBegin(0, 0);
    sc.SetNode(nullptr);
    EXPECT_EQ(SampleKey(sc, map.core.settings, map.core.forceMaterialIdKey), 5);
    map.RenderEnd(0);
}

TEST(EvalColor, TileKeysSelectTilesAndFractionsShareAKey) {
    ThreeMaps m;
    CoreMap map;
    map.SetTable({{&m.a, 1}, {&m.b, 1}, {&m.c, 1}});
    map.core.settings.keyMode = 2;
    map.RenderBegin(0, 0);
    SimpleShadeContext sc;
    sc.mtlNum = 9;
    sc.SetUVW(99, Point3(0.0f, 0.0f, 12.2f));
    const AColor tile12 = EvalFresh(map, sc);
    sc.SetUVW(99, Point3(0.0f, 0.0f, 12.9f));
    EXPECT_EQ(EvalFresh(map, sc), tile12);
    // Tile values strictly between -1 and 1 are key 0, like material ID 0.
    sc.SetUVW(99, Point3(0.0f, 0.0f, -0.5f));
    const AColor tile0 = EvalFresh(map, sc);
    map.RenderEnd(0);
    sc.mtlNum = 0;
    EXPECT_EQ(EvalFresh(map, sc), tile0);
}

TEST(EvalColor, NoNaNWhateverTheSubMapReturns) {
    const AColor colours[] = {
        AColor(kNaN, 0.5f, 0.5f, 1.0f),  AColor(kNaN, kNaN, kNaN, kNaN),
        AColor(-1.0f, 0.5f, 0.2f, 1.0f), AColor(-0.5f, -0.25f, -2.0f, 1.0f),
        AColor(1e30f, 1.0f, 0.0f, 1.0f), AColor(3.0e38f, 3.0e38f, 1.0f, 1.0f),
        AColor(kInf, kInf, kInf, 1.0f),  AColor(-kInf, 0.0f, 1.0f, 1.0f),
        AColor(kInf, -kInf, kNaN, 1.0f),
    };
    const Point3 bumps[] = {Point3(kNaN, 0.0f, 1.0f), Point3(kInf, -kInf, kNaN)};

    // Exponents below, at and above 1, integral (where negative bases stay finite) and
    // fractional, the zero branch, and settings that are themselves out of any sane range.
    std::vector<ShadeSettings> settings(8);
    settings[1] = NeutralSettings();  // exponent exactly 1
    settings[2] = NeutralSettings(), settings[2].allGamma = 3.0f;
    settings[3] = NeutralSettings(), settings[3].allGamma = 0.0f;
    settings[4].allGamma = 100.0f, settings[4].rndGamma = 100.0f;
    settings[5].allHue = kInf, settings[5].allSat = kNaN;
    settings[6].rndSat = 1e38f, settings[6].allSat = 1e38f, settings[6].hueDistribution = kNaN;
    settings[7].allGamma = kNaN, settings[7].useColor = 1,
    settings[7].subColor = Color(kNaN, -1.0f, kInf);

    SimpleShadeContext sc;
    for (const AColor& colour : colours) {
        for (const Point3& bump : bumps) {
            SolidColorMap sub(colour, bump);
            for (const ShadeSettings& s : settings) {
                CoreMap map;
                map.core.settings = s;
                map.SetTable({{&sub, 1}});
                for (int key = 0; key < 64; ++key) {
                    sc.mtlNum = key;
                    const AColor out = EvalFresh(map, sc);
                    for (int ch = 0; ch < 4; ++ch) {
                        ASSERT_GE(out[ch], 0.0f) << "channel " << ch;
                        ASSERT_LE(out[ch], 1.0f) << "channel " << ch;
                    }
                    sc.NewSample();
                    ASSERT_FALSE(std::isnan(map.EvalMono(sc)));
                    sc.NewSample();
                    const Point3 p = map.EvalNormalPerturb(sc);
                    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
                }
            }
        }
    }
}

TEST(EvalColor, FiniteOutOfRangeChannelsKeepTheirMeaning) {
    // Guarding against NaN must not change what finite values give: a channel above 1 and a
    // negative one under exponent 1 go through HSV unchanged.
    SolidColorMap sub(AColor(2.0f, -0.5f, 0.5f, 1.0f));
    CoreMap map;
    map.core.settings = NeutralSettings();
    map.SetTable({{&sub, 1}});
    SimpleShadeContext sc;
    const Color hsv = RGBtoHSV(Color(2.0f, -0.5f, 0.5f));
    AColor expected(HSVtoRGB(Color(hsv.r, ClampSaturation(hsv.g), hsv.b)), 1.0f);
    expected.ClampMinMax();
    EXPECT_EQ(EvalFresh(map, sc), expected);
}

TEST(EvalColor, NestedMapDoesNotDisturbTheOuterDraws) {
    // The inner map reseeds its generator with a different seed; the outer result must be
    // exactly what it would be if the inner colour came from a constant map.
    ThreeMaps m;
    CoreMap inner;
    inner.core.settings.seed = 777;
    inner.SetTable({{&m.a, 1}, {&m.b, 2}, {&m.c, 3}});
    CoreMap outer;
    outer.SetTable({{&inner, 1}});

    SolidColorMap proxy;
    CoreMap reference;
    reference.SetTable({{&proxy, 1}});

    SimpleShadeContext sc;
    for (int key = -200; key < 200; ++key) {
        sc.mtlNum = key;
        const AColor innerColour = EvalFresh(inner, sc);
        proxy.SetColor(innerColour);
        ASSERT_EQ(EvalFresh(outer, sc), EvalFresh(reference, sc)) << key;
    }
}
