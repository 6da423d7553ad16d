// The stand-in host's value types: the parts of their behaviour that the map relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "acolor.h"
#include "hsv.h"
#include "interval.h"
#include "tab.h"

TEST(Interval, EmptyAndForeverAreTheDocumentedPairs) {
    const Interval empty;
    EXPECT_EQ(empty.Start(), static_cast<TimeValue>(0x80000000u));
    EXPECT_EQ(empty.End(), static_cast<TimeValue>(0x80000000u));
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(FOREVER.Start(), static_cast<TimeValue>(0x80000000u));
    EXPECT_EQ(FOREVER.End(), 0x7FFFFFFF);
    EXPECT_TRUE(NEVER == empty);
}

TEST(Interval, MembershipAndIntersection) {
    const Interval a(0, 100);
    EXPECT_TRUE(a.InInterval(0));
    EXPECT_TRUE(a.InInterval(100));
    EXPECT_FALSE(a.InInterval(101));
    EXPECT_FALSE(a.InInterval(-1));
    // The empty interval holds no time, not even its own bounds.
    EXPECT_FALSE(NEVER.InInterval(TIME_NegInfinity));
    EXPECT_TRUE(FOREVER.InInterval(TIME_NegInfinity));
    EXPECT_TRUE(FOREVER.InInterval(TIME_PosInfinity));

    struct Case {
        Interval x, y, expected;
    };
    const Case cases[] = {
        {Interval(0, 100), Interval(50, 200), Interval(50, 100)},
        {Interval(0, 100), Interval(100, 200), Interval(100, 100)},
        {Interval(0, 100), Interval(101, 200), NEVER},
        {Interval(0, 100), FOREVER, Interval(0, 100)},
        {FOREVER, NEVER, NEVER},
        {NEVER, FOREVER, NEVER},
    };
    for (const Case& c : cases) {
        const Interval got = c.x & c.y;
        EXPECT_TRUE(got == c.expected) << got.Start() << ".." << got.End();
    }
    Interval narrowed = FOREVER;
    narrowed &= Interval(10, 20);
    EXPECT_EQ(narrowed.Start(), 10);
    EXPECT_EQ(narrowed.End(), 20);
}

TEST(Tab, SetCountGrowsShrinksAndReleases) {
    Tab<int*> tab;
    EXPECT_EQ(tab.Count(), 0);
    int values[3] = {1, 2, 3};
    TBSetCount(tab.Header(), 3, static_cast<int>(sizeof(int*)), TRUE);
    ASSERT_EQ(tab.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        tab[i] = &values[i];
    }
    tab.SetCount(5);
    EXPECT_EQ(tab.Count(), 5);
    EXPECT_EQ(*tab[2], 3);  // existing elements survive growth
    tab.SetCount(2);
    EXPECT_EQ(tab.Count(), 2);
    EXPECT_EQ(tab.Allocated(), 2);
    tab.Init();
    EXPECT_EQ(tab.Count(), 0);
    EXPECT_EQ(tab.Allocated(), 0);
}

TEST(Tab, AppendInsertDeleteAndCopy) {
    Tab<int> tab;
    const int abc[3] = {10, 20, 30};
    tab.Append(3, abc);
    const int x = 15;
    tab.Insert(1, 1, &x);
    ASSERT_EQ(tab.Count(), 4);
    EXPECT_EQ(tab[1], 15);
    EXPECT_EQ(tab[3], 30);
    tab.Delete(0, 2);
    ASSERT_EQ(tab.Count(), 2);
    EXPECT_EQ(tab[0], 20);
    Tab<int> copy(tab);
    copy[0] = 99;
    EXPECT_EQ(tab[0], 20);  // deep copy
    EXPECT_EQ(copy.Count(), 2);
}

TEST(Tab, OutOfRangeAccessThrows) {
    Tab<int> tab;
    EXPECT_THROW(tab[0], TabOutOfRangeException);
    tab.SetCount(2);
    EXPECT_NO_THROW(tab[1]);
    EXPECT_THROW(tab[2], TabOutOfRangeException);
    EXPECT_THROW(tab[-1], TabOutOfRangeException);
}

TEST(ColorTypes, ConversionsBetweenColorAndAColor) {
    const AColor a(0.1f, 0.2f, 0.3f, 0.4f);
    const Color c = a;
    EXPECT_EQ(c, Color(0.1f, 0.2f, 0.3f));
    const AColor back(c);
    EXPECT_EQ(back.a, 1.0f);
}

TEST(ColorTypes, ClampMinMaxClampsAllFourComponents) {
    AColor c(-0.5f, 0.5f, 2.0f, 7.0f);
    c.ClampMinMax();
    EXPECT_EQ(c, AColor(0.0f, 0.5f, 1.0f, 1.0f));
}

TEST(Hsv, PrimaryColoursAndRanges) {
    struct Case {
        Color rgb, hsv;
    };
    const Case cases[] = {
        {Color(1.0f, 0.0f, 0.0f), Color(0.0f, 1.0f, 1.0f)},
        {Color(0.0f, 1.0f, 0.0f), Color(1.0f / 3.0f, 1.0f, 1.0f)},
        {Color(0.0f, 0.0f, 1.0f), Color(2.0f / 3.0f, 1.0f, 1.0f)},
        {Color(1.0f, 0.0f, 1.0f), Color(5.0f / 6.0f, 1.0f, 1.0f)},
        {Color(0.5f, 0.5f, 0.5f), Color(0.0f, 0.0f, 0.5f)},
        {Color(0.0f, 0.0f, 0.0f), Color(0.0f, 0.0f, 0.0f)},
        {Color(0.5f, 0.25f, 0.0f), Color(1.0f / 12.0f, 1.0f, 0.5f)},
    };
    for (const Case& c : cases) {
        const Color hsv = RGBtoHSV(c.rgb);
        EXPECT_NEAR(hsv.r, c.hsv.r, 1e-6f);
        EXPECT_NEAR(hsv.g, c.hsv.g, 1e-6f);
        EXPECT_NEAR(hsv.b, c.hsv.b, 1e-6f);
        const Color rgb = HSVtoRGB(hsv);
        EXPECT_NEAR(rgb.r, c.rgb.r, 1e-6f);
        EXPECT_NEAR(rgb.g, c.rgb.g, 1e-6f);
        EXPECT_NEAR(rgb.b, c.rgb.b, 1e-6f);
    }
    // A hue of a full turn is red again.
    const Color red = HSVtoRGB(Color(1.0f, 1.0f, 1.0f));
    EXPECT_EQ(red, Color(1.0f, 0.0f, 0.0f));
}

TEST(Hsv, RoundTripOverAGrid) {
    for (int r = 0; r <= 10; ++r) {
        for (int g = 0; g <= 10; ++g) {
            for (int b = 0; b <= 10; ++b) {
                const Color rgb(static_cast<float>(r) / 10.0f, static_cast<float>(g) / 10.0f,
                                static_cast<float>(b) / 10.0f);
                const Color hsv = RGBtoHSV(rgb);
                ASSERT_GE(hsv.r, 0.0f);
                ASSERT_LT(hsv.r, 1.0f);
                ASSERT_GE(hsv.g, 0.0f);
                ASSERT_LE(hsv.g, 1.0f);
                const Color back = HSVtoRGB(hsv);
                ASSERT_NEAR(back.r, rgb.r, 2e-6f);
                ASSERT_NEAR(back.g, rgb.g, 2e-6f);
                ASSERT_NEAR(back.b, rgb.b, 2e-6f);
            }
        }
    }
}
