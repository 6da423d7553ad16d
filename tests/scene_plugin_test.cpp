// Scene files holding MultiMaps made by the loaded plug-in: the map needs nothing but its
// material-base data and its reference 0, the block "params".
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "BitmapTexture.h"
#include "ClassDirectory.h"
#include "HostClasses.h"
#include "LoadedPluginFixture.h"
#include "MultiMapParamIDs.h"
#include "SceneFile.h"
#include "SimpleMaterial.h"
#include "SimpleShadeContext.h"
#include "SolidColorMap.h"
#include "scene_test_files.h"

namespace {

constexpr float kQuarterTurn = 0.785398185f;  // pi/4 as a float

class ScenePluginTest : public LoadedPluginTest {
protected:
    ScenePluginTest() {
        RegisterHostClasses(directory);
        for (ClassDesc* cd : plugin->Classes()) {
            directory.Register(cd);
        }
    }

    // Saves scene, loads the file and saves the loaded scene again; returns the loaded scene,
    // or null (with a failure recorded) when the second file differs from the first.
    std::unique_ptr<Scene> SaveLoadSave(Scene& scene, const std::string& name) {
        const std::string first = folder.File(name + ".json");
        const std::string second = folder.File(name + "-again.json");
        SaveScene(first, scene, directory);
        std::unique_ptr<Scene> loaded = LoadScene(first, directory);
        SaveScene(second, *loaded, directory);
        if (ReadText(first) != ReadText(second)) {
            ADD_FAILURE() << first << " and " << second << " differ";
            return nullptr;
        }
        return loaded;
    }

    ClassDirectory directory;
    TempFolder folder;
};

// The example scene loads into a MultiMap and saves back to the same bytes.
TEST_F(ScenePluginTest, TheExampleSceneLoadsAndSavesUnchanged) {
    const std::string example = std::string(KALEIDRA_EXAMPLES_DIR) + "/scene/floor.json";
    std::unique_ptr<Scene> scene = LoadScene(example, directory);

    auto* material = dynamic_cast<SimpleMaterial*>(scene->FindRoot(L"Floor"));
    ASSERT_NE(material, nullptr);
    Texmap* map = material->GetSubTexmap(0);
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->ClassID() == MapClass()->ClassID());
    EXPECT_EQ(map->GetName(), MSTR(L"Floor tiles"));
    IParamBlock2* pb = map->GetParamBlock(0);
    ASSERT_NE(pb, nullptr);
    ASSERT_EQ(pb->Count(pb_submaps), 3);
    EXPECT_NE(dynamic_cast<BitmapTexture*>(pb->GetTexmap(pb_submaps, 0, 0)), nullptr);
    EXPECT_EQ(pb->GetTexmap(pb_submaps, 0, 1), scene->FindRoot(L"Accent"));
    EXPECT_EQ(pb->GetTexmap(pb_submaps, 0, 2), nullptr);
    EXPECT_EQ(pb->GetInt(pb_submap_on, 0, 2), 0);
    EXPECT_EQ(pb->GetInt(pb_probability, 0, 0), 3);
    ASSERT_EQ(pb->NumKeys(pb_all_hue), 2);
    EXPECT_EQ(pb->GetFloat(pb_all_hue, 4800), 30.0f);
    EXPECT_EQ(pb->GetFloat(pb_rotate), kQuarterTurn);

    const std::string saved = folder.File("floor.json");
    SaveScene(saved, *scene, directory);
    EXPECT_EQ(ReadText(saved), ReadText(example));
}

TEST_F(ScenePluginTest, AMultiMapWithEverySettingChangedRoundTrips) {
    Scene scene;
    Texmap* map = NewMap();
    IParamBlock2* pb = map->GetParamBlock(0);
    Texmap* subs[] = {new SolidColorMap(AColor(0.3f, 0.6f, 0.9f, 1.0f)), nullptr,
                      new BitmapTexture()};
    pb->Append(pb_submaps, 3, subs);
    pb->SetCount(pb_submap_on, 3);
    pb->SetCount(pb_probability, 3);
    pb->SetValue(pb_submap_on, 0, 0, 1);
    pb->SetValue(pb_probability, 0, 40, 2);
    pb->SetKey(pb_all_gamma, 0, 0.7f);
    pb->SetKey(pb_all_gamma, 1200, 1.3f);
    pb->SetValue(pb_seed, 0, 4242);
    pb->SetValue(pb_rnd_by, 0, 1);
    pb->SetValue(pb_rotate, 0, 1.0f);
    pb->SetValue(pb_use_color, 0, 1);
    map->SetName(L"Multi");
    scene.AddRoot(L"Multi", map);

    std::unique_ptr<Scene> loaded = SaveLoadSave(scene, "first");
    ASSERT_NE(loaded, nullptr);

    Texmap* back = dynamic_cast<Texmap*>(loaded->FindRoot(L"Multi"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->NumRefs(), 1);
    IParamBlock2* lb = back->GetParamBlock(0);
    ASSERT_NE(lb, nullptr);
    EXPECT_EQ(lb->Count(pb_submaps), 3);
    EXPECT_EQ(lb->GetInt(pb_submap_on, 0, 1), 0);
    EXPECT_EQ(lb->GetInt(pb_probability, 0, 2), 40);
    EXPECT_EQ(lb->GetFloat(pb_all_gamma, 1200), 1.3f);
    EXPECT_EQ(lb->GetInt(pb_seed), 4242);
    EXPECT_EQ(lb->GetFloat(pb_rotate), 1.0f);
    EXPECT_EQ(lb->GetInt(pb_use_color), 1);
    // Create(TRUE) reset the map; the file's values replaced the reset ones.
    EXPECT_EQ(lb->GetFloat(pb_rnd_gamma), 0.0f);
}

// Evaluates both maps for every key of one key mode inside a render begun with flags 0, and
// returns the first key whose colour or bump differs bit for bit, or -1.
int FirstDifference(Texmap* a, Texmap* b, std::initializer_list<Texmap*> nestedA,
                    std::initializer_list<Texmap*> nestedB, int keyMode) {
    for (Texmap* m : {a, b}) {
        m->GetParamBlock(0)->SetValue(pb_rnd_by, 0, keyMode);
    }
    Interval va = FOREVER, vb = FOREVER;
    a->Update(0, va);
    b->Update(0, vb);
    for (Texmap* m : nestedA) {
        m->RenderBegin(0, 0);
    }
    for (Texmap* m : nestedB) {
        m->RenderBegin(0, 0);
    }
    a->RenderBegin(0, 0);
    b->RenderBegin(0, 0);
    int differs = -1;
    SimpleShadeContext sa, sb;
    for (int key = -5000; key < 5000 && differs < 0; ++key) {
        SimpleNode node(static_cast<ULONG>(key));
        for (SimpleShadeContext* sc : {&sa, &sb}) {
            sc->NewSample();
            sc->mtlNum = key;
            sc->SetNode(&node);
            sc->SetUVW(99, Point3(0.0f, 0.0f, static_cast<float>(key) + 0.5f));
        }
        const AColor ca = a->EvalColor(sa);
        const AColor cb = b->EvalColor(sb);
        const Point3 pa = a->EvalNormalPerturb(sa);
        const Point3 pb = b->EvalNormalPerturb(sb);
        if (std::memcmp(&ca, &cb, sizeof ca) != 0 || std::memcmp(&pa, &pb, sizeof pa) != 0) {
            differs = key;
        }
    }
    for (Texmap* m : {a, b}) {
        m->RenderEnd(0);
    }
    return differs;
}

// Several maps, every parameter away from its default somewhere, animation, 200 sub-maps with
// mixed switches and weights, an empty slot, a shared sub-map and a nested map.
TEST_F(ScenePluginTest, LargeSceneRoundTripsToTheSameFileAndTheSameSamples) {
    Scene scene;
    Texmap* nested = NewMap();
    IParamBlock2* nb = nested->GetParamBlock(0);
    Texmap* nestedSubs[] = {new SolidColorMap(AColor(0.7f, 0.2f, 0.2f, 1.0f)),
                            new SolidColorMap(AColor(0.2f, 0.7f, 0.2f, 1.0f))};
    nb->Append(pb_submaps, 2, nestedSubs);
    nb->SetValue(pb_use_color, 0, 1);
    nb->SetValue(pb_sub_color, 0, Color(0.25f, 0.5f, 0.125f));
    nb->SetValueEntered(pb_rotate, 0, 30.0f);
    nb->SetValue(pb_seed, 0, 99);
    nested->SetName(L"Nested");

    Texmap* map = NewMap();
    IParamBlock2* pb = map->GetParamBlock(0);
    Texmap* shared = new SolidColorMap(AColor(0.9f, 0.8f, 0.1f, 1.0f), Point3(0.1f, 0.2f, 0.3f));
    for (int i = 0; i < 200; ++i) {
        Texmap* sub = nullptr;
        if (i == 13) {
            sub = nested;
        } else if (i % 50 == 7) {
            sub = nullptr;  // empty slots
        } else if (i % 17 == 3) {
            sub = shared;
        } else if (i % 11 == 5) {
            auto* bitmap = new BitmapTexture();
            bitmap->SetMapName(L"planks.png");
            sub = bitmap;
        } else {
            const float f = static_cast<float>(i) / 200.0f;
            sub =
                new SolidColorMap(AColor(f, 1.0f - f, 0.5f * f + 0.25f, 1.0f), Point3(f, 0.0f, -f));
        }
        pb->Append(pb_submaps, 1, &sub);
    }
    for (int i = 0; i < 200; ++i) {
        pb->SetValue(pb_submap_on, 0, i % 7 == 2 ? 0 : 1, i);
        pb->SetValue(pb_probability, 0, (i * 37) % 23 - 2, i);  // zero and negative included
    }
    pb->SetKey(pb_all_gamma, 0, 0.8f);
    pb->SetKey(pb_all_gamma, 4800, 1.4f);
    pb->SetValue(pb_all_hue, 0, 12.5f);
    pb->SetValue(pb_all_sat, 0, 85.0f);
    pb->SetValue(pb_rnd_gamma, 0, 0.35f);
    pb->SetValue(pb_rnd_hue, 0, 22.0f);
    pb->SetValue(pb_rnd_sat, 0, 17.0f);
    pb->SetValue(pb_occ_gamma, 0, 30.0f);
    pb->SetValue(pb_occ_hue, 0, 65.0f);
    pb->SetValue(pb_occ_sat, 0, 80.0f);
    pb->SetValue(pb_seed, 0, 31337);
    pb->SetValue(pb_filtering, 0, 2);
    pb->SetValue(pb_blur, 0, 3.5f);
    pb->SetValue(pb_sub_color, 0, Color(0.1f, 0.3f, 0.6f));
    pb->SetValueEntered(pb_rotate, 0, 123.0f);
    map->SetName(L"Floor");
    map->gbufID = 4;
    auto* material = new SimpleMaterial();
    material->SetSubTexmap(0, map);
    scene.AddRoot(L"Floor material", material);
    scene.AddRoot(L"Spare", NewMap());

    std::unique_ptr<Scene> loaded = SaveLoadSave(scene, "large");
    ASSERT_NE(loaded, nullptr);

    auto* loadedMaterial = dynamic_cast<SimpleMaterial*>(loaded->FindRoot(L"Floor material"));
    ASSERT_NE(loadedMaterial, nullptr);
    Texmap* back = loadedMaterial->GetSubTexmap(0);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->gbufID, 4u);
    Texmap* backNested = back->GetParamBlock(0)->GetTexmap(pb_submaps, 0, 13);
    ASSERT_NE(backNested, nullptr);
    EXPECT_EQ(back->GetParamBlock(0)->GetTexmap(pb_submaps, 0, 3),
              back->GetParamBlock(0)->GetTexmap(pb_submaps, 0, 20));  // still shared

    for (int keyMode : {0, 1, 2}) {
        EXPECT_EQ(FirstDifference(map, back, {nested}, {backNested}, keyMode), -1)
            << "key mode " << keyMode;
    }
}

}  // namespace
