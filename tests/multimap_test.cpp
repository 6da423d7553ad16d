// MultiMap through the host's own operations, on maps made by the loaded plug-in.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "LoadedPluginFixture.h"
#include "MultiMapParamIDs.h"
#include "SimpleMaterial.h"
#include "SimpleShadeContext.h"
#include "SimpleTexHandleMaker.h"
#include "SolidColorMap.h"
#include "hold.h"
#include "maxapi.h"

namespace {

// A sub-map that counts its updates: a rebuild of the map updates every sub-map.
class CountingSubMap : public SolidColorMap {
public:
    using SolidColorMap::SolidColorMap;
    void Update(TimeValue, Interval&) override { ++updates; }
    int updates = 0;
};

// Owns a map for the length of a test.
struct MapHandle {
    explicit MapHandle(Texmap* m) : map(m) {}
    ~MapHandle() { map->DeleteThis(); }
    Texmap* operator->() const { return map; }
    IParamBlock2* Block() const { return map->GetParamBlock(0); }
    Texmap* map;
};

void Append(IParamBlock2* block, Texmap* sub) {
    block->Append(pb_submaps, 1, &sub);
}

}  // namespace

class MultiMapTest : public LoadedPluginTest {};

TEST_F(MultiMapTest, ANewMapHasOneBlockAndItsResetValues) {
    MapHandle map(NewMap());
    ASSERT_NE(map.map, nullptr);
    IParamBlock2* block = map.Block();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(map->NumRefs(), 1);
    EXPECT_EQ(map->GetReference(0), block);
    EXPECT_EQ(map->NumSubs(), 1);
    EXPECT_EQ(map->SubAnim(0), block);
    EXPECT_EQ(map->SubAnim(1), nullptr);
    EXPECT_EQ(map->SubAnimName(0, false), MSTR(_M("Parameters")));
    EXPECT_EQ(map->SubNumToRefNum(0), 0);
    EXPECT_EQ(map->NumSubTexmaps(), 0);
    EXPECT_EQ(map->NumParamBlocks(), 1);
    EXPECT_EQ(map->SuperClassID(), TEXMAP_CLASS_ID);
    EXPECT_TRUE(map->ClassID() == Class_ID(0x55C6D763, 0xC637BB2E));
    MSTR name;
    map->GetClassName(name, true);
    EXPECT_EQ(name, MSTR(_M("Kaleidra")));
    map->GetClassName(name, false);
    EXPECT_EQ(name, MSTR(_M("Kaleidra")));
    EXPECT_TRUE(map->SupportTexDisplay());
    EXPECT_EQ(map->LocalRequirements(0), 0u);
    EXPECT_EQ(map->SetDlgThing(nullptr), FALSE);

    // Reset values, not the block's defaults, for the three random spreads.
    EXPECT_EQ(block->GetFloat(pb_rnd_gamma), 0.0f);
    EXPECT_EQ(block->GetFloat(pb_rnd_hue), 0.0f);
    EXPECT_EQ(block->GetFloat(pb_rnd_sat), 0.0f);
    EXPECT_EQ(Params()->GetParamDef(pb_rnd_gamma).def.f, 0.2f);
    EXPECT_EQ(block->GetInt(pb_seed), 12345);
    EXPECT_EQ(block->GetFloat(pb_all_gamma), 1.0f);
    EXPECT_EQ(block->GetFloat(pb_all_sat), 100.0f);
    EXPECT_EQ(block->GetFloat(pb_occ_hue), 50.0f);
    EXPECT_EQ(block->GetColor(pb_sub_color), Color(0.5f, 0.5f, 0.5f));
    EXPECT_EQ(block->GetInt(pb_use_color), 0);
    EXPECT_EQ(block->GetFloat(pb_rotate), 0.0f);

    // The scripting interface is the map itself.
    EXPECT_NE(map->GetInterface(Interface_ID(0x2D5D2030, 0x45C54488)), nullptr);
    EXPECT_EQ(map->GetInterface(Interface_ID(1, 2)), nullptr);
}

TEST_F(MultiMapTest, BlockLookupsAndLoadingFlag) {
    MapHandle map(NewMap());
    MapHandle loaded(static_cast<Texmap*>(MapClass()->Create(TRUE)));
    EXPECT_EQ(map->GetParamBlockByID(0), map.Block());
    EXPECT_EQ(map->GetParamBlockByID(1), nullptr);
    EXPECT_EQ(map->GetParamBlock(5), map.Block());
    // A map created for loading is built and reset like any other.
    EXPECT_EQ(loaded.Block()->GetFloat(pb_rnd_hue), 0.0f);
    EXPECT_EQ(loaded->NumRefs(), 1);
}

TEST_F(MultiMapTest, SubTextureSlots) {
    MapHandle map(NewMap());
    auto* a = new SolidColorMap();
    auto* b = new SolidColorMap();
    auto* c = new SolidColorMap();
    a->SetName(_M("Oak"));
    b->SetName(_M("Ash"));
    Append(map.Block(), a);
    Append(map.Block(), b);
    Append(map.Block(), c);
    EXPECT_EQ(map->NumSubTexmaps(), 3);
    EXPECT_EQ(map->GetSubTexmapSlotName(0, true), MSTR(_M("Oak")));
    EXPECT_EQ(map->GetSubTexmapSlotName(3, true), MSTR());
    EXPECT_EQ(map->GetSubTexmapSlotName(-1, true), MSTR());

    auto* m = new SolidColorMap();
    map->SetSubTexmap(1, m);
    EXPECT_EQ(map->GetSubTexmap(0), a);
    EXPECT_EQ(map->GetSubTexmap(1), m);
    map->SetSubTexmap(3, b);  // beyond the list: nothing
    EXPECT_EQ(map->NumSubTexmaps(), 3);
    EXPECT_EQ(map->GetSubTexmap(2), c);
    map->SetSubTexmap(2, nullptr);
    EXPECT_EQ(map->GetSubTexmapSlotName(2, true), MSTR());  // an empty slot has no name
}

TEST_F(MultiMapTest, ChangeMessageInvalidatesRedrawsAndDropsTheViewportHandle) {
    MapHandle map(NewMap());
    auto* sub = new CountingSubMap();
    Append(map.Block(), sub);
    Interval valid = FOREVER;
    map->Update(0, valid);
    const int updatesBefore = sub->updates;
    SimpleTexHandleMaker maker(4);
    map->GetActiveTexHandle(0, maker);
    ASSERT_EQ(maker.HandlesMade(), 1);

    Params()->ClearUIInvalidations();
    map.Block()->SetValue(pb_blur, 0, 2.0f);
    const auto& redrawn = Params()->GetUIInvalidations();
    ASSERT_FALSE(redrawn.empty());
    EXPECT_EQ(redrawn.back().id, pb_blur);
    EXPECT_EQ(redrawn.back().tabIndex, -1);

    map->GetActiveTexHandle(0, maker);  // the handle was dropped: drawn again
    EXPECT_EQ(maker.HandlesMade(), 2);
    EXPECT_GT(sub->updates, updatesBefore);  // the validity was emptied: a rebuild ran
}

TEST_F(MultiMapTest, StructureMessageRebuildsOnlyForTheSubMapList) {
    MapHandle map(NewMap());
    auto* first = new CountingSubMap();
    Append(map.Block(), first);
    // Appending to the sub-map list rebuilds at once: the other two lists already follow.
    EXPECT_EQ(map.Block()->Count(pb_submap_on), 1);
    EXPECT_EQ(map.Block()->Count(pb_probability), 1);
    EXPECT_EQ(first->updates, 1);

    // A structure change of the weights list alone rebuilds nothing.
    map.Block()->SetCount(pb_probability, 4);
    EXPECT_EQ(first->updates, 1);
}

TEST_F(MultiMapTest, ResetEmptiesTheListAndKeepsColourAndRotation) {
    MapHandle map(NewMap());
    IParamBlock2* block = map.Block();
    for (int i = 0; i < 5; ++i) {
        Append(block, new SolidColorMap());
    }
    block->SetValue(pb_sub_color, 0, Color(0.1f, 0.2f, 0.3f));
    block->SetValue(pb_use_color, 0, 1);
    block->SetValueEntered(pb_rotate, 0, 45.0f);
    block->SetValue(pb_seed, 0, 3);
    block->SetValue(pb_rnd_hue, 0, 30.0f);
    map->Reset();
    EXPECT_EQ(map->NumSubTexmaps(), 0);
    EXPECT_EQ(block->GetInt(pb_seed), 12345);
    EXPECT_EQ(block->GetFloat(pb_rnd_hue), 0.0f);
    EXPECT_EQ(block->GetColor(pb_sub_color), Color(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(block->GetInt(pb_use_color), 1);
    EXPECT_NEAR(block->GetFloatShown(pb_rotate), 45.0f, 1e-4f);
    Interval valid = FOREVER;
    map->Update(0, valid);
    EXPECT_EQ(block->Count(pb_submap_on), 0);
    EXPECT_EQ(block->Count(pb_probability), 0);
}

TEST_F(MultiMapTest, EvaluatesThroughThePickTableAfterAnUpdate) {
    MapHandle map(NewMap());
    IParamBlock2* block = map.Block();
    Append(block, new SolidColorMap(AColor(1.0f, 0.0f, 0.0f, 1.0f), Point3(1.0f, 0.0f, 0.0f)));
    Append(block, new SolidColorMap(AColor(0.0f, 1.0f, 0.0f, 1.0f), Point3(0.0f, 1.0f, 0.0f)));
    Append(block, new SolidColorMap(AColor(0.0f, 0.0f, 1.0f, 1.0f), Point3(0.0f, 0.0f, 1.0f)));
    const int on[] = {1, 0, 1};
    const int weight[] = {2, 5, 3};
    for (int i = 0; i < 3; ++i) {
        block->SetValue(pb_submap_on, 0, on[i], i);
        block->SetValue(pb_probability, 0, weight[i], i);
    }
    Interval valid = FOREVER;
    map->Update(0, valid);
    EXPECT_TRUE(valid.IsInfinite());
    // Key 1 picks entry 3 of (A, A, C, C, C): C.
    SimpleShadeContext sc;
    sc.mtlNum = 1;
    EXPECT_EQ(map->EvalNormalPerturb(sc), Point3(0.0f, 0.0f, 1.0f));
    sc.NewSample();
    const AColor c = map->EvalColor(sc);
    EXPECT_EQ(c, AColor(0.0f, 0.0f, 1.0f, 1.0f));  // a reset map varies nothing
    EXPECT_EQ(map->EvalMono(sc), ((c.g + c.r) + c.b) / 3.0f);

    // "Randomize by" applies only inside a render begun with flags 0.
    block->SetValue(pb_rnd_by, 0, 2);
    map->Update(0, valid);
    sc.SetUVW(99, Point3(0.0f, 0.0f, 2.0f));  // key 2: pick draw 197, index 2: C
    sc.mtlNum = 0;                            // key 0: pick draw 38, index 3: C
    EXPECT_EQ(map->RenderBegin(0, 0), 1);
    sc.NewSample();
    EXPECT_EQ(map->EvalNormalPerturb(sc), Point3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(map->RenderEnd(0), 1);
}

TEST_F(MultiMapTest, CloneEvaluatesIdenticallySharesNothingAndLeavesTheSourceAlone) {
    MapHandle map(NewMap());
    IParamBlock2* block = map.Block();
    auto* shared = new SolidColorMap(AColor(0.9f, 0.5f, 0.1f, 1.0f));
    Append(block, shared);
    Append(block, new SolidColorMap(AColor(0.1f, 0.4f, 0.8f, 1.0f)));
    Append(block, shared);
    Append(block, nullptr);
    block->SetValue(pb_rnd_hue, 0, 25.0f);
    block->SetValue(pb_rnd_gamma, 0, 0.4f);
    block->SetValue(pb_seed, 0, 4242);
    map->SetName(_M("Planks"));
    map->gbufID = 3;

    RemapDir& remap = NewRemapDir();
    MapHandle clone(static_cast<Texmap*>(map->Clone(remap)));
    remap.DeleteThis();
    ASSERT_NE(clone.map, nullptr);
    EXPECT_EQ(clone->GetName(), MSTR(_M("Planks")));
    EXPECT_EQ(clone->gbufID, 3u);
    EXPECT_NE(clone.Block(), block);
    ASSERT_EQ(clone->NumSubTexmaps(), 4);
    // The shared sub-map is cloned once and stays shared in the clone.
    EXPECT_NE(clone->GetSubTexmap(0), shared);
    EXPECT_EQ(clone->GetSubTexmap(0), clone->GetSubTexmap(2));
    EXPECT_EQ(clone->GetSubTexmap(3), nullptr);
    // The source keeps its own.
    EXPECT_EQ(map->GetSubTexmap(0), shared);
    EXPECT_EQ(map->GetSubTexmap(2), shared);

    Interval v1 = FOREVER, v2 = FOREVER;
    map->Update(0, v1);
    clone->Update(0, v2);
    SimpleShadeContext a, b;
    for (int key = -500; key < 500; ++key) {
        a.NewSample();
        b.NewSample();
        a.mtlNum = b.mtlNum = key;
        const AColor ca = map->EvalColor(a);
        const AColor cb = clone->EvalColor(b);
        ASSERT_EQ(std::memcmp(&ca, &cb, sizeof ca), 0) << key;
    }
}

TEST_F(MultiMapTest, ActivateTexDisplayOffDropsTheHandle) {
    MapHandle map(NewMap());
    SimpleTexHandleMaker maker(2);
    const DWORD_PTR first = map->GetActiveTexHandle(0, maker);
    map->ActivateTexDisplay(TRUE);
    EXPECT_EQ(map->GetActiveTexHandle(0, maker), first);
    map->ActivateTexDisplay(FALSE);
    map->GetActiveTexHandle(0, maker);
    EXPECT_EQ(maker.HandlesMade(), 2);
}

TEST_F(MultiMapTest, DeletingAMapAMaterialStillUsesCanBeUndoneAndRedone) {
    auto* material = new SimpleMaterial();
    Texmap* map = NewMap();
    map->GetParamBlock(0)->Append(pb_submaps, 1,
                                  std::array<Texmap*, 1>{new SolidColorMap()}.data());
    material->SetSubTexmap(0, map);

    theHold.Begin();
    map->DeleteMe();
    theHold.Accept(_M("Delete map"));
    EXPECT_EQ(material->GetSubTexmap(0), nullptr);

    ASSERT_TRUE(theHold.Undo());
    ASSERT_EQ(material->GetSubTexmap(0), map);  // the very map, kept alive by the undo step
    EXPECT_EQ(map->NumSubTexmaps(), 1);
    SimpleShadeContext sc;
    Interval valid = FOREVER;
    map->Update(0, valid);
    EXPECT_EQ(map->EvalColor(sc).a, 1.0f);

    ASSERT_TRUE(theHold.Redo());
    EXPECT_EQ(material->GetSubTexmap(0), nullptr);
    theHold.ClearUndoStack();  // the map goes with the step
    material->DeleteThis();
}

TEST_F(MultiMapTest, ParameterEditsAndResetUndoAsOneStep) {
    MapHandle map(NewMap());
    IParamBlock2* block = map.Block();
    theHold.Begin();
    block->SetValue(pb_seed, 0, 77);
    Append(block, new SolidColorMap());
    theHold.Accept(_M("Edit"));
    theHold.Begin();
    map->Reset();
    theHold.Accept(_M("Reset"));
    EXPECT_EQ(block->GetInt(pb_seed), 12345);
    EXPECT_EQ(map->NumSubTexmaps(), 0);
    ASSERT_TRUE(theHold.Undo());
    EXPECT_EQ(block->GetInt(pb_seed), 77);
    EXPECT_EQ(map->NumSubTexmaps(), 1);
    ASSERT_TRUE(theHold.Undo());
    EXPECT_EQ(block->GetInt(pb_seed), 12345);
    EXPECT_EQ(map->NumSubTexmaps(), 0);
    theHold.ClearUndoStack();
}
