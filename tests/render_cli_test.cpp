// kaleidra render as a user runs it: the demo from nothing but the command, scenes with each
// layout, the same picture whatever the thread count, and refusals that write nothing.
#include <OpenImageIO/imageio.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_support.h"

namespace fs = std::filesystem;

namespace {

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

// Width and height of an image file; 0 x 0 when it cannot be read.
std::pair<int, int> SizeOf(const std::string& path) {
    auto in = OIIO::ImageInput::open(path);
    if (!in) {
        return {0, 0};
    }
    return {in->spec().width, in->spec().height};
}

std::string FloorScene() {
    return std::string(KALEIDRA_EXAMPLES_DIR) + "/scene/floor.json";
}

TEST(RenderCommand, TheDemoRunsWithTheCommandAloneAndReusesItsTextures) {
    TempFolder folder;
    const std::string env = "KALEIDRA_CACHE=" + Quoted(folder.File("cache")) + " ";
    const std::string out = folder.File("demo.png");
    // Through the shell: the environment variable for this run only.
    const std::string command = env + "'" + KALEIDRA_TOOL + "' render -o " + Quoted(out) + " 2>" +
                                Quoted(folder.File("err.txt"));
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadText(folder.File("err.txt"));
    EXPECT_EQ(SizeOf(out), std::make_pair(512, 512));
    // Standard error is no terminal here: no progress bar, nothing missing.
    EXPECT_EQ(ReadText(folder.File("err.txt")), "");
    int textures = 0;
    for (const auto& entry : fs::directory_iterator(folder.File("cache"))) {
        EXPECT_EQ(entry.path().extension(), ".png");
        ++textures;
    }
    EXPECT_EQ(textures, 6);
    const auto firstWrite = fs::last_write_time(*fs::directory_iterator(folder.File("cache")));
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(fs::last_write_time(*fs::directory_iterator(folder.File("cache"))), firstWrite);
}

TEST(RenderCommand, OneAndTwoThreadsWriteTheSameFile) {
    TempFolder folder;
    const std::string layouts[] = {"planks", "grid", "stripes"};
    for (const std::string& layout : layouts) {
        SCOPED_TRACE(layout);
        const std::string a = folder.File(layout + "1.png");
        const std::string b = folder.File(layout + "2.png");
        const std::string common = "render " + Quoted(FloorScene()) + " --map 'Floor tiles' " +
                                   "--layout " + layout + " --size 160x96 --key-mode tile " +
                                   "--seed 99 --frame 15";
        ASSERT_EQ(RunTool(folder, common + " --threads 1 -o " + Quoted(a)).exitCode, 0);
        ASSERT_EQ(RunTool(folder, common + " --threads 2 -o " + Quoted(b)).exitCode, 0);
        EXPECT_EQ(SizeOf(a), std::make_pair(160, 96));
        EXPECT_EQ(ReadText(a), ReadText(b));
    }
}

TEST(RenderCommand, TheExampleFindsItsBitmapBesideTheSceneFromAnyFolder) {
    TempFolder folder;  // the working folder: the texture's relative path is not found here
    const std::string out = folder.File("floor.png");
    const ToolRun run =
        RunTool(folder, "render " + Quoted(FloorScene()) + " --size 64x64 -o " + Quoted(out));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::exists(out));
    EXPECT_EQ(run.err.find("missing"), std::string::npos) << run.err;
}

TEST(RenderCommand, MissingBitmapsAreListedOnceAndStrictWritesNothing) {
    TempFolder folder;
    const std::string out = folder.File("floor.png");
    // The example scene copied without its textures folder: its bitmap file is not there.
    const std::string scene = folder.File("floor.json");
    fs::copy_file(FloorScene(), scene);
    const ToolRun run =
        RunTool(folder, "render " + Quoted(scene) + " --size 64x64 -o " + Quoted(out));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(fs::exists(out));
    const std::vector<std::string> lines = Lines(run.err);
    ASSERT_EQ(lines.size(), 1u) << run.err;
    EXPECT_NE(lines[0].find("oak.png"), std::string::npos);

    fs::remove(out);
    const ToolRun strict =
        RunTool(folder, "render " + Quoted(scene) + " --strict --size 64x64 -o " + Quoted(out));
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_NE(strict.err.find("oak.png"), std::string::npos);
    EXPECT_FALSE(fs::exists(out));
}

TEST(RenderCommand, RefusesBadInputAndWritesNothing) {
    TempFolder folder;
    const std::string out = folder.File("out.png");
    const struct {
        std::string arguments;
        const char* message;
    } cases[] = {
        {"--size 0x512", "kaleidra render: size 0x512 has no pixels"},
        {"--size 20000x20000", "too large"},
        {"--size 16384x16384", "megapixels"},
        {"--size big", "WIDTHxHEIGHT"},
        {"--layout hex", "hex not in"},
        {"--key-mode foo", "foo not in"},
        {"--threads -1", "--threads"},
        {"--bogus", "bogus"},
        {"--map Floor", "--map needs a SCENE"},
        {Quoted(folder.File("none.json")), "kaleidra render: "},
        {Quoted(FloorScene()) + " --map Nope", "no map named \"Nope\""},
        {Quoted(FloorScene()) + " --map Oak --seed 3", "need a Kaleidra map"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ToolRun run = RunTool(folder, "render " + c.arguments + " -o " + Quoted(out));
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(out));
    }
    // An output that cannot be written is refused before any rendering.
    const ToolRun run = RunTool(
        folder, "render " + Quoted(FloorScene()) + " -o " + Quoted(folder.File("no/x.png")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot create a file"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("oak.png"), std::string::npos);  // nothing was rendered
}

}  // namespace
