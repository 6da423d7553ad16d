// kaleidra eval against the worked examples: the pick, the gamma, hue and saturation steps,
// the keys of tile mode inside and outside a render, and floats that read back exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <nlohmann/json.hpp>

#include "cli_test_support.h"
#include "hsv.h"

namespace {

struct EvalResult {
    std::array<float, 4> color;
    float mono;
    std::array<float, 3> perturb;
};

// Every float goes through strtof on its text, so a value that does not read back as the
// single-precision value the tool computed shows as a mismatch.
EvalResult ParseResult(const std::string& line) {
    const nlohmann::json j = nlohmann::json::parse(line);
    EvalResult r{};
    auto f = [](const nlohmann::json& v) { return std::strtof(v.dump().c_str(), nullptr); };
    for (std::size_t i = 0; i < 4; ++i) {
        r.color[i] = f(j.at("color").at(i));
    }
    r.mono = f(j.at("mono"));
    for (std::size_t i = 0; i < 3; ++i) {
        r.perturb[i] = f(j.at("perturb").at(i));
    }
    return r;
}

// The variation of a base colour with the given gamma exponent, hue shift (turns) and
// saturation factor, through the host's HSV conversions.
std::array<float, 3> Varied(const float rgb[3], float gamma, float hueShift, float satFactor) {
    Color hsv =
        RGBtoHSV(Color(std::pow(rgb[0], gamma), std::pow(rgb[1], gamma), std::pow(rgb[2], gamma)));
    float h = hsv.r + hueShift;
    h = h > 1.0f ? h - std::trunc(h) : (h < 0.0f ? h - std::floor(h) : h);
    hsv.r = h;
    hsv.g = std::clamp(hsv.g * satFactor, 0.0f, 1.0f);
    const Color c = HSVtoRGB(hsv);
    return {std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f), std::clamp(c.b, 0.0f, 1.0f)};
}

// At distribution 50 % the skewed draw is 2u - 1 for a uniform u = draw / 32767.
float Skewed(int draw) {
    const float u = static_cast<float>(static_cast<double>(draw) / 32767.0);
    return u + u - 1.0f;
}

class CliEvalTest : public ::testing::Test {
protected:
    std::string WriteScene(const MultiMapScene& text, const std::string& name = "scene.json") {
        const std::string path = folder.File(name);
        WriteText(path, text.Text());
        return path;
    }
    std::vector<EvalResult> Eval(const std::string& path, const std::string& input,
                                 const std::string& flags = "") {
        const ToolRun run = RunTool(folder, "eval '" + path + "' --map Tiles " + flags, input);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::vector<EvalResult> results;
        for (const std::string& line : Lines(run.out)) {
            results.push_back(ParseResult(line));
        }
        return results;
    }

    TempFolder folder;
    MultiMapScene scene = WorkedExampleScene();
    const SolidEntry& c = scene.entries[2];
};

void ExpectColour(const EvalResult& r, const std::array<float, 3>& expected, float tolerance) {
    EXPECT_NEAR(r.color[0], expected[0], tolerance);
    EXPECT_NEAR(r.color[1], expected[1], tolerance);
    EXPECT_NEAR(r.color[2], expected[2], tolerance);
    EXPECT_EQ(r.color[3], 1.0f);
}

// Key 1 picks C; its colour is C under gamma 0.85175937, hue shift -0.026539659 turn and
// saturation factor 0.97610092 (given to 8 digits, hence the tolerance). Key 0 draws 38, 7719,
// 21238 and 2437: 38 mod 5 is slot 3, C again.
TEST_F(CliEvalTest, TheWorkedExamplesPickAndVaryAsTheCoreDoes) {
    const std::string path = WriteScene(scene);
    const std::vector<EvalResult> r = Eval(path, "{\"mtlNum\":1}\n{\"mtlNum\":0}\n");
    ASSERT_EQ(r.size(), 2u);

    for (const EvalResult& result : r) {
        EXPECT_EQ(result.perturb, (std::array<float, 3>{c.perturb[0], c.perturb[1], c.perturb[2]}));
    }
    ExpectColour(r[0], Varied(c.rgb, 0.85175937f, -0.026539659f, 0.97610092f), 2e-6f);

    const float gamma = Skewed(7719) * 0.2f + 1.0f;
    const float hue = Skewed(21238) * 15.0f / 360.0f;
    const float sat = (Skewed(2437) * 10.0f + 100.0f) / 100.0f;
    ExpectColour(r[1], Varied(c.rgb, gamma, hue, sat), 1e-6f);
    EXPECT_FLOAT_EQ(r[1].mono, (r[1].color[0] + r[1].color[1] + r[1].color[2]) / 3.0f);
}

TEST_F(CliEvalTest, PerturbFloatsReadBackBitExactly) {
    scene.rndGamma = scene.rndHue = scene.rndSat = 0.0f;
    const std::string path = WriteScene(scene);
    const ToolRun run = RunTool(folder, "eval '" + path + "' --map Tiles", "{\"mtlNum\":1}\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // 0.1 needs one digit, 1/3 eight; -1e-38 is subnormal.
    EXPECT_NE(run.out.find("\"perturb\":[0.1,0.33333334,-1e-38]"), std::string::npos) << run.out;
    // The colour still goes through the HSV round trip, which may move its last bits.
    const EvalResult r = ParseResult(Lines(run.out).at(0));
    EXPECT_NEAR(r.color[0], 0.2f, 1e-6f);
    EXPECT_NEAR(r.color[1], 0.4f, 1e-6f);
    EXPECT_NEAR(r.color[2], 0.8f, 1e-6f);
}

// Tile mode: channel 99's third coordinate truncates toward zero (3.7 is key 3, -3.7 is -3)
// inside a render; outside one (the viewport) the material ID is the key. Each is compared
// with the same scene keyed by material ID.
TEST_F(CliEvalTest, TileModeKeysInsideAndOutsideARender) {
    const std::string byMaterial = WriteScene(scene, "material.json");
    scene.rndBy = 2;
    const std::string byTile = WriteScene(scene, "tile.json");

    const std::vector<EvalResult> tiles =
        Eval(byTile, "{\"uvw99\":3.7,\"mtlNum\":9}\n{\"uvw99\":-3.7,\"mtlNum\":9}\n");
    const std::vector<EvalResult> viewport =
        Eval(byTile, "{\"uvw99\":3.7,\"mtlNum\":9}\n", "--outside-render");
    const std::vector<EvalResult> keys =
        Eval(byMaterial, "{\"mtlNum\":3}\n{\"mtlNum\":-3}\n{\"mtlNum\":9}\n");
    ASSERT_EQ(tiles.size(), 2u);
    ASSERT_EQ(viewport.size(), 1u);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(tiles[0].color, keys[0].color);
    EXPECT_EQ(tiles[1].color, keys[1].color);
    EXPECT_EQ(viewport[0].color, keys[2].color);
    // The three keys vary differently, so the comparisons above tell them apart.
    EXPECT_NE(keys[0].color, keys[1].color);
    EXPECT_NE(keys[0].color, keys[2].color);
}

// Lines before a bad one are written whole; the bad one writes nothing and names its line.
TEST_F(CliEvalTest, ABadSampleLineStopsWithItsLineNumber) {
    const std::string path = WriteScene(scene);
    struct Case {
        const char* input;
        std::size_t goodLines;
        const char* message;
    };
    const Case cases[] = {
        {"{\"mtlNum\":1}\n\nnot json\n{\"mtlNum\":2}\n", 1, "line 3: not JSON"},
        {"{\"mtlNum\":1}\n{\"mtlNum\":\"7\"}\n", 1, "line 2: \"mtlNum\" must be a 32-bit integer"},
        {"{\"uvw\":[1,2]}\n", 0, "line 1: \"uvw\" must be an array of three numbers"},
        {"{\"mtlNum\":1.5}\n", 0, "line 1: \"mtlNum\" must be a 32-bit integer"},
        {"{\"node\":4294967296}\n", 0, "line 1: \"node\" must be a 32-bit integer"},
        {"[1,2,3]\n", 0, "line 1: a sample must be a JSON object"},
        {"{\"mtlnum\":1}\n", 0, "line 1: unknown field \"mtlnum\""},
        {"{\"uvw99\":true}\n", 0, "line 1: \"uvw99\" must be a number"},
    };
    for (const Case& k : cases) {
        const ToolRun run = RunTool(folder, "eval '" + path + "' --map Tiles", k.input);
        EXPECT_EQ(run.exitCode, 1) << k.input;
        EXPECT_EQ(Lines(run.out).size(), k.goodLines) << k.input;
        EXPECT_EQ(run.out.empty() ? '\n' : run.out.back(), '\n') << "a partial line";
        EXPECT_NE(run.err.find(std::string("kaleidra eval: standard input, ") + k.message),
                  std::string::npos)
            << run.err;
    }
}

}  // namespace
