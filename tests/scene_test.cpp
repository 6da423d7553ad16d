// Scene files: a scene saved, loaded and saved again gives the same bytes, and the loaded objects
// hold the same values, keys, sharing and empty slots as the originals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "BitmapTexture.h"
#include "ClassDirectory.h"
#include "HostClasses.h"
#include "SceneFile.h"
#include "SimpleMaterial.h"
#include "SolidColorMap.h"
#include "scene_test_support.h"

namespace {

constexpr float kQuarterTurn = 0.785398185f;  // pi/4 as a float

class SceneFileTest : public ::testing::Test {
protected:
    SceneFileTest() {
        RegisterHostClasses(directory);
        directory.Register(GetSceneTestMapDesc());
    }

    // Saves scene, loads it back and saves the loaded scene: both files must be equal.
    std::unique_ptr<Scene> RoundTrip(Scene& scene) {
        const std::string first = folder.File("first.json");
        const std::string second = folder.File("second.json");
        SaveScene(first, scene, directory);
        std::unique_ptr<Scene> loaded = LoadScene(first, directory);
        SaveScene(second, *loaded, directory);
        EXPECT_EQ(ReadText(first), ReadText(second));
        return loaded;
    }

    ClassDirectory directory;
    TempFolder folder;
};

IParamBlock2* BlockOf(Texmap* map) {
    auto* m = dynamic_cast<SceneTestMap*>(map);
    return m ? m->pblock : nullptr;
}

// Every parameter of the block away from its default: constants, keys on floats, angles,
// integers, booleans and colours, tables with entries.
void SetEveryParameter(IParamBlock2* pb, int entries) {
    pb->SetKey(pb_all_gamma, 0, 1.5f);
    pb->SetKey(pb_all_gamma, 4800, 0.1f);
    pb->SetValue(pb_all_hue, 0, -12.5f);
    pb->SetValue(pb_all_sat, 0, 250.0f);
    pb->SetValue(pb_rnd_gamma, 0, 0.3f);
    pb->SetValue(pb_rnd_hue, 0, 20.0f);
    pb->SetValue(pb_rnd_sat, 0, 33.3f);
    pb->SetValue(pb_occ_gamma, 0, 10.0f);
    pb->SetValue(pb_occ_hue, 0, 90.0f);
    pb->SetValue(pb_occ_sat, 0, 0.1f);
    pb->SetValue(pb_rnd_by, 0, 2);
    pb->SetKey(pb_seed, 0, 7);
    pb->SetKey(pb_seed, 960, 99999);
    pb->SetValue(pb_blur, 0, 0.01f);
    pb->SetValue(pb_filtering, 0, 1);
    pb->SetKey(pb_sub_color, 0, Color(0.25f, 0.5f, 0.75f));
    pb->SetKey(pb_sub_color, 2400, Color(1.0f, 0.0f, 0.125f));
    pb->SetKey(pb_use_color, 0, 1);
    pb->SetKey(pb_use_color, 100, 0);
    pb->SetKey(pb_rotate, 0, 0.1f);
    pb->SetKey(pb_rotate, 4800, kQuarterTurn);
    pb->SetCount(pb_submap_on, entries);
    pb->SetCount(pb_probability, entries);
    for (int i = 0; i < entries; ++i) {
        pb->SetValue(pb_submap_on, 0, i % 3 == 1 ? 0 : 1, i);
        pb->SetValue(pb_probability, 0, i * 37 + 2, i);
    }
}

// True when the parameter differs from its block default (keys count as different).
bool AwayFromDefault(IParamBlock2* pb, const ParamDef& def) {
    if (def.IsTab()) {
        return pb->Count(def.ID) > 0;
    }
    if (pb->NumKeys(def.ID) > 0) {
        return true;
    }
    switch (def.BaseType()) {
        case TYPE_INT:
        case TYPE_BOOL:
            return pb->GetInt(def.ID) != def.def.i;
        case TYPE_RGBA:
            return !(pb->GetColor(def.ID) == def.def.c);
        default:
            return pb->GetFloat(def.ID) != def.ToStored(def.def.f);
    }
}

struct RichScene {
    std::unique_ptr<Scene> scene = std::make_unique<Scene>();
    SceneTestMap* main = new SceneTestMap();
};

// A material on a map with a bitmap, a shared solid map, an empty slot and a nested map; a map
// with 200 sub-maps; the shared map again as a root of its own; an empty root.
RichScene BuildRichScene() {
    RichScene s;
    auto* shared = new SolidColorMap(AColor(0.1f, 0.2f, 0.3f, 0.4f), Point3(0.5f, -0.25f, 1e-7f));
    shared->SetName(L"Shared \u00df");
    shared->SetGBufID(3);

    auto* bitmap = new BitmapTexture();
    bitmap->SetName(L"Stone");
    bitmap->SetMapName(L"textures/Stein \u2013 grau.png");
    bitmap->SetFilterType(FILTER_SAT);
    StdUVGen* uv = bitmap->GetUVGen();
    uv->SetBlur(2.5f, 0);
    uv->SetWAng(0.7f, 0);
    uv->SetUScl(2.0f, 0);
    uv->SetVScl(3.0f, 0);
    uv->SetUOffs(0.125f, 0);
    uv->SetVOffs(-0.5f, 0);

    auto* inner = new SceneTestMap();
    inner->SetName(L"Inner");
    inner->AddSubmaps({shared, new SolidColorMap(AColor(1.0f, 0.0f, 0.0f, 1.0f))});

    s.main->SetName(L"Main");
    s.main->SetGBufID(7);
    s.main->AddSubmaps({bitmap, shared, nullptr, inner});
    SetEveryParameter(s.main->pblock, 4);

    auto* big = new SceneTestMap();
    for (int i = 0; i < 200; ++i) {
        const float v = static_cast<float>(i) / 199.0f;
        big->AddSubmaps({new SolidColorMap(AColor(v, 1.0f - v, v * v, 1.0f))});
    }
    SetEveryParameter(big->pblock, 200);

    auto* material = new SimpleMaterial();
    material->SetName(L"Floor");
    material->SetSubTexmap(0, s.main);

    s.scene->AddRoot(L"Floor", material);
    s.scene->AddRoot(L"Big", big);
    s.scene->AddRoot(L"Shared", shared);
    s.scene->AddRoot(L"Empty", nullptr);
    return s;
}

TEST_F(SceneFileTest, RichSceneSavesLoadsAndSavesToTheSameBytes) {
    RichScene original = BuildRichScene();
    ParamBlockDesc2* desc = original.main->pblock->GetDesc();
    for (int p = 0; p < desc->Count(); ++p) {
        ASSERT_TRUE(AwayFromDefault(original.main->pblock, desc->GetParamDefByIndex(p)))
            << "fixture leaves a parameter at its default: index " << p;
    }

    std::unique_ptr<Scene> loaded = RoundTrip(*original.scene);

    ASSERT_EQ(loaded->NumRoots(), 4);
    EXPECT_EQ(loaded->RootName(3), MSTR(L"Empty"));
    EXPECT_EQ(loaded->GetRoot(3), nullptr);
    auto* material = dynamic_cast<SimpleMaterial*>(loaded->FindRoot(L"Floor"));
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->GetName(), MSTR(L"Floor"));
    auto* main = dynamic_cast<SceneTestMap*>(material->GetSubTexmap(0));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->GetName(), MSTR(L"Main"));
    EXPECT_EQ(main->GetGBufID(), 7u);

    IParamBlock2* pb = main->pblock;
    ASSERT_EQ(pb->Count(pb_submaps), 4);
    auto* bitmap = dynamic_cast<BitmapTexture*>(pb->GetTexmap(pb_submaps, 0, 0));
    auto* shared = dynamic_cast<SolidColorMap*>(pb->GetTexmap(pb_submaps, 0, 1));
    auto* inner = dynamic_cast<SceneTestMap*>(pb->GetTexmap(pb_submaps, 0, 3));
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(shared, nullptr);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(pb->GetTexmap(pb_submaps, 0, 2), nullptr);
    // The shared map is one object, reached from three places.
    EXPECT_EQ(inner->pblock->GetTexmap(pb_submaps, 0, 0), shared);
    EXPECT_EQ(loaded->FindRoot(L"Shared"), shared);
    EXPECT_EQ(shared->GetName(), MSTR(L"Shared \u00df"));
    EXPECT_EQ(shared->GetGBufID(), 3u);
    EXPECT_EQ(shared->GetColor(), AColor(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_EQ(shared->GetPerturb(), Point3(0.5f, -0.25f, 1e-7f));

    EXPECT_STREQ(bitmap->GetMapName(), L"textures/Stein \u2013 grau.png");
    EXPECT_EQ(bitmap->GetFilterType(), FILTER_SAT);
    EXPECT_EQ(bitmap->GetUVGen()->GetBlur(0), 2.5f);
    EXPECT_EQ(bitmap->GetUVGen()->GetWAng(0), 0.7f);
    EXPECT_EQ(bitmap->GetUVGen()->GetVOffs(0), -0.5f);

    ASSERT_EQ(pb->NumKeys(pb_all_gamma), 2);
    EXPECT_EQ(pb->GetKeyTime(pb_all_gamma, 1), 4800);
    EXPECT_EQ(pb->GetFloat(pb_all_gamma, 0), 1.5f);
    EXPECT_EQ(pb->GetFloat(pb_all_gamma, 4800), 0.1f);
    ASSERT_EQ(pb->NumKeys(pb_rotate), 2);
    EXPECT_EQ(pb->GetFloat(pb_rotate, 4800), kQuarterTurn);
    ASSERT_EQ(pb->NumKeys(pb_seed), 2);
    EXPECT_EQ(pb->GetKeyTime(pb_seed, 1), 960);
    EXPECT_EQ(pb->GetInt(pb_seed, 960), 99999);
    EXPECT_EQ(pb->GetColor(pb_sub_color, 2400), Color(1.0f, 0.0f, 0.125f));
    EXPECT_EQ(pb->GetInt(pb_use_color, 0), 1);
    EXPECT_EQ(pb->GetInt(pb_use_color, 100), 0);
    EXPECT_EQ(pb->NumKeys(pb_rnd_sat), 0);
    EXPECT_EQ(pb->GetFloat(pb_rnd_sat), 33.3f);
    EXPECT_EQ(pb->GetInt(pb_rnd_by), 2);
    EXPECT_EQ(pb->GetFloat(pb_blur), 0.01f);

    auto* big = dynamic_cast<SceneTestMap*>(loaded->FindRoot(L"Big"));
    ASSERT_NE(big, nullptr);
    ASSERT_EQ(big->pblock->Count(pb_submaps), 200);
    ASSERT_EQ(big->pblock->Count(pb_submap_on), 200);
    ASSERT_EQ(big->pblock->Count(pb_probability), 200);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(big->pblock->GetInt(pb_submap_on, 0, i), i % 3 == 1 ? 0 : 1) << i;
        EXPECT_EQ(big->pblock->GetInt(pb_probability, 0, i), i * 37 + 2) << i;
        auto* sub = dynamic_cast<SolidColorMap*>(big->pblock->GetTexmap(pb_submaps, 0, i));
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->GetColor().r, static_cast<float>(i) / 199.0f);
    }
}

TEST_F(SceneFileTest, LoadedMapsAreFullMembersOfTheReferenceGraph) {
    RichScene original = BuildRichScene();
    std::unique_ptr<Scene> loaded = RoundTrip(*original.scene);
    auto* shared = loaded->FindRoot(L"Shared");
    ASSERT_NE(shared, nullptr);
    // Main's block, Inner's block and the scene refer to it.
    EXPECT_EQ(shared->GetDependents().size(), 3u);
    // Dropping the scene deletes every loaded map.
    const int before = SceneTestMap::Live();
    loaded.reset();
    EXPECT_EQ(SceneTestMap::Live(), before - 3);
}

TEST_F(SceneFileTest, FloatsAndAnglesReadBackBitForBit) {
    const float values[] = {0.1f,
                            0.2f,
                            1.0f / 3.0f,
                            -0.0f,
                            1e-45f,
                            1.17549435e-38f,
                            std::numeric_limits<float>::max(),
                            std::nextafter(1.0f, 2.0f),
                            16777217.0f,
                            3.14159274f,
                            -2.5e-8f,
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN()};
    for (float v : values) {
        SCOPED_TRACE(v);
        Scene scene;
        auto* map = new SceneTestMap();
        map->pblock->SetValue(pb_all_gamma, 0, v);
        map->pblock->SetValue(pb_rotate, 0, v);
        map->pblock->SetValue(pb_sub_color, 0, Color(v, v, v));
        scene.AddRoot(L"m", map);
        std::unique_ptr<Scene> loaded = RoundTrip(scene);
        IParamBlock2* pb = BlockOf(dynamic_cast<Texmap*>(loaded->GetRoot(0)));
        ASSERT_NE(pb, nullptr);
        for (float got :
             {pb->GetFloat(pb_all_gamma), pb->GetFloat(pb_rotate), pb->GetColor(pb_sub_color).g}) {
            EXPECT_EQ(std::memcmp(&got, &v, sizeof v), 0) << got;
        }
    }
}

TEST_F(SceneFileTest, FilesShowShortDecimalsAndAnglesInDegrees) {
    Scene scene;
    auto* map = new SceneTestMap();
    map->pblock->SetValue(pb_rnd_gamma, 0, 0.2f);
    map->pblock->SetValue(pb_rotate, 0, kQuarterTurn);
    map->pblock->SetValue(pb_use_color, 0, 1);
    scene.AddRoot(L"m", map);
    const std::string path = folder.File("short.json");
    SaveScene(path, scene, directory);
    const std::string text = ReadText(path);
    EXPECT_NE(text.find("\"rnd_gamma\": 0.2,"), std::string::npos);
    EXPECT_NE(text.find("\"rotate\": 45.0\n"), std::string::npos);
    EXPECT_NE(text.find("\"use_color\": true,"), std::string::npos);
    EXPECT_NE(text.find("\"format\": \"kaleidra-scene\""), std::string::npos);
}

// A load is no user edit: in animate mode it must not turn loaded values into keys.
TEST_F(SceneFileTest, LoadingInAnimateModeSetsNoKeys) {
    RichScene original = BuildRichScene();
    AnimateOn();
    std::unique_ptr<Scene> loaded = RoundTrip(*original.scene);
    AnimateOff();
    auto* big = dynamic_cast<SceneTestMap*>(loaded->FindRoot(L"Big"));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->pblock->NumKeys(pb_rnd_sat), 0);
    EXPECT_EQ(big->pblock->NumKeys(pb_all_gamma), 2);
}

// A block parameter the file leaves out keeps the value the class's Create gave it.
TEST_F(SceneFileTest, ParametersMissingFromTheFileKeepTheirCreatedValues) {
    const std::string path = folder.File("partial.json");
    WriteText(path, R"({"format": "kaleidra-scene", "version": 1,
        "roots": [{"name": "m", "object": 5}],
        "objects": [{"id": 5,
                     "class": {"superClassID": "0x00000C10",
                               "classID": ["0x5C0F0001", "0x5C0F0002"]},
                     "refs": ["params"], "blocks": {"params": {"seed": 4711}}}]})");
    std::unique_ptr<Scene> loaded = LoadScene(path, directory);
    IParamBlock2* pb = BlockOf(dynamic_cast<Texmap*>(loaded->FindRoot(L"m")));
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(pb->GetInt(pb_seed), 4711);
    EXPECT_EQ(pb->GetFloat(pb_rnd_gamma), 0.2f);
    EXPECT_EQ(pb->GetFloat(pb_all_sat), 100.0f);
}

// Objects that no root reaches are not kept.
TEST_F(SceneFileTest, ObjectsNoRootReachesAreDeletedAfterLoading) {
    const std::string path = folder.File("orphan.json");
    WriteText(path, R"({"format": "kaleidra-scene", "version": 1, "roots": [],
        "objects": [{"id": 1, "class": {"superClassID": "0x00000C10",
                                        "classID": ["0x5C0F0001", "0x5C0F0002"]}}]})");
    const int before = SceneTestMap::Live();
    std::unique_ptr<Scene> loaded = LoadScene(path, directory);
    EXPECT_EQ(loaded->NumRoots(), 0);
    EXPECT_EQ(SceneTestMap::Live(), before);
}

TEST_F(SceneFileTest, AFailedSaveLeavesTheExistingFileUntouched) {
    const std::string path = folder.File("scene.json");
    WriteText(path, "previous contents");
    Scene scene;
    scene.AddRoot(L"m", new SolidColorMap());
    ClassDirectory empty;
    try {
        SaveScene(path, scene, empty);
        FAIL() << "saved a class the directory does not list";
    } catch (const SceneError& e) {
        EXPECT_EQ(std::string(e.what()),
                  path +
                      ": objects[0]: class \"Solid Color\" (super class 0x00000C10, class "
                      "0x005C0100 0x00000000) is not in the class directory");
    }
    EXPECT_EQ(ReadText(path), "previous contents");
    // No temporary file is left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);

    const std::string missingFolder = folder.File("no/such/folder/scene.json");
    EXPECT_THROW(SaveScene(missingFolder, scene, directory), SceneError);
    EXPECT_FALSE(std::filesystem::exists(missingFolder));
}

TEST_F(SceneFileTest, SavingReplacesAnExistingFile) {
    const std::string path = folder.File("scene.json");
    WriteText(path, "previous contents");
    Scene scene;
    scene.AddRoot(L"m", new SolidColorMap());
    SaveScene(path, scene, directory);
    EXPECT_EQ(LoadScene(path, directory)->NumRoots(), 1);
}

}  // namespace
