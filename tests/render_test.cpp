// The render command's pieces without the command line: the keys each layout gives a pixel,
// renders through a map the loaded plug-in made, image files written whole or not at all, and
// the demo's textures.
#include <OpenImageIO/imageio.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <vector>

#include "BitmapTexture.h"
#include "DemoScene.h"
#include "ImageSize.h"
#include "ImageWriter.h"
#include "Layout.h"
#include "LoadedPluginFixture.h"
#include "MultiMapParamIDs.h"
#include "ProgressBar.h"
#include "Renderer.h"
#include "SolidColorMap.h"
#include "WideText.h"
#include "WoodTexture.h"
#include "scene_test_files.h"

namespace fs = std::filesystem;

namespace {

// The names in a folder.
std::vector<std::string> Entries(const TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

// ---- Layouts ----

struct KeyCase {
    const char* what;
    LayoutKind kind;
    int width, height;
    double x, y;
    bool grout;
    int mtlNum;
    unsigned long node;
    float tile;  // channel 99, z
    float u, v;
};

TEST(RenderLayout, GivesTheDocumentedKeys) {
    // Planks on 500x500: rows of 50 px, boards 200 px long, 4 tile numbers per row, each row
    // shifted by a third of a board (66.7 px) more than the one above.
    const KeyCase cases[] = {
        {"first board", LayoutKind::Planks, 500, 500, 25, 25, false, 1, 0, 1.0f, 0.125f, 0.5f},
        {"second board", LayoutKind::Planks, 500, 500, 225, 25, false, 2, 0, 2.0f, 0.125f, 0.5f},
        {"row 1 starts a third in", LayoutKind::Planks, 500, 500, 25, 75, false, 5, 0, 5.0f,
         0.458333f, 0.5f},
        {"row 1, past its first joint", LayoutKind::Planks, 500, 500, 140, 75, false, 6, 0, 6.0f,
         0.0333333f, 0.5f},
        {"row 2 joint at 66.7 px", LayoutKind::Planks, 500, 500, 70, 125, false, 10, 0, 10.0f,
         0.0166667f, 0.5f},
        {"gap between rows", LayoutKind::Planks, 500, 500, 25, 50.5, true, 5, 0, 5.0f, 0.458333f,
         0.99f},
        {"grid object 14", LayoutKind::Grid, 600, 600, 150, 250, false, 0, 14, 0.0f, 0.5f, 0.5f},
        {"grid first object", LayoutKind::Grid, 600, 600, 10, 90, false, 0, 1, 0.0f, 0.1f, 0.1f},
        {"grid gap", LayoutKind::Grid, 600, 600, 199, 250, true, 0, 14, 0.0f, 0.99f, 0.5f},
        {"stripe 3", LayoutKind::Stripes, 800, 100, 350, 50, false, 3, 0, 0.0f, 0.5f, 0.5f},
        {"stripe 0", LayoutKind::Stripes, 800, 100, 20, 100, false, 0, 0, 0.0f, 0.2f, 0.0f},
        {"stripe gap", LayoutKind::Stripes, 800, 100, 100.5, 50, true, 1, 0, 0.0f, 0.005f, 0.5f},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        const PixelKeys keys = Layout(c.kind, c.width, c.height).At(c.x, c.y);
        EXPECT_EQ(keys.grout, c.grout);
        EXPECT_EQ(keys.mtlNum, c.mtlNum);
        EXPECT_EQ(keys.node, c.node);
        EXPECT_EQ(keys.uvw99.z, c.tile);
        EXPECT_NEAR(keys.uvw.x, c.u, 1e-4);
        EXPECT_NEAR(keys.uvw.y, c.v, 1e-4);
        EXPECT_GT(keys.duvw.x, 0.0f);
        EXPECT_GT(keys.duvw.y, 0.0f);
    }
}

TEST(RenderLayout, PlankJointsAreStaggeredAndTilesUnique) {
    const Layout layout(LayoutKind::Planks, 400, 400);
    // Where a board ends in each of three rows: no two rows share a joint.
    std::vector<std::set<int>> joints(3);
    std::set<int> tiles;
    for (int row = 0; row < 3; ++row) {
        const double y = 20 + 40 * row;
        int last = layout.At(0.5, y).mtlNum;
        for (int x = 1; x < 400; ++x) {
            const int tile = layout.At(x + 0.5, y).mtlNum;
            tiles.insert(tile);
            if (tile != last) {
                joints[static_cast<std::size_t>(row)].insert(x);
                last = tile;
            }
        }
    }
    for (int a = 0; a < 3; ++a) {
        EXPECT_FALSE(joints[static_cast<std::size_t>(a)].empty());
        for (int b = a + 1; b < 3; ++b) {
            for (int x : joints[static_cast<std::size_t>(a)]) {
                EXPECT_EQ(joints[static_cast<std::size_t>(b)].count(x), 0u)
                    << "rows " << a << ", " << b;
            }
        }
    }
    EXPECT_EQ(Layout(LayoutKind::Grid, 600, 300).NodeCount(), 12 * 6);  // 50 px cells
    EXPECT_EQ(layout.NodeCount(), 0);
}

// ---- Progress ----

std::string Drawn(bool enabled, int rows) {
    std::FILE* out = std::tmpfile();
    {
        ProgressBar bar(rows, enabled, out);
        for (int i = 0; i < rows; ++i) {
            bar.Advance(1);
        }
    }  // finishes the line
    std::string text(static_cast<std::size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    const std::size_t got = std::fread(text.data(), 1, text.size(), out);
    std::fclose(out);
    text.resize(got);
    return text;
}

TEST(RenderProgress, DrawsOnlyWhenEnabledAndEndsAtFullOnce) {
    EXPECT_EQ(Drawn(false, 50), "");
    const std::string text = Drawn(true, 300);
    EXPECT_NE(text.find("  0%"), std::string::npos);
    EXPECT_NE(text.find("100%"), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\n'), text.size() - 1);  // one line, redrawn in place
    // One redraw per percent at most, not one per row.
    EXPECT_LE(std::count(text.begin(), text.end(), '\r'), 102);
}

// ---- Sizes ----

TEST(RenderImageSize, AcceptsSensibleSizesAndRefusesTheRest) {
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"512x512", true}, {"1x1", true},       {"16384x4096", true},  {"0x512", false},
        {"512x0", false},  {"16385x16", false}, {"16384x4097", false}, {"99999999x1", false},
        {"512", false},    {"x512", false},     {"-5x5", false},       {"5x5x5", false},
        {" 5x5", false},   {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.ok) {
            EXPECT_NO_THROW(ParseImageSize(c.text));
        } else {
            EXPECT_THROW(ParseImageSize(c.text), std::invalid_argument);
        }
    }
    const ImageSize size = ParseImageSize("640x360");
    EXPECT_EQ(size.width, 640);
    EXPECT_EQ(size.height, 360);
}

// ---- Image files ----

Image Gradient(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float* p = image.Pixel(x, y);
            p[0] = static_cast<float>(x) / static_cast<float>(width - 1);
            p[1] = static_cast<float>(y) / static_cast<float>(height - 1);
            p[2] = 0.25f;
            p[3] = 1.0f;
        }
    }
    return image;
}

std::vector<float> ReadBack(const std::string& path, int& width, int& height, int& channels) {
    auto in = OIIO::ImageInput::open(path);
    if (!in) {
        return {};
    }
    const OIIO::ImageSpec& header = in->spec();
    width = header.width;
    height = header.height;
    channels = header.nchannels;
    std::vector<float> pixels(static_cast<std::size_t>(width * height * channels));
    in->read_image(0, 0, 0, channels, OIIO::TypeDesc::FLOAT, pixels.data());
    return pixels;
}

TEST(RenderImageWriter, WritesEachFormatByExtension) {
    TempFolder folder;
    const Image image = Gradient(16, 8);
    const struct {
        const char* name;
        int channels;
        float tolerance;
    } cases[] = {{"out.png", 3, 0.5f / 255}, {"out.TIFF", 3, 0.5f / 65535}, {"out.exr", 4, 1e-3f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.File(c.name);
        WriteImageFile(path, image);
        int width = 0, height = 0, channels = 0;
        const std::vector<float> pixels = ReadBack(path, width, height, channels);
        ASSERT_EQ(width, 16);
        ASSERT_EQ(height, 8);
        ASSERT_EQ(channels, c.channels);
        const std::size_t at = (3 * 16 + 10) * static_cast<std::size_t>(channels);
        EXPECT_NEAR(pixels[at], image.Pixel(10, 3)[0], c.tolerance);
        EXPECT_NEAR(pixels[at + 1], image.Pixel(10, 3)[1], c.tolerance);
    }
    // Only the three files: no temporary one stays behind.
    EXPECT_EQ(Entries(folder).size(), 3u);
}

TEST(RenderImageWriter, RefusesUnwritablePathsAndLeavesNothingBehind) {
    TempFolder folder;
    fs::create_directory(folder.File("taken.png"));
    const std::string paths[] = {folder.File("no/such/folder/out.png"), folder.File("out.bmpx"),
                                 folder.File("taken.png")};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        EXPECT_THROW(CheckImageWritable(path), ImageWriteError);
        EXPECT_THROW(WriteImageFile(path, Gradient(4, 4)), ImageWriteError);
    }
    // The folder in the way is untouched and no temporary file is left.
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"taken.png"});
    EXPECT_TRUE(fs::is_directory(folder.File("taken.png")));
    EXPECT_NO_THROW(CheckImageWritable(folder.File("fine.png")));
    EXPECT_EQ(Entries(folder).size(), 1u);
}

// ---- Renders through the loaded plug-in ----

// Counts the render notifications it receives.
class CountingMap : public SolidColorMap {
public:
    using SolidColorMap::SolidColorMap;
    int RenderBegin(TimeValue, ULONG flags) override {
        ++begins;
        lastFlags = flags;
        return 1;
    }
    int RenderEnd(TimeValue) override {
        ++ends;
        return 1;
    }
    int begins = 0;
    int ends = 0;
    ULONG lastFlags = 99;
};

class RenderTest : public LoadedPluginTest {
protected:
    // A map of three solid colours with strong hue and gamma spreads, keyed by keyMode.
    Texmap* VariedMap(int keyMode) {
        Texmap* map = NewMap();
        IParamBlock2* block = map->GetParamBlock(0);
        const AColor colors[] = {AColor(0.8f, 0.3f, 0.2f, 1.0f), AColor(0.2f, 0.6f, 0.3f, 1.0f),
                                 AColor(0.3f, 0.3f, 0.8f, 1.0f)};
        for (const AColor& c : colors) {
            subs.push_back(new CountingMap(c));
            Texmap* sub = subs.back();
            block->Append(pb_submaps, 1, &sub);
        }
        block->SetValue(pb_rnd_hue, 0, 30.0f);
        block->SetValue(pb_rnd_gamma, 0, 0.4f);
        block->SetValue(pb_rnd_by, 0, keyMode);
        return map;
    }

    static Image Render(Texmap* map, LayoutKind layout, int threads, int width = 96,
                        int height = 64) {
        RenderSettings settings;
        settings.layout = layout;
        settings.width = width;
        settings.height = height;
        settings.threads = threads;
        RenderPass pass(CollectMaps({map}), settings.time);
        return RenderMap(*map, settings);
    }

    std::vector<CountingMap*> subs;
};

bool SameColor(const Image& image, int x0, int y0, int x1, int y1) {
    return std::memcmp(image.Pixel(x0, y0), image.Pixel(x1, y1), 4 * sizeof(float)) == 0;
}

TEST_F(RenderTest, OneAndTwoThreadsGiveTheSameBits) {
    const struct {
        LayoutKind layout;
        int keyMode;
    } cases[] = {{LayoutKind::Planks, 2}, {LayoutKind::Grid, 1}, {LayoutKind::Stripes, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyMode);
        Texmap* map = VariedMap(c.keyMode);
        const Image one = Render(map, c.layout, 1);
        const Image two = Render(map, c.layout, 2);
        const Image all = Render(map, c.layout, 0);
        ASSERT_EQ(one.rgba.size(), static_cast<std::size_t>(96 * 64 * 4));
        EXPECT_EQ(std::memcmp(one.rgba.data(), two.rgba.data(), one.rgba.size() * sizeof(float)),
                  0);
        EXPECT_EQ(std::memcmp(one.rgba.data(), all.rgba.data(), one.rgba.size() * sizeof(float)),
                  0);
        // The picture is not uniform: elements differ.
        std::set<std::vector<float>> colors;
        for (int x = 0; x < 96; x += 3) {
            colors.insert(std::vector<float>(one.Pixel(x, 40), one.Pixel(x, 40) + 3));
        }
        EXPECT_GT(colors.size(), 3u);
        map->DeleteThis();
        subs.clear();
    }
}

TEST_F(RenderTest, EachElementKeepsOneLookByItsKey) {
    // 96x64 planks: rows of 6.4 px, boards 25.6 px. Inside one board the key is the same, so
    // the colour is; the map is keyed by tile, which only takes effect inside the render.
    Texmap* map = VariedMap(2);
    const Image planks = Render(map, LayoutKind::Planks, 2);
    EXPECT_TRUE(SameColor(planks, 5, 3, 20, 3));
    std::set<std::vector<float>> boards;
    for (int x = 4; x < 96; x += 26) {
        for (int y = 3; y < 64; y += 13) {
            boards.insert(std::vector<float>(planks.Pixel(x, y), planks.Pixel(x, y) + 3));
        }
    }
    EXPECT_GT(boards.size(), 4u);
    map->DeleteThis();
    subs.clear();

    // Grid keyed by object: one look per object (cells of 10.7 px).
    map = VariedMap(1);
    const Image grid = Render(map, LayoutKind::Grid, 2);
    EXPECT_TRUE(SameColor(grid, 2, 2, 8, 8));
    map->DeleteThis();
    subs.clear();
}

TEST_F(RenderTest, ThePassTellsEveryMapOnceAndGroutIsDark) {
    Texmap* map = VariedMap(2);
    const std::vector<Texmap*> maps = CollectMaps({map, map});
    ASSERT_EQ(maps.size(), 4u);  // the map and its three sub-maps, each once
    {
        RenderPass pass(maps, 160);
        for (CountingMap* sub : subs) {
            EXPECT_EQ(sub->begins, 1);
            EXPECT_EQ(sub->lastFlags, 0u);
            EXPECT_EQ(sub->ends, 0);
        }
    }
    for (CountingMap* sub : subs) {
        EXPECT_EQ(sub->ends, 1);
    }
    // Stripes 50 px wide: column 0 lies in the gap left of stripe 0 (all its samples).
    const Image image = Render(map, LayoutKind::Stripes, 1, 400, 8);
    EXPECT_EQ(image.Pixel(0, 4)[0], kGroutColor[0]);
    EXPECT_EQ(image.Pixel(0, 4)[2], kGroutColor[2]);
    map->DeleteThis();
    subs.clear();
}

TEST_F(RenderTest, AbsurdSizesAreRefusedBeforeAnyWork) {
    Texmap* map = VariedMap(0);
    RenderSettings settings;
    settings.width = 0;
    EXPECT_THROW(RenderMap(*map, settings), std::invalid_argument);
    settings.width = 20000;
    settings.height = 10;
    EXPECT_THROW(RenderMap(*map, settings), std::invalid_argument);
    map->DeleteThis();
    subs.clear();
}

// ---- The demo ----

TEST(RenderDemo, TexturesAreMadeOnceAndReused) {
    TempFolder folder;
    const std::string cache = folder.File("cache/kaleidra");
    const DemoTextures first = EnsureDemoTextures(cache);
    ASSERT_EQ(first.files.size(), static_cast<std::size_t>(kWoodSpecies));
    EXPECT_EQ(first.generated, kWoodSpecies);
    std::vector<fs::file_time_type> times;
    for (const std::string& file : first.files) {
        ASSERT_TRUE(fs::exists(file)) << file;
        times.push_back(fs::last_write_time(file));
    }
    // One file lost: only that one is made again.
    fs::remove(first.files[2]);
    const DemoTextures second = EnsureDemoTextures(cache);
    EXPECT_EQ(second.generated, 1);
    EXPECT_EQ(second.files, first.files);
    for (std::size_t i = 0; i < first.files.size(); ++i) {
        if (i != 2) {
            EXPECT_EQ(fs::last_write_time(first.files[i]), times[i]) << first.files[i];
        }
    }
    EXPECT_EQ(EnsureDemoTextures(cache).generated, 0);

    int width = 0, height = 0, channels = 0;
    EXPECT_FALSE(ReadBack(first.files[0], width, height, channels).empty());
    EXPECT_EQ(width, kWoodWidth);
    EXPECT_EQ(height, kWoodHeight);
}

TEST(RenderDemo, WoodIsDeterministicAndDiffersBySpecies) {
    const Image a = MakeWoodTexture(1);
    const Image b = MakeWoodTexture(1);
    const Image c = MakeWoodTexture(2);
    EXPECT_EQ(a.rgba, b.rgba);
    EXPECT_NE(a.rgba, c.rgba);
    for (float value : a.rgba) {
        ASSERT_GE(value, 0.0f);
        ASSERT_LE(value, 1.0f);
    }
}

TEST(RenderDemo, CacheFolderFollowsTheEnvironment) {
    const char* saved[] = {"KALEIDRA_CACHE", "XDG_CACHE_HOME", "HOME"};
    std::vector<std::string> values;
    for (const char* name : saved) {
        const char* v = getenv(name);
        values.push_back(v ? v : "");
    }
    setenv("KALEIDRA_CACHE", "/a/own", 1);
    setenv("XDG_CACHE_HOME", "/b/xdg", 1);
    setenv("HOME", "/c/home", 1);
    EXPECT_EQ(DemoCacheFolder(), "/a/own");
    unsetenv("KALEIDRA_CACHE");
    EXPECT_EQ(DemoCacheFolder(), "/b/xdg/kaleidra/demo");
    unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(DemoCacheFolder(), "/c/home/.cache/kaleidra/demo");
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i].empty()) {
            unsetenv(saved[i]);
        } else {
            setenv(saved[i], values[i].c_str(), 1);
        }
    }
}

class RenderDemoMapTest : public LoadedPluginTest {};

TEST_F(RenderDemoMapTest, HoldsOneBitmapPerFileAndTheDefaultSpreads) {
    Texmap* map = NewMap();
    const std::vector<std::string> files = {"/x/wood-1.png", "/x/wood-2.png", "/x/wood-3.png"};
    SetUpDemoMap(map, files);
    ASSERT_EQ(map->NumSubTexmaps(), 3);
    for (int i = 0; i < 3; ++i) {
        auto* bitmap = dynamic_cast<BitmapTexture*>(map->GetSubTexmap(i));
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(ToUtf8(bitmap->GetMapName()), files[static_cast<std::size_t>(i)]);
    }
    IParamBlock2* block = map->GetParamBlock(0);
    EXPECT_EQ(block->GetFloat(pb_rnd_gamma), 0.2f);
    EXPECT_EQ(block->GetFloat(pb_rnd_hue), 15.0f);
    EXPECT_EQ(block->GetFloat(pb_rnd_sat), 10.0f);
    EXPECT_EQ(block->GetInt(pb_rnd_by), 2);
    map->DeleteThis();
}

}  // namespace
