// The bitmap texture with real files: each test writes its images into a folder of its own,
// then reads them back through the image cache and samples them with the texture's settings.
#include <OpenImageIO/imageio.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "BitmapTexture.h"
#include "SimpleShadeContext.h"
#include "images/ImageCache.h"

namespace {

namespace fs = std::filesystem;

constexpr double kPi = 3.14159265358979323846;

// Writes an image file; pixels are interleaved, top row first, as files store them.
void WriteImage(const std::string& path, int width, int height, int channels, OIIO::TypeDesc type,
                const void* pixels) {
    auto out = OIIO::ImageOutput::create(path);
    ASSERT_TRUE(out) << OIIO::geterror();
    OIIO::ImageSpec format(width, height, channels, type);
    format.attribute("oiio:UnassociatedAlpha", 1);  // store the pixels exactly as given
    ASSERT_TRUE(out->open(path, format)) << out->geterror();
    ASSERT_TRUE(out->write_image(type, pixels)) << out->geterror();
    ASSERT_TRUE(out->close());
}

struct Settings {
    int filtering = FILTER_NADA;
    float blur = 1.0f;
    float wAng = 0.0f;  // radians
    float uScale = 1.0f, vScale = 1.0f;
    float uOffset = 0.0f, vOffset = 0.0f;
};

// Names the file, applies the settings and updates the map, as the host does before rendering.
void Configure(BitmapTexture& map, const std::string& path, const Settings& s = Settings()) {
    map.SetMapName(std::wstring(path.begin(), path.end()).c_str());
    map.SetFilterType(s.filtering);
    StdUVGen* gen = map.GetUVGen();
    gen->SetBlur(s.blur, 0);
    gen->SetWAng(s.wAng, 0);
    gen->SetUScl(s.uScale, 0);
    gen->SetVScl(s.vScale, 0);
    gen->SetUOffs(s.uOffset, 0);
    gen->SetVOffs(s.vOffset, 0);
    Interval valid = FOREVER;
    map.Update(0, valid);
}

AColor Sample(BitmapTexture& map, double u, double v, double du = 0.0, double dv = 0.0) {
    SimpleShadeContext sc;
    sc.SetUVW(0, Point3(u, v, 0.0));
    sc.SetDUVW(Point3(du, dv, 0.0));
    return map.EvalColor(sc);
}

void ExpectColorNear(const AColor& got, const AColor& want, float tolerance) {
    EXPECT_NEAR(got.r, want.r, tolerance);
    EXPECT_NEAR(got.g, want.g, tolerance);
    EXPECT_NEAR(got.b, want.b, tolerance);
    EXPECT_NEAR(got.a, want.a, tolerance);
}

void ExpectColorEq(const AColor& got, const AColor& want) {
    EXPECT_EQ(got.r, want.r);
    EXPECT_EQ(got.g, want.g);
    EXPECT_EQ(got.b, want.b);
    EXPECT_EQ(got.a, want.a);
}

// A 2 x 2 image whose texels all differ, with values only a float file keeps exactly.
const AColor kTopLeft(0.1f, 0.2f, 0.3f, 0.4f);
const AColor kTopRight(3.75f, -0.5f, 1e-3f, 1.0f);
const AColor kBottomLeft(0.123456789f, 7.0f, 0.0f, 0.5f);
const AColor kBottomRight(1.0f / 3.0f, 2.0f / 3.0f, 100.0f, 0.25f);

AColor MeanOfCorners() {
    const AColor c[] = {kTopLeft, kTopRight, kBottomLeft, kBottomRight};
    double sum[4] = {0.0, 0.0, 0.0, 0.0};
    for (const AColor& t : c) {
        for (int i = 0; i < 4; ++i) {
            sum[i] += t[i];
        }
    }
    return AColor(sum[0] / 4.0, sum[1] / 4.0, sum[2] / 4.0, sum[3] / 4.0);
}

class BitmapFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("kaleidra_bitmap_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        ImageCache::Global().Clear();
    }
    void TearDown() override {
        ImageCache::Global().Clear();
        fs::remove_all(dir);
    }

    std::string PathOf(const std::string& name) const { return (dir / name).string(); }

    std::string WriteCorners() {
        const std::string path = PathOf("corners.exr");
        std::vector<float> px;
        for (const AColor& c : {kTopLeft, kTopRight, kBottomLeft, kBottomRight}) {
            px.insert(px.end(), {c.r, c.g, c.b, c.a});
        }
        WriteImage(path, 2, 2, 4, OIIO::TypeDesc::FLOAT, px.data());
        return path;
    }

    // A 4 x 4 checker of 0 and 1, white at the bottom-left texel.
    std::string WriteChecker() {
        const std::string path = PathOf("checker.png");
        std::vector<std::uint8_t> px;
        for (int row = 0; row < 4; ++row) {
            for (int x = 0; x < 4; ++x) {
                const std::uint8_t value = (x + (3 - row)) % 2 == 0 ? 255 : 0;
                px.insert(px.end(), {value, value, value});
            }
        }
        WriteImage(path, 4, 4, 3, OIIO::TypeDesc::UINT8, px.data());
        return path;
    }

    // A single-colour 8-bit RGB file.
    std::string WriteFlat(const std::string& name, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        const std::string path = PathOf(name);
        const std::uint8_t px[] = {r, g, b, r, g, b, r, g, b, r, g, b};
        WriteImage(path, 2, 2, 3, OIIO::TypeDesc::UINT8, px);
        return path;
    }

    fs::path dir;
};

// --- Reading files ---

TEST_F(BitmapFiles, EightBitTexelsAreTheStoredValuesOver255AtTexelCentres) {
    const std::string path = PathOf("texels.png");
    std::vector<std::uint8_t> px;
    for (int row = 0; row < 4; ++row) {
        for (int x = 0; x < 4; ++x) {
            const int i = row * 4 + x;
            px.insert(
                px.end(),
                {static_cast<std::uint8_t>(i * 16 + 3), static_cast<std::uint8_t>(250 - i * 7),
                 static_cast<std::uint8_t>(x * 60), static_cast<std::uint8_t>(255 - row * 40)});
        }
    }
    WriteImage(path, 4, 4, 4, OIIO::TypeDesc::UINT8, px.data());
    BitmapTexture map;
    Configure(map, path);
    for (int row = 0; row < 4; ++row) {
        for (int x = 0; x < 4; ++x) {
            const std::uint8_t* t = &px[static_cast<std::size_t>((row * 4 + x) * 4)];
            const AColor c = Sample(map, (x + 0.5) / 4.0, 1.0 - (row + 0.5) / 4.0);
            SCOPED_TRACE("texel " + std::to_string(x) + "," + std::to_string(row));
            EXPECT_FLOAT_EQ(c.r, t[0] / 255.0f);
            EXPECT_FLOAT_EQ(c.g, t[1] / 255.0f);
            EXPECT_FLOAT_EQ(c.b, t[2] / 255.0f);
            EXPECT_FLOAT_EQ(c.a, t[3] / 255.0f);
        }
    }
}

TEST_F(BitmapFiles, FloatFileValuesComeBackExactly) {
    BitmapTexture map;
    Configure(map, WriteCorners());
    ExpectColorEq(Sample(map, 0.25, 0.75), kTopLeft);
    ExpectColorEq(Sample(map, 0.75, 0.75), kTopRight);
    ExpectColorEq(Sample(map, 0.25, 0.25), kBottomLeft);
    ExpectColorEq(Sample(map, 0.75, 0.25), kBottomRight);

    SimpleShadeContext sc;
    sc.SetUVW(0, Point3(0.75f, 0.25f, 0.0f));
    EXPECT_FLOAT_EQ(map.EvalMono(sc), (kBottomRight.r + kBottomRight.g + kBottomRight.b) / 3.0f);
    EXPECT_TRUE(map.EvalNormalPerturb(sc) == Point3(0.0f, 0.0f, 0.0f));
}

TEST_F(BitmapFiles, FilesWithoutAlphaAreOpaqueAndGreyFillsAllChannels) {
    const std::string rgbTiff = WriteFlat("rgb.tif", 51, 102, 204);
    const std::string greyTiff = PathOf("grey.tif");
    const std::uint8_t grey[] = {153, 153, 153, 153};
    WriteImage(greyTiff, 2, 2, 1, OIIO::TypeDesc::UINT8, grey);

    BitmapTexture rgb, mono;
    Configure(rgb, rgbTiff);
    Configure(mono, greyTiff);
    ExpectColorNear(Sample(rgb, 0.3, 0.3), AColor(0.2f, 0.4f, 0.8f, 1.0f), 1e-6f);
    ExpectColorNear(Sample(mono, 0.3, 0.3), AColor(0.6f, 0.6f, 0.6f, 1.0f), 1e-6f);
}

// --- Mapping through the generator ---

TEST_F(BitmapFiles, TilingOffsetsAndRotationMoveTheImage) {
    const std::string path = WriteCorners();
    const float quarterTurn = static_cast<float>(kPi / 2.0);
    struct Case {
        const char* what;
        Settings settings;
        double u, v;
        AColor want;
    };
    auto with = [](auto change) {
        Settings s;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"plain", Settings(), 0.25, 0.25, kBottomLeft},
        {"repeats outside 0..1", Settings(), 1.25, -0.75, kBottomLeft},
        {"repeats for negative coordinates", Settings(), -0.25, -1.25, kTopRight},
        // Tiling repeats the image about the centre: the centre keeps its texel.
        {"U tiling 2", with([](Settings& s) { s.uScale = 2.0f; }), 0.3, 0.3, kBottomLeft},
        {"U tiling 2, next repeat", with([](Settings& s) { s.uScale = 2.0f; }), 0.1, 0.3,
         kBottomRight},
        {"V tiling 2", with([](Settings& s) { s.vScale = 2.0f; }), 0.3, 0.1, kTopLeft},
        {"U offset half", with([](Settings& s) { s.uOffset = 0.5f; }), 0.25, 0.25, kBottomRight},
        {"V offset quarter", with([](Settings& s) { s.vOffset = 0.25f; }), 0.25, 0.6, kBottomLeft},
        // A quarter turn counter-clockwise: top-left goes to bottom-left, and so on round.
        {"W 90 bottom-left", with([&](Settings& s) { s.wAng = quarterTurn; }), 0.25, 0.25,
         kTopLeft},
        {"W 90 bottom-right", with([&](Settings& s) { s.wAng = quarterTurn; }), 0.75, 0.25,
         kBottomLeft},
        {"W 90 top-right", with([&](Settings& s) { s.wAng = quarterTurn; }), 0.75, 0.75,
         kBottomRight},
        {"W 90 top-left", with([&](Settings& s) { s.wAng = quarterTurn; }), 0.25, 0.75, kTopRight},
        {"W 180", with([](Settings& s) { s.wAng = static_cast<float>(kPi); }), 0.25, 0.25,
         kTopRight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BitmapTexture map;
        Configure(map, path, c.settings);
        ExpectColorEq(Sample(map, c.u, c.v), c.want);
    }
}

// --- Filtering ---

TEST_F(BitmapFiles, FilteredModesAreBilinearAtZeroFootprintAndAverageAtLargeOnes) {
    const std::string path = WriteChecker();
    struct Case {
        const char* what;
        double u, v, du, dv;
        float want;
    };
    // Shared by both filtered modes: what any sound filter gives on a 0/1 checker.
    const Case cases[] = {
        {"texel centre, no footprint", 0.125, 0.125, 0.0, 0.0, 1.0f},
        {"black texel centre, no footprint", 0.375, 0.125, 0.0, 0.0, 0.0f},
        {"between two centres, no footprint", 0.25, 0.125, 0.0, 0.0, 0.5f},
        {"whole image", 0.3, 0.7, 1.0, 1.0, 0.5f},
        {"several repeats", 0.9, 0.1, 3.0, 3.0, 0.5f},
        {"a 2 x 2 texel footprint", 0.25, 0.25, 0.5, 0.5, 0.5f},
    };
    for (int filtering : {FILTER_PYR, FILTER_SAT}) {
        BitmapTexture map;
        Settings s;
        s.filtering = filtering;
        Configure(map, path, s);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) +
                         (filtering == FILTER_PYR ? " (pyramidal)" : " (summed area)"));
            const AColor got = Sample(map, c.u, c.v, c.du, c.dv);
            ExpectColorNear(got, AColor(c.want, c.want, c.want, 1.0f), 1e-6f);
        }
    }
}

TEST_F(BitmapFiles, PyramidalBlendsTheTwoNearestLevels) {
    BitmapTexture map;
    Settings s;
    s.filtering = FILTER_PYR;
    Configure(map, WriteChecker(), s);
    // A footprint of sqrt(2) texels is level 0.5: halfway between the white texel (level 0)
    // and the grey of level 1.
    const double du = std::sqrt(2.0) / 4.0;
    EXPECT_NEAR(Sample(map, 0.125, 0.125, du, 0.0).r, 0.75f, 1e-6f);
}

TEST_F(BitmapFiles, SummedAreaAveragesExactlyTheFootprintBox) {
    BitmapTexture map;
    Settings s;
    s.filtering = FILTER_SAT;
    Configure(map, WriteCorners(), s);
    // One texel wide at a texel centre: that texel.
    ExpectColorNear(Sample(map, 0.75, 0.75, 0.5, 0.5), kTopRight, 1e-5f);
    // Whole image from any point, in one piece or across the repeat.
    ExpectColorNear(Sample(map, 0.5, 0.5, 1.0, 1.0), MeanOfCorners(), 1e-5f);
    ExpectColorNear(Sample(map, 0.1, 0.9, 1.0, 1.0), MeanOfCorners(), 1e-5f);
    // The bottom half: a box 1 wide and half high centred on the bottom row.
    const AColor bottom = Sample(map, 0.5, 0.25, 1.0, 0.5);
    EXPECT_NEAR(bottom.g, (kBottomLeft.g + kBottomRight.g) / 2.0f, 1e-5f);
    EXPECT_NEAR(bottom.b, (kBottomLeft.b + kBottomRight.b) / 2.0f, 1e-5f);
}

TEST_F(BitmapFiles, BlurWidensTheFootprint) {
    const std::string path = WriteCorners();
    for (int filtering : {FILTER_PYR, FILTER_SAT}) {
        SCOPED_TRACE(filtering == FILTER_PYR ? "pyramidal" : "summed area");
        BitmapTexture sharp, blurred;
        Settings s;
        s.filtering = filtering;
        Configure(sharp, path, s);
        s.blur = 2.0f;
        Configure(blurred, path, s);
        // A one-texel footprint keeps the texel; blur 2 spreads it over the whole image.
        ExpectColorNear(Sample(sharp, 0.25, 0.25, 0.5, 0.5), kBottomLeft, 1e-5f);
        ExpectColorNear(Sample(blurred, 0.25, 0.25, 0.5, 0.5), MeanOfCorners(), 1e-5f);
    }
}

TEST_F(BitmapFiles, CoordinatesFarOutOrNotFiniteStaySafe) {
    const std::string path = WriteCorners();
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int filtering : {FILTER_PYR, FILTER_SAT, FILTER_NADA}) {
        SCOPED_TRACE("filtering " + std::to_string(filtering));
        BitmapTexture map;
        Settings s;
        s.filtering = filtering;
        Configure(map, path, s);
        // A million repeats out still lands on the same texel.
        ExpectColorNear(Sample(map, 1e6 + 0.25, -1e6 + 0.25), kBottomLeft, 1e-5f);
        ExpectColorEq(Sample(map, nan, 0.5), AColor(0.0f, 0.0f, 0.0f, 1.0f));
        ExpectColorEq(Sample(map, 0.5, inf), AColor(0.0f, 0.0f, 0.0f, 1.0f));
        // An endless footprint is the whole image; a NaN footprint is none.
        ExpectColorNear(Sample(map, 0.25, 0.25, inf, inf),
                        filtering == FILTER_NADA ? kBottomLeft : MeanOfCorners(), 1e-4f);
        ExpectColorNear(Sample(map, 0.25, 0.25, nan, nan), kBottomLeft, 1e-5f);
    }
}

TEST_F(BitmapFiles, NoneIgnoresTheFootprint) {
    BitmapTexture map;
    Configure(map, WriteCorners());
    ExpectColorEq(Sample(map, 0.25, 0.25, 4.0, 4.0), kBottomLeft);
}

// --- The cache ---

TEST_F(BitmapFiles, AMissingFileIsBlackAndListedOnceWithItsReason) {
    const std::string missing = PathOf("nowhere.png");
    const std::string garbage = PathOf("garbage.png");
    std::ofstream(garbage) << "not an image";
    BitmapTexture a, b, c;
    Configure(a, missing);
    Configure(b, missing);
    Configure(c, garbage);
    Configure(a, missing);  // updating again records nothing new

    for (BitmapTexture* map : {&a, &b, &c}) {
        ExpectColorEq(Sample(*map, 0.5, 0.5), AColor(0.0f, 0.0f, 0.0f, 1.0f));
    }
    EXPECT_EQ(ImageCache::Global().MissingFiles(), (std::vector<std::string>{missing, garbage}));
    EXPECT_FALSE(ImageCache::Global().MissingReason(missing).empty());
    EXPECT_FALSE(ImageCache::Global().MissingReason(garbage).empty());
}

TEST_F(BitmapFiles, AMapWithoutAFileIsBlackAndMissesNothing) {
    BitmapTexture map;
    Interval valid = FOREVER;
    map.Update(0, valid);
    ExpectColorEq(Sample(map, 0.5, 0.5), AColor(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_TRUE(ImageCache::Global().MissingFiles().empty());
    EXPECT_EQ(ImageCache::Global().LoadCount(), 0);
}

TEST_F(BitmapFiles, AFileIsReadOnceHoweverManyMapsUseIt) {
    const std::string red = WriteFlat("red.png", 255, 0, 0);
    const std::string green = WriteFlat("green.png", 0, 255, 0);
    BitmapTexture a, b, c;
    Configure(a, red);
    Configure(b, red);
    Configure(a, red);
    EXPECT_EQ(ImageCache::Global().LoadCount(), 1);
    Configure(c, green);
    EXPECT_EQ(ImageCache::Global().LoadCount(), 2);
    ExpectColorEq(Sample(b, 0.5, 0.5), AColor(1.0f, 0.0f, 0.0f, 1.0f));
    ExpectColorEq(Sample(c, 0.5, 0.5), AColor(0.0f, 1.0f, 0.0f, 1.0f));
}

TEST_F(BitmapFiles, ReloadReplacesTheImageForEveryUser) {
    const std::string path = WriteFlat("swatch.png", 255, 0, 0);
    BitmapTexture a, b;
    Configure(a, path);
    Configure(b, path);
    WriteFlat("swatch.png", 0, 0, 255);
    ExpectColorEq(Sample(b, 0.5, 0.5), AColor(1.0f, 0.0f, 0.0f, 1.0f));  // not reread by itself

    a.ReloadBitmapAndUpdate();
    ExpectColorEq(Sample(a, 0.5, 0.5), AColor(0.0f, 0.0f, 1.0f, 1.0f));
    ExpectColorEq(Sample(b, 0.5, 0.5), AColor(0.0f, 0.0f, 1.0f, 1.0f));
    EXPECT_EQ(ImageCache::Global().LoadCount(), 2);
}

TEST_F(BitmapFiles, ReloadFindsAFileThatAppearedAndLosesOneThatWentAway) {
    const std::string path = PathOf("later.png");
    BitmapTexture map;
    Configure(map, path);
    ASSERT_EQ(ImageCache::Global().MissingFiles(), std::vector<std::string>{path});

    WriteFlat("later.png", 0, 255, 0);
    map.ReloadBitmapAndUpdate();
    EXPECT_TRUE(ImageCache::Global().MissingFiles().empty());
    ExpectColorEq(Sample(map, 0.5, 0.5), AColor(0.0f, 1.0f, 0.0f, 1.0f));

    fs::remove(path);
    ImageCache::Global().Reload(path);
    EXPECT_EQ(ImageCache::Global().MissingFiles(), std::vector<std::string>{path});
    ExpectColorEq(Sample(map, 0.5, 0.5), AColor(0.0f, 0.0f, 0.0f, 1.0f));
}

TEST_F(BitmapFiles, ConcurrentEvaluationMatchesSerialEvaluation) {
    const std::string path = PathOf("noise.exr");
    std::vector<float> px;
    for (int i = 0; i < 8 * 8; ++i) {
        px.insert(px.end(),
                  {static_cast<float>((i * 37) % 11) / 10.0f,
                   static_cast<float>((i * 13) % 7) / 6.0f, static_cast<float>(i) / 64.0f, 1.0f});
    }
    WriteImage(path, 8, 8, 4, OIIO::TypeDesc::FLOAT, px.data());

    std::array<BitmapTexture, 3> maps;
    const int filters[] = {FILTER_PYR, FILTER_SAT, FILTER_NADA};
    for (std::size_t i = 0; i < maps.size(); ++i) {
        Settings s;
        s.filtering = filters[i];
        s.wAng = 0.3f;
        s.uScale = 1.5f;
        Configure(maps[i], path, s);
    }
    auto evaluateAll = [&maps](std::vector<float>& out) {
        SimpleShadeContext sc;
        for (BitmapTexture& map : maps) {
            for (int k = 0; k < 400; ++k) {
                sc.NewSample();
                sc.SetUVW(0, Point3(static_cast<float>(k % 20) * 0.07f,
                                    static_cast<float>(k / 20) * 0.09f, 0.0f));
                sc.SetDUVW(Point3(static_cast<float>(k % 7) * 0.03f, 0.02f, 0.0f));
                const AColor c = map.EvalColor(sc);
                out.insert(out.end(), {c.r, c.g, c.b, c.a});
            }
        }
    };
    std::vector<float> serial;
    evaluateAll(serial);
    std::array<std::vector<float>, 4> parallel;
    std::vector<std::thread> threads;
    for (auto& out : parallel) {
        out.reserve(serial.size());
        threads.emplace_back([&evaluateAll, &out] { evaluateAll(out); });
    }
    for (auto& t : threads) {
        t.join();
    }
    for (const auto& out : parallel) {
        EXPECT_EQ(out, serial);
    }
}

}  // namespace
