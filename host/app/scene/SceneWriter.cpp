// Scene file format, version 1 (UTF-8 JSON):
//
// {
//   "format": "kaleidra-scene",
//   "version": 1,
//   "roots": [{"name": "Floor", "object": 1}, ...],         object id or null
//   "objects": [
//     {
//       "id": 1,                                             positive, unique
//       "class": {"name": "Kaleidra", "superClassID": "0x00000C10",
//                 "classID": ["0x55C6D763", "0xC637BB2E"]},  the name is for readers only
//       "name": "Floor", "gbufID": 0,                        materials and maps only
//       "refs": ["params", 2, null],                         one per reference: the internal
//                                                            name of the object's own block,
//                                                            an object id, or null
//       "blocks": {"params": {"all_gamma": 1.0, ...}},       see ParamBlockJson.h
//       "data": {...}                                        the class's own state, see
//     }, ...                                                 ObjectPersistence.h
//   ]
// }
//
// Objects are listed once each, shared ones too, in depth-first order from the roots (root
// order, then references in slot order, a block's texture maps in parameter order); ids count
// from 1 in that order. Loading: members missing from an object, a block or "data" keep the
// values the class's Create(TRUE) gave; unknown members are errors. Objects no root reaches are
// deleted after loading.
#include <map>

#include "AtomicFile.h"
#include "ObjectPersistence.h"
#include "ParamBlockJson.h"
#include "SceneError.h"
#include "SceneFile.h"
#include "SceneIds.h"
#include "SceneLayout.h"

namespace {

// Numbers the objects reachable from the roots.
class ObjectNumbering {
public:
    void Visit(ReferenceTarget* obj) {
        if (!obj || ids.count(obj) || AsParamBlock(obj)) {
            return;
        }
        ids[obj] = static_cast<int>(order.size()) + 1;
        order.push_back(obj);
        for (int i = 0; i < obj->NumRefs(); ++i) {
            ReferenceTarget* target = obj->GetReference(i);
            IParamBlock2* block = AsParamBlock(target);
            if (block && block->GetOwner() == obj) {
                // The block's references are its texture maps, in parameter order.
                for (int r = 0; r < block->NumRefs(); ++r) {
                    Visit(block->GetReference(r));
                }
            } else {
                Visit(target);
            }
        }
    }
    SceneJson IdOf(ReferenceTarget* obj) const {
        return obj ? SceneJson(ids.at(obj)) : SceneJson(nullptr);
    }

    std::vector<ReferenceTarget*> order;

private:
    std::map<ReferenceTarget*, int> ids;
};

SceneJson ClassToJson(ClassDesc& desc) {
    return SceneJson{{"name", ToUtf8(desc.NonLocalizedClassName())},
                     {"superClassID", HexId(desc.SuperClassID())},
                     {"classID", {HexId(desc.ClassID().PartA()), HexId(desc.ClassID().PartB())}}};
}

SceneJson ObjectToJson(ReferenceTarget& obj, const ObjectNumbering& numbering,
                       const ClassDirectory& directory, const std::string& place) {
    const ClassEntry* entry = directory.Find(obj.SuperClassID(), obj.ClassID());
    if (!entry) {
        MSTR name;
        obj.GetClassName(name, false);
        throw SceneErrorAt(place, "class \"" + ToUtf8(name.ToStdWString()) + "\" (" +
                                      DescribeClass(obj.SuperClassID(), obj.ClassID()) +
                                      ") is not in the class directory");
    }
    SceneJson out{{"id", numbering.IdOf(&obj)}, {"class", ClassToJson(*entry->desc)}};
    if (auto* mtl = dynamic_cast<MtlBase*>(&obj)) {
        out["name"] = ToUtf8(mtl->GetName().ToStdWString());
        out["gbufID"] = mtl->GetGBufID();
    }
    SceneJson refs = SceneJson::array();
    SceneJson blocks = SceneJson::object();
    auto texmapId = [&](Texmap* map) { return numbering.IdOf(map); };
    for (int i = 0; i < obj.NumRefs(); ++i) {
        ReferenceTarget* target = obj.GetReference(i);
        IParamBlock2* block = AsParamBlock(target);
        if (!block) {
            refs.push_back(numbering.IdOf(target));
            continue;
        }
        const std::string refPlace = place + ".refs[" + std::to_string(i) + "]";
        if (block->GetOwner() != &obj) {
            throw SceneErrorAt(refPlace, "refers to a parameter block of another object");
        }
        const std::string blockName = ToUtf8(block->GetDesc()->int_name);
        if (blocks.contains(blockName)) {
            throw SceneErrorAt(refPlace, "a second block named \"" + blockName + "\"");
        }
        refs.push_back(blockName);
        blocks[blockName] = ParamBlockToJson(*block, texmapId);
    }
    out["refs"] = refs;
    if (!blocks.empty()) {
        out["blocks"] = blocks;
    }
    if (entry->persistence) {
        SceneJson data = SceneJson::object();
        entry->persistence->Save(obj, data);
        out["data"] = data;
    }
    return out;
}

SceneJson SceneToJson(Scene& scene, const ClassDirectory& directory) {
    ObjectNumbering numbering;
    for (int r = 0; r < scene.NumRoots(); ++r) {
        numbering.Visit(scene.GetRoot(r));
    }
    SceneJson roots = SceneJson::array();
    for (int r = 0; r < scene.NumRoots(); ++r) {
        roots.push_back({{"name", ToUtf8(scene.RootName(r).ToStdWString())},
                         {"object", numbering.IdOf(scene.GetRoot(r))}});
    }
    SceneJson objects = SceneJson::array();
    for (std::size_t i = 0; i < numbering.order.size(); ++i) {
        objects.push_back(ObjectToJson(*numbering.order[i], numbering, directory,
                                       "objects[" + std::to_string(i) + "]"));
    }
    return SceneJson{{"format", SCENE_FILE_FORMAT},
                     {"version", SCENE_FILE_VERSION},
                     {"roots", roots},
                     {"objects", objects}};
}

}  // namespace

void SaveScene(const std::string& path, Scene& scene, const ClassDirectory& directory) {
    std::string text;
    try {
        text = LayOutScene(SceneToJson(scene, directory));
    } catch (const SceneError& e) {
        throw SceneError(path + ": " + e.what());
    }
    WriteFileAtomically(path, text);
}
