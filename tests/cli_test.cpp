// The kaleidra command as a user meets it: info, stats, swatch, the command line, and bad input
// refused with exit code 1 and nothing written.
#include <gtest/gtest.h>

#include <OpenImageIO/imageio.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>

#include "cli_test_support.h"

namespace {

class CliTest : public ::testing::Test {
protected:
    std::string WriteScene(const MultiMapScene& scene, const std::string& name = "scene.json") {
        const std::string path = folder.File(name);
        WriteText(path, scene.Text());
        return path;
    }
    // The rows of a stats table by entry index: the whitespace-separated fields after the
    // index (name, on, weight, weight share, draws, chance, keys, received).
    static std::map<int, std::vector<std::string>> StatsRows(const std::string& out) {
        std::map<int, std::vector<std::string>> rows;
        for (const std::string& line : Lines(out)) {
            std::istringstream in(line);
            int index = 0;
            if (in >> index) {
                std::vector<std::string> fields;
                for (std::string f; in >> f;) {
                    fields.push_back(f);
                }
                rows[index] = fields;
            }
        }
        return rows;
    }

    TempFolder folder;
};

TEST_F(CliTest, InfoNamesTheHostThePlugInAndItsClass) {
    const ToolRun run = RunTool(folder, "info");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Host version: 2025 (0x"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Kaleidra.dlt"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("class ID (0x55C6D763, 0xC637BB2E), super class 0x00000C10"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("(host 2025 (0x"), std::string::npos) << run.out;
}

// Weights 1 and 2: 32768 draws split 10923 / 21845 (draw mod 3 is 0 once more often than 1 or
// 2), so the chances differ from the weight shares 1/3 and 2/3.
TEST_F(CliTest, StatsCountsThePickOverAllDraws) {
    MultiMapScene scene;
    scene.entries = {{"One", {1, 0, 0}, {0, 0, 0}, true, 1},
                     {"Two", {0, 1, 0}, {0, 0, 0}, true, 2},
                     {"Off", {0, 0, 1}, {0, 0, 0}, false, 4}};
    const ToolRun run =
        RunTool(folder, "stats '" + WriteScene(scene) + "' --map Tiles --keys -50..49");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto rows = StatsRows(run.out);
    ASSERT_EQ(rows.size(), 3u) << run.out;
    EXPECT_EQ(rows[0], (std::vector<std::string>{"One", "on", "1", "0.333333", "10923", "0.333344",
                                                 rows[0].at(6), rows[0].at(7)}));
    EXPECT_EQ(rows[1].at(4), "21845");
    EXPECT_EQ(rows[1].at(5), "0.666656");
    EXPECT_EQ(rows[2].at(1), "off");
    EXPECT_EQ(rows[2].at(3), "0.000000");
    EXPECT_EQ(rows[2].at(4), "0");
    EXPECT_EQ(std::stoi(rows[0].at(6)) + std::stoi(rows[1].at(6)), 100);
    EXPECT_EQ(rows[2].at(6), "0");
}

// The keys stats counts per entry are the entries eval shows for the same keys: without
// variation each key's colour is its entry's own.
TEST_F(CliTest, StatsAgreesWithTheMapsOwnPickKeyByKey) {
    MultiMapScene scene = WorkedExampleScene();
    scene.entries.push_back({"D", {0.5f, 0.5f, 0.0f}, {0, 0, 0}, true, 7});
    scene.rndGamma = scene.rndHue = scene.rndSat = 0.0f;
    const std::string path = WriteScene(scene);

    std::string input;
    for (int key = -100; key < 100; ++key) {
        input += "{\"mtlNum\":" + std::to_string(key) + "}\n";
    }
    const ToolRun eval = RunTool(folder, "eval '" + path + "' --map Tiles", input);
    ASSERT_EQ(eval.exitCode, 0) << eval.err;
    std::map<float, int> byRed;  // the entries' red channels differ
    for (const std::string& line : Lines(eval.out)) {
        ++byRed[nlohmann::json::parse(line).at("color").at(0).get<float>()];
    }
    const ToolRun stats = RunTool(folder, "stats '" + path + "' --map Tiles --keys -100..99");
    ASSERT_EQ(stats.exitCode, 0) << stats.err;
    auto rows = StatsRows(stats.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(std::stoi(rows[0].at(6)), byRed[0.9f]);
    EXPECT_EQ(std::stoi(rows[1].at(6)), 0);
    EXPECT_EQ(std::stoi(rows[2].at(6)), byRed[0.2f]);
    EXPECT_EQ(std::stoi(rows[3].at(6)), byRed[0.5f]);
    EXPECT_GT(byRed[0.9f] * byRed[0.2f] * byRed[0.5f], 0) << "every entry picked";
}

TEST_F(CliTest, StatsPlotsABarChart) {
    const std::string plot = folder.File("shares.png");
    const ToolRun run = RunTool(folder, "stats '" + WriteScene(WorkedExampleScene()) +
                                            "' --map Tiles --keys 0..999 --plot '" + plot + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto in = OIIO::ImageInput::open(plot);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->spec().nchannels, 3);
    EXPECT_GE(in->spec().width, 320);
}

// A map of solid colours has a uniform swatch: the colour eval gives outside a render for
// material ID 0, as 8-bit values.
TEST_F(CliTest, SwatchWritesTheViewportImageAtItsSize) {
    const std::string path = WriteScene(WorkedExampleScene());
    const std::string png = folder.File("swatch.png");
    const ToolRun run =
        RunTool(folder, "swatch '" + path + "' --map Tiles --size 24 -o '" + png + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const ToolRun eval = RunTool(folder, "eval '" + path + "' --map Tiles --outside-render", "{}");
    const nlohmann::json colour = nlohmann::json::parse(eval.out).at("color");

    auto in = OIIO::ImageInput::open(png);
    ASSERT_TRUE(in);
    const OIIO::ImageSpec header = in->spec();
    ASSERT_EQ(header.width, 24);
    ASSERT_EQ(header.height, 24);
    ASSERT_EQ(header.nchannels, 3);
    std::vector<unsigned char> pixels(24 * 24 * 3);
    ASSERT_TRUE(in->read_image(0, 0, 0, 3, OIIO::TypeDesc::UINT8, pixels.data()));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const float channel = colour.at(i % 3).get<float>();
        ASSERT_EQ(pixels[i], static_cast<unsigned char>(channel * 255.0f + 0.5f)) << i;
    }
}

// A bitmap whose file is missing renders black; the command says so once, however often it
// was sampled, and still succeeds.
TEST_F(CliTest, MissingBitmapFilesAreListedOnce) {
    // The example scene copied without its textures folder: its bitmap is missing.
    const std::string copy = folder.File("floor.json");
    std::filesystem::copy_file(KALEIDRA_EXAMPLES_DIR "/scene/floor.json", copy);
    const ToolRun run = RunTool(folder, "eval '" + copy + "' --map 'Floor tiles'",
                                "{\"mtlNum\":1}\n{\"mtlNum\":2}\n{\"mtlNum\":3}\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out).size(), 3u);
    const std::vector<std::string> notes = Lines(run.err);
    ASSERT_EQ(notes.size(), 1u) << run.err;
    EXPECT_EQ(notes[0].rfind("kaleidra eval: missing file ", 0), 0u) << notes[0];
    EXPECT_NE(notes[0].find("oak.png"), std::string::npos) << notes[0];
}

// Every user error: exit code 1, a message naming the input, and no output file left behind.
TEST_F(CliTest, BadInputIsRefusedAndWritesNothing) {
    const std::string scene = WriteScene(WorkedExampleScene());
    const std::string broken = folder.File("broken.json");
    WriteText(broken, "{\n  \"format\": \"kaleidra-scene\",\n  \"version\": 1,\n  oops\n}\n");
    const std::string out = folder.File("out.png");
    const std::string missingDir = folder.File("no-such-folder/out.png");
    struct Case {
        std::string arguments;
        std::string message;
        std::string output;  // a file that must not exist afterwards
    };
    const Case cases[] = {
        {"eval '" + folder.File("absent.json") + "' --map Tiles",
         "kaleidra eval: " + folder.File("absent.json"), ""},
        {"eval '" + broken + "' --map Tiles", broken + ":4:", ""},
        {"swatch '" + broken + "' --map Tiles -o '" + out + "'", broken + ":4:", out},
        {"eval '" + scene + "' --map Floor",
         "kaleidra eval: no map named \"Floor\" in the scene; its maps are \"Tiles\", \"A\"", ""},
        {"swatch '" + scene + "' --map Tiles -o '" + missingDir + "'",
         "kaleidra swatch: " + missingDir + ": cannot create a file in ", missingDir},
        {"swatch '" + scene + "' --map Tiles -o '" + folder.path.string() + "'",
         "kaleidra swatch: " + folder.path.string() + ": is a folder", ""},
        {"swatch '" + scene + "' --map Tiles --size 0 -o '" + out + "'",
         "kaleidra swatch: --size 0: the swatch's edge must be 1 to 8192 pixels", out},
        {"swatch '" + scene + "' --map Tiles --size 8193 -o '" + out + "'", "--size 8193", out},
        {"swatch '" + scene + "' --map Tiles --size -4 -o '" + out + "'", "--size -4", out},
        {"stats '" + scene + "' --map Tiles --keys 5..1",
         "kaleidra stats: --keys \"5..1\": FROM "
         "is above TO",
         ""},
        {"stats '" + scene + "' --map Tiles --keys 1..x", "expected FROM..TO", ""},
        {"stats '" + scene + "' --map Tiles --keys 7", "expected FROM..TO", ""},
        {"stats '" + scene + "' --map Tiles --keys 0..3000000000", "expected FROM..TO", ""},
        {"stats '" + scene + "' --map Tiles --keys 0..100000000", "more than the 100000000", ""},
        {"stats '" + scene + "' --map A --keys 0..9", "\"A\" is not a Kaleidra map", ""},
        {"stats '" + scene + "' --map Tiles --keys 0..9 --plot '" + missingDir + "'",
         missingDir + ": cannot create a file in ", missingDir},
        {"--plugin '" + folder.File("nothing.dlt") + "' info", folder.File("nothing.dlt"), ""},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunTool(folder, c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
        EXPECT_EQ(run.out, "") << c.arguments;
        if (!c.output.empty()) {
            EXPECT_FALSE(std::filesystem::exists(c.output)) << c.arguments;
        }
    }
    // No temporary file stayed behind either.
    for (const auto& entry : std::filesystem::directory_iterator(folder.path)) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    }
}

// Usage errors are CLI11's: refused with its message and exit code 2.
TEST_F(CliTest, UsageErrorsExitWithTwo) {
    const std::string scene = WriteScene(WorkedExampleScene());
    for (const std::string& arguments :
         {std::string("frobnicate"), std::string(""), std::string("info --bogus"),
          "eval '" + scene + "'", "stats '" + scene + "' --map Tiles"}) {
        const ToolRun run = RunTool(folder, arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments << "\n" << run.err;
        EXPECT_FALSE(run.err.empty()) << arguments;
    }
    EXPECT_NE(RunTool(folder, "frobnicate").err.find("unknown subcommand \"frobnicate\""),
              std::string::npos);
    const ToolRun help = RunTool(folder, "eval --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Output is per line"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--outside-render"), std::string::npos);
}

}  // namespace
