// Scene-file test support: a block-owning map listed in the class directory (the frame-update
// test map with a class identity and descriptor of its own), a count of live instances to see
// that failed loads leave nothing behind.
#pragma once

#include "UpdateMap.h"
#include "scene_test_files.h"

#define SCENE_TEST_MAP_CLASS_ID Class_ID(0x5C0F0001, 0x5C0F0002)

class SceneTestMap : public UpdateMap {
public:
    SceneTestMap() { ++Live(); }
    ~SceneTestMap() override { --Live(); }
    Class_ID ClassID() override { return SCENE_TEST_MAP_CLASS_ID; }
    static int& Live() {
        static int live = 0;
        return live;
    }
};

// Creates SceneTestMaps; the block descriptor is the plug-in's "params", which the plug-in's
// class descriptor keeps.
class SceneTestMapDesc : public ClassDesc {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override { return new SceneTestMap(); }
    const MCHAR* ClassName() override { return _M("Scene Test Map"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Scene Test Map"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return SCENE_TEST_MAP_CLASS_ID; }
    const MCHAR* Category() override { return _M(""); }
    int NumParamBlockDescs() override { return GetMultiMapDesc()->NumParamBlockDescs(); }
    ParamBlockDesc2* GetParamBlockDesc(int i) override {
        return GetMultiMapDesc()->GetParamBlockDesc(i);
    }
};

inline ClassDesc* GetSceneTestMapDesc() {
    static SceneTestMapDesc desc;
    return &desc;
}
