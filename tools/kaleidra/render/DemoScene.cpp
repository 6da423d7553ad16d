#include "DemoScene.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "BitmapTexture.h"
#include "ImageWriter.h"
#include "MultiMapParamIDs.h"
#include "WideText.h"
#include "WoodTexture.h"

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

std::string DemoCacheFolder() {
    if (const std::string own = Env("KALEIDRA_CACHE"); !own.empty()) {
        return own;
    }
    if (const std::string xdg = Env("XDG_CACHE_HOME"); !xdg.empty()) {
        return xdg + "/kaleidra/demo";
    }
    const std::string home = Env("HOME");
    if (home.empty()) {
        throw std::runtime_error("no cache folder: set KALEIDRA_CACHE, XDG_CACHE_HOME or HOME");
    }
    return home + "/.cache/kaleidra/demo";
}

DemoTextures EnsureDemoTextures(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw std::runtime_error(folder + ": cannot create the cache folder: " + error.message());
    }
    DemoTextures textures;
    for (int species = 0; species < kWoodSpecies; ++species) {
        // The version in the name keeps files of an older generator from being reused.
        const std::string file = folder + "/wood-v1-" + std::to_string(species + 1) + ".png";
        if (!std::filesystem::exists(file)) {
            WriteImageFile(file, MakeWoodTexture(species));
            ++textures.generated;
        }
        textures.files.push_back(file);
    }
    return textures;
}

void SetUpDemoMap(Texmap* multiMap, const std::vector<std::string>& files) {
    IParamBlock2* block = multiMap->GetParamBlock(0);
    for (const std::string& file : files) {
        auto* bitmap = new BitmapTexture();
        bitmap->SetMapName(FromUtf8(file).c_str());
        Texmap* sub = bitmap;
        block->Append(pb_submaps, 1, &sub);
    }
    // A new map holds 0 for the spreads until they are set.
    block->SetValue(pb_rnd_gamma, 0, 0.2f);
    block->SetValue(pb_rnd_hue, 0, 15.0f);
    block->SetValue(pb_rnd_sat, 0, 10.0f);
    block->SetValue(pb_rnd_by, 0, 2);
}
