#include "HostClasses.h"

#include "BitmapTexture.h"
#include "HostClassDescs.h"
#include "ObjectPersistence.h"
#include "SettingsReader.h"
#include "SimpleMaterial.h"
#include "SolidColorMap.h"
#include "StandardUVGen.h"

namespace {

class BitmapTexturePersistence : public ObjectPersistence {
public:
    void Save(ReferenceTarget& obj, SceneJson& data) const override {
        data["fileName"] = ToUtf8(static_cast<BitmapTexture&>(obj).GetMapName());
    }
    void Load(ReferenceTarget& obj, const SceneJson& data,
              const std::string& place) const override {
        auto& map = static_cast<BitmapTexture&>(obj);
        SettingsReader()
            .On("fileName",
                [&](const SceneJson& v, const std::string& at) {
                    map.SetMapName(JsonToText(v, at).c_str());
                })
            .Read(data, place);
    }
};

class SolidColorMapPersistence : public ObjectPersistence {
public:
    void Save(ReferenceTarget& obj, SceneJson& data) const override {
        auto& map = static_cast<SolidColorMap&>(obj);
        data["color"] = AColorToJson(map.GetColor());
        data["perturb"] = Point3ToJson(map.GetPerturb());
    }
    void Load(ReferenceTarget& obj, const SceneJson& data,
              const std::string& place) const override {
        auto& map = static_cast<SolidColorMap&>(obj);
        SettingsReader()
            .On("color", [&](const SceneJson& v,
                             const std::string& at) { map.SetColor(JsonToAColor(v, at)); })
            .On("perturb", [&](const SceneJson& v,
                               const std::string& at) { map.SetPerturb(JsonToPoint3(v, at)); })
            .Read(data, place);
    }
};

// The generator's values are constants: time 0 stands for every time.
class StandardUVGenPersistence : public ObjectPersistence {
public:
    void Save(ReferenceTarget& obj, SceneJson& data) const override {
        auto& gen = static_cast<StandardUVGen&>(obj);
        data["blur"] = FloatToJson(gen.GetBlur(0));
        data["wAngle"] = AngleToJson(gen.GetWAng(0));
        data["uScale"] = FloatToJson(gen.GetUScl(0));
        data["vScale"] = FloatToJson(gen.GetVScl(0));
        data["uOffset"] = FloatToJson(gen.GetUOffs(0));
        data["vOffset"] = FloatToJson(gen.GetVOffs(0));
    }
    void Load(ReferenceTarget& obj, const SceneJson& data,
              const std::string& place) const override {
        auto& gen = static_cast<StandardUVGen&>(obj);
        using Set = void (StandardUVGen::*)(float, TimeValue);
        auto floatSetter = [&gen](Set set) {
            return [&gen, set](const SceneJson& v, const std::string& at) {
                (gen.*set)(JsonToFloat(v, at), 0);
            };
        };
        SettingsReader()
            .On("blur", floatSetter(&StandardUVGen::SetBlur))
            .On("wAngle", [&](const SceneJson& v,
                              const std::string& at) { gen.SetWAng(JsonToAngle(v, at), 0); })
            .On("uScale", floatSetter(&StandardUVGen::SetUScl))
            .On("vScale", floatSetter(&StandardUVGen::SetVScl))
            .On("uOffset", floatSetter(&StandardUVGen::SetUOffs))
            .On("vOffset", floatSetter(&StandardUVGen::SetVOffs))
            .Read(data, place);
    }
};

}  // namespace

void RegisterHostClasses(ClassDirectory& directory) {
    static const BitmapTexturePersistence bitmapTexture;
    static const SolidColorMapPersistence solidColorMap;
    static const StandardUVGenPersistence standardUVGen;
    directory.Register(GetBitmapTextureDesc(), &bitmapTexture);
    directory.Register(GetSolidColorMapDesc(), &solidColorMap);
    directory.Register(GetStandardUVGenDesc(), &standardUVGen);
    directory.Register(GetSimpleMaterialDesc());
}
