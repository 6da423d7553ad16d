// Cloning: parameter blocks copy every value, key and table and clone their maps through the
// remap directory (a map reached twice is cloned once); the host's maps and material clone
// their own data; the source is left as it was.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BitmapTexture.h"
#include "SolidColorMap.h"
#include "undo_test_support.h"

namespace {

// Clones through one remap directory, as the host's clone operation does.
class Cloning : public UndoFixture {
protected:
    void SetUp() override {
        UndoFixture::SetUp();
        remap = &NewRemapDir();
    }
    void TearDown() override {
        if (remap) {
            remap->DeleteThis();
        }
        UndoFixture::TearDown();
    }
    template <class T>
    T* CloneOf(T* source) {
        return dynamic_cast<T*>(remap->CloneRef(source));
    }

    RemapDir* remap = nullptr;
};

TEST_F(Cloning, ABlockCopiesValuesKeysAndTablesAndClonesSharedMapsOnce) {
    BlockMap source;
    IParamBlock2* pb = source.Block();
    AnimateOn();
    pb->SetValue(bm_float, 0, 1.0f);
    pb->SetValue(bm_float, 100, 3.0f);
    AnimateOff();
    pb->SetValue(bm_count, 0, 11);
    int weights[] = {5, 6};
    pb->Append(bm_weights, 2, weights);
    auto* shared = new SolidColorMap(AColor(0.25f, 0.5f, 0.75f, 1.0f));
    shared->SetName(_M("Shared"));
    auto* single = new SolidColorMap(AColor(1.0f, 0.0f, 0.0f, 1.0f));
    Texmap* maps[] = {shared, single, shared};
    pb->Append(bm_maps, 3, maps);
    // A second map sharing a sub-map with the first, cloned in the same operation.
    BlockMap neighbour;
    neighbour.Block()->SetValue(bm_map, 0, static_cast<Texmap*>(shared));
    const std::string sourceBefore = DumpBlock(pb);

    std::unique_ptr<BlockMap> clone(CloneOf(&source));
    std::unique_ptr<BlockMap> neighbourClone(CloneOf(&neighbour));
    ASSERT_TRUE(clone && neighbourClone);
    IParamBlock2* cb = clone->Block();
    ASSERT_NE(cb, pb);
    EXPECT_EQ(cb->GetOwner(), clone.get()) << "the installing map owns the clone";
    EXPECT_EQ(pb->GetOwner(), &source);

    EXPECT_FLOAT_EQ(cb->GetFloat(bm_float, 50), 2.0f);
    ASSERT_EQ(cb->NumKeys(bm_float), 2);
    EXPECT_EQ(cb->GetKeyTime(bm_float, 1), 100);
    EXPECT_EQ(cb->GetInt(bm_count), 11);
    ASSERT_EQ(cb->Count(bm_weights), 2);
    EXPECT_EQ(cb->GetInt(bm_weights, 0, 1), 6);

    ASSERT_EQ(cb->Count(bm_maps), 3);
    auto* sharedClone = dynamic_cast<SolidColorMap*>(cb->GetTexmap(bm_maps, 0, 0));
    ASSERT_NE(sharedClone, nullptr);
    EXPECT_NE(sharedClone, shared);
    EXPECT_EQ(cb->GetTexmap(bm_maps, 0, 2), sharedClone) << "cloned once";
    EXPECT_EQ(neighbourClone->Block()->GetTexmap(bm_map), sharedClone)
        << "once per clone operation, across blocks";
    EXPECT_NE(cb->GetTexmap(bm_maps, 0, 1), single);
    EXPECT_EQ(sharedClone->GetColor(), shared->GetColor());
    EXPECT_EQ(sharedClone->GetName(), MSTR(_M("Shared")));
    EXPECT_EQ(sharedClone->GetDependents().size(), 2u);

    EXPECT_EQ(DumpBlock(pb), sourceBefore) << "the source keeps its maps and dependents";
    cb->SetValue(bm_count, 0, 1);
    cb->ZeroCount(bm_maps);
    EXPECT_EQ(DumpBlock(pb), sourceBefore) << "editing the clone leaves the source alone";
}

TEST_F(Cloning, TheBitmapTextureClonesItsBlockAndGeneratorAndKeepsItsFile) {
    BitmapTexture source;
    source.SetMapName(_M("tiles.png"));
    source.SetFilterType(FILTER_SAT);
    source.GetUVGen()->SetBlur(2.5f, 0);
    source.GetUVGen()->SetWAng(0.5f, 0);
    source.SetName(_M("Tiles"));

    std::unique_ptr<BitmapTexture> clone(CloneOf(&source));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(std::wstring(clone->GetMapName()), L"tiles.png");
    EXPECT_EQ(clone->GetFilterType(), FILTER_SAT);
    EXPECT_NE(clone->GetParamBlock(0), source.GetParamBlock(0));
    EXPECT_EQ(clone->GetParamBlock(0)->GetOwner(), clone.get());
    ASSERT_NE(clone->GetUVGen(), source.GetUVGen());
    EXPECT_FLOAT_EQ(clone->GetUVGen()->GetBlur(0), 2.5f);
    EXPECT_FLOAT_EQ(clone->GetUVGen()->GetWAng(0), 0.5f);
    EXPECT_EQ(clone->GetName(), MSTR(_M("Tiles")));

    clone->SetFilterType(FILTER_NADA);
    clone->GetUVGen()->SetBlur(1.0f, 0);
    EXPECT_EQ(source.GetFilterType(), FILTER_SAT);
    EXPECT_FLOAT_EQ(source.GetUVGen()->GetBlur(0), 2.5f);
}

TEST_F(Cloning, TheMaterialClonesItsMapThroughTheSameOperation) {
    SimpleMaterial source;
    source.SetName(_M("Floor"));
    auto* map = new BlockMap();
    map->Block()->SetValue(bm_count, 0, 7);
    source.SetSubTexmap(0, map);
    // The map is also reached directly in the same operation: one clone only.
    BlockMap* mapClone = CloneOf(map);
    auto* clone = CloneOf(&source);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetSubTexmap(0), mapClone);
    EXPECT_EQ(mapClone->Block()->GetInt(bm_count), 7);
    EXPECT_EQ(clone->GetName(), MSTR(_M("Floor")));
    EXPECT_EQ(source.GetSubTexmap(0), map);
    clone->DeleteThis();  // its only reference: the map clone goes with it
}

TEST_F(Cloning, AnEmptySlotClonesToAnEmptySlot) {
    SimpleMaterial source;
    std::unique_ptr<SimpleMaterial> clone(CloneOf(&source));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetSubTexmap(0), nullptr);
}

}  // namespace
