// The host's class directory: lookup by identity and by name, one entry per identity, and the
// classes of a loaded plug-in's exports.
#include <gtest/gtest.h>

#include "BitmapTexture.h"
#include "ClassDirectory.h"
#include "HostClassDescs.h"
#include "HostClasses.h"
#include "SimpleMaterial.h"
#include "SolidColorMap.h"
#include "scene_test_support.h"

namespace {

TEST(ClassDirectoryTest, FindsTheHostClassesByIdentityAndByName) {
    ClassDirectory directory;
    RegisterHostClasses(directory);

    const ClassEntry* bitmap = directory.Find(TEXMAP_CLASS_ID, Class_ID(BMTEX_CLASS_ID, 0));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->desc, GetBitmapTextureDesc());
    EXPECT_NE(bitmap->persistence, nullptr);
    EXPECT_EQ(directory.Find(TEXMAP_CLASS_ID, SOLIDCOLORMAP_CLASS_ID)->desc,
              GetSolidColorMapDesc());
    EXPECT_EQ(directory.Find(UVGEN_CLASS_ID, Class_ID(0x100, 0))->desc, GetStandardUVGenDesc());
    EXPECT_EQ(directory.Find(MATERIAL_CLASS_ID, SIMPLEMATERIAL_CLASS_ID)->desc,
              GetSimpleMaterialDesc());
    // The same class ID under another super class is another class.
    EXPECT_EQ(directory.Find(MATERIAL_CLASS_ID, Class_ID(BMTEX_CLASS_ID, 0)), nullptr);

    EXPECT_EQ(directory.FindByName(L"Bitmap"), bitmap);     // non-localized name
    EXPECT_EQ(directory.FindByName(L"BitmapTex"), bitmap);  // script name
    EXPECT_EQ(directory.FindByName(L"bitmap"), nullptr);
    EXPECT_EQ(directory.FindByName(nullptr), nullptr);
}

TEST(ClassDirectoryTest, KeepsTheFirstClassOfAnIdentity) {
    ClassDirectory directory;
    EXPECT_TRUE(directory.Register(GetSceneTestMapDesc()));
    SceneTestMapDesc impostor;
    EXPECT_FALSE(directory.Register(&impostor));
    EXPECT_FALSE(directory.Register(nullptr));
    EXPECT_EQ(directory.Count(), 1);
    EXPECT_EQ(directory.Find(TEXMAP_CLASS_ID, SCENE_TEST_MAP_CLASS_ID)->desc,
              GetSceneTestMapDesc());
}

int TwoClasses() {
    return 2;
}

// Like the plug-in's LibClassDesc, a library may hand out the same descriptor for any index.
ClassDesc* SameDescriptorForEveryIndex(int) {
    return GetSceneTestMapDesc();
}

ClassDesc* TwoDescriptors(int i) {
    return i == 0 ? GetSceneTestMapDesc() : GetSolidColorMapDesc();
}

TEST(ClassDirectoryTest, ListsTheClassesALibraryExports) {
    ClassDirectory once;
    EXPECT_EQ(once.RegisterLibrary(TwoClasses, SameDescriptorForEveryIndex), 1);
    EXPECT_EQ(once.Count(), 1);

    ClassDirectory both;
    EXPECT_EQ(both.RegisterLibrary(TwoClasses, TwoDescriptors), 2);
    EXPECT_NE(both.FindByName(L"Scene Test Map"), nullptr);
    EXPECT_NE(both.FindByName(L"Solid Color"), nullptr);
    EXPECT_EQ(both.RegisterLibrary(nullptr, TwoDescriptors), 0);
}

}  // namespace
