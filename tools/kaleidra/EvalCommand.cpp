// kaleidra eval: evaluates a map of a scene for samples read as JSON lines on standard input,
// one JSON line out per sample.
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CommandRun.h"
#include "Commands.h"
#include "FloatText.h"
#include "OpenedMap.h"
#include "SampleLine.h"
#include "SceneMaps.h"
#include "SimpleShadeContext.h"

namespace {

struct EvalOptions {
    MapArguments map;
    bool outsideRender = false;
};

// JSON has no non-finite numbers: those are written as the strings "nan", "inf", "-inf".
std::string JsonFloat(float x) {
    const std::string text = FloatText(x);
    return text.back() == 'n' || text.back() == 'f' ? "\"" + text + "\"" : text;
}

std::string ResultLine(const AColor& c, float mono, const Point3& p) {
    return "{\"color\":[" + JsonFloat(c.r) + "," + JsonFloat(c.g) + "," + JsonFloat(c.b) + "," +
           JsonFloat(c.a) + "],\"mono\":" + JsonFloat(mono) + ",\"perturb\":[" + JsonFloat(p.x) +
           "," + JsonFloat(p.y) + "," + JsonFloat(p.z) + "]}\n";
}

// RenderBegin on every map of the scene, and RenderEnd on the same maps when it goes, also on
// the way out of an error.
class RenderScope {
public:
    RenderScope(std::vector<Texmap*> sceneMaps, bool active) {
        if (active) {
            maps = std::move(sceneMaps);
        }
        for (Texmap* m : maps) {
            m->RenderBegin(0, 0);
        }
    }
    ~RenderScope() {
        for (Texmap* m : maps) {
            m->RenderEnd(0);
        }
    }
    RenderScope(const RenderScope&) = delete;
    RenderScope& operator=(const RenderScope&) = delete;

private:
    std::vector<Texmap*> maps;
};

int RunEval(const std::string& pluginPath, const EvalOptions& options) {
    OpenedMap opened(pluginPath, options.map);
    Texmap* map = opened.Map();
    const RenderScope render(SceneMaps(opened.GetScene()), !options.outsideRender);

    SimpleShadeContext sc;
    std::string text;
    long lineNumber = 0;
    while (std::getline(std::cin, text)) {
        ++lineNumber;
        if (text.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        SampleLine sample;
        try {
            sample = ParseSampleLine(text);
        } catch (const std::exception& e) {
            throw std::runtime_error("standard input, line " + std::to_string(lineNumber) + ": " +
                                     e.what());
        }
        // Cheap while the time stays inside the map's validity.
        Interval valid = FOREVER;
        map->Update(sample.time, valid);

        SimpleNode node(static_cast<ULONG>(sample.node));
        sc.NewSample();
        sc.mtlNum = sample.mtlNum;
        sc.SetNode(&node);
        sc.SetTime(sample.time);
        sc.SetUVW(0, Point3(sample.uvw[0], sample.uvw[1], sample.uvw[2]));
        sc.SetUVW(99, Point3(0.0f, 0.0f, sample.uvw99));
        const AColor color = map->EvalColor(sc);
        const float mono = map->EvalMono(sc);
        const Point3 perturb = map->EvalNormalPerturb(sc);
        sc.SetNode(nullptr);
        std::cout << ResultLine(color, mono, perturb);
    }
    std::cout.flush();
    ReportMissingFiles("eval", opened.Session());
    return 0;
}

}  // namespace

CommandAction AddEvalCommand(CLI::App& app) {
    auto options = std::make_shared<EvalOptions>();
    CLI::App* command = app.add_subcommand(
        "eval", "Evaluates a map for samples read as JSON lines on standard input");
    command->footer(
        "Reads one sample per line: "
        "{\"mtlNum\":int,\"node\":int,\"uvw99\":number,\"uvw\":[u,v,w],\"time\":int} (missing "
        "fields are 0, empty lines are skipped); writes one line per sample: "
        "{\"color\":[r,g,b,a],\"mono\":m,\"perturb\":[x,y,z]}, each float with the fewest "
        "digits that read back as the same single-precision value. Output is per line: a bad "
        "line stops the command with its line number, after the lines before it were written");
    AddMapArguments(*command, options->map);
    command->add_flag("--outside-render", options->outsideRender,
                      "Evaluate as the viewport does (keys are material IDs) instead of inside "
                      "a render begun with flags 0");
    return [command, options] {
        return RunCommand("eval", [&] { return RunEval(PluginPathOption(*command), *options); });
    };
}
