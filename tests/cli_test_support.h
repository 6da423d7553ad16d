// Driving the built kaleidra command from tests: run it with arguments and standard input,
// collect its exit code and output, and write the scenes it reads.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "scene_test_files.h"

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs "kaleidra <arguments>" with input on standard input. Arguments are passed through the
// shell as they are: quote them where needed.
inline ToolRun RunTool(const TempFolder& folder, const std::string& arguments,
                       const std::string& input = "") {
    const std::string in = folder.File("stdin.txt");
    const std::string out = folder.File("stdout.txt");
    const std::string err = folder.File("stderr.txt");
    WriteText(in, input);
    const std::string command = std::string("'") + KALEIDRA_TOOL + "' " + arguments + " <'" + in +
                                "' >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadText(out);
    run.err = ReadText(err);
    return run;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A solid-colour sub-map of a test scene.
struct SolidEntry {
    const char* name;
    float rgb[3];
    float perturb[3];
    bool on;
    int weight;
};

// A scene with one root "Tiles", a Kaleidra map with the given entries, key mode, seed and
// variation ("rnd_gamma", "rnd_hue", "rnd_sat"; the distributions stay at 50).
struct MultiMapScene {
    std::vector<SolidEntry> entries;
    int rndBy = 0;
    int seed = 12345;
    float rndGamma = 0.2f;
    float rndHue = 15.0f;
    float rndSat = 10.0f;

    std::string Text() const {
        std::ostringstream s;
        s.precision(9);
        s << R"({"format":"kaleidra-scene","version":1,"roots":[{"name":"Tiles","object":1}],)"
          << R"("objects":[{"id":1,"class":{"name":"Kaleidra","superClassID":"0x00000C10",)"
          << R"("classID":["0x55C6D763","0xC637BB2E"]},"name":"Tiles","gbufID":0,)"
          << R"("refs":["params"],"blocks":{"params":{"submaps":[)";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            s << (i ? "," : "") << i + 2;
        }
        s << R"(],"rnd_gamma":)" << rndGamma << R"(,"rnd_hue":)" << rndHue << R"(,"rnd_sat":)"
          << rndSat << R"(,"rnd_by":)" << rndBy << R"(,"seed":)" << seed << R"(,"submap_on":[)";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            s << (i ? "," : "") << (entries[i].on ? "true" : "false");
        }
        s << R"(],"probability":[)";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            s << (i ? "," : "") << entries[i].weight;
        }
        s << "]}}}";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const SolidEntry& e = entries[i];
            s << R"(,{"id":)" << i + 2
              << R"(,"class":{"name":"Solid Color","superClassID":"0x00000C10",)"
              << R"("classID":["0x005C0100","0x00000000"]},"name":")" << e.name
              << R"(","gbufID":0,"refs":[],"data":{"color":[)" << e.rgb[0] << "," << e.rgb[1] << ","
              << e.rgb[2] << R"(,1.0],"perturb":[)" << e.perturb[0] << "," << e.perturb[1] << ","
              << e.perturb[2] << "]}}";
        }
        s << "]}";
        return s.str();
    }
};

// The worked example: A, B, C switched on, off, on with weights 2, 5, 3.
inline MultiMapScene WorkedExampleScene() {
    MultiMapScene scene;
    scene.entries = {{"A", {0.9f, 0.1f, 0.1f}, {1.0f, 0.0f, 0.0f}, true, 2},
                     {"B", {0.1f, 0.9f, 0.1f}, {0.0f, 1.0f, 0.0f}, false, 5},
                     {"C", {0.2f, 0.4f, 0.8f}, {0.1f, 0.333333343f, -1e-38f}, true, 3}};
    return scene;
}
