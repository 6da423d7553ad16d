// The host's simple material: one map slot, its class descriptor, and how it treats its map.
#include <gtest/gtest.h>

#include <memory>

#include "undo_test_support.h"

namespace {

TEST(SimpleMaterialTest, HasOneMapSlotThatIsReferenceZero) {
    auto mtl = std::make_unique<SimpleMaterial>();
    EXPECT_EQ(mtl->SuperClassID(), static_cast<SClass_ID>(MATERIAL_CLASS_ID));
    EXPECT_EQ(mtl->NumSubTexmaps(), 1);
    EXPECT_EQ(mtl->NumRefs(), 1);
    auto* map = new SolidColorMap();
    mtl->SetSubTexmap(0, map);
    EXPECT_EQ(mtl->GetSubTexmap(0), map);
    EXPECT_EQ(mtl->GetReference(0), map);
    EXPECT_EQ(mtl->SubAnim(0), map);
    EXPECT_EQ(map->GetDependents(), std::vector<ReferenceMaker*>{mtl.get()});

    auto* stray = new SolidColorMap();
    mtl->SetSubTexmap(1, stray);
    EXPECT_EQ(mtl->GetSubTexmap(1), nullptr);
    EXPECT_EQ(mtl->GetSubTexmap(0), map) << "slot 1 does not exist";
    EXPECT_FALSE(stray->HasDependents());
    stray->DeleteThis();
    EXPECT_EQ(mtl->GetSubTexmapSlotName(0, true), MSTR(_M("Map")));
    EXPECT_EQ(mtl->GetSubTexmapSlotName(1, true), MSTR());
}

TEST(SimpleMaterialTest, ResetAndDestructionDropTheMap) {
    bool deleted = false;
    SimpleMaterial mtl;
    mtl.SetSubTexmap(0, new ProbeMap(&deleted));
    mtl.Reset();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(mtl.GetSubTexmap(0), nullptr);

    bool again = false;
    {
        SimpleMaterial other;
        other.SetSubTexmap(0, new ProbeMap(&again));
    }
    EXPECT_TRUE(again);
}

TEST(SimpleMaterialTest, TheClassDescriptorCreatesIt) {
    ClassDesc2* cd = GetSimpleMaterialDesc();
    EXPECT_EQ(cd->SuperClassID(), static_cast<SClass_ID>(MATERIAL_CLASS_ID));
    EXPECT_EQ(cd->ClassID(), SIMPLEMATERIAL_CLASS_ID);
    auto* created = static_cast<SimpleMaterial*>(cd->Create(FALSE));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->ClassID(), cd->ClassID());
    created->DeleteThis();
}

}  // namespace
