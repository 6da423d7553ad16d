#include <map>
#include <set>

#include "LoadHolder.h"
#include "ObjectPersistence.h"
#include "ParamBlockJson.h"
#include "SceneError.h"
#include "SceneFile.h"
#include "SceneIds.h"
#include "SceneText.h"
#include "hold.h"

namespace {

std::string Item(const std::string& place, std::size_t i) {
    return place + "[" + std::to_string(i) + "]";
}

void CheckMembers(const SceneJson& v, std::initializer_list<const char*> allowed,
                  const std::string& place) {
    if (!v.is_object()) {
        throw SceneErrorAt(place, "expected an object, found " + DescribeJson(v));
    }
    for (const auto& member : v.items()) {
        bool known = false;
        for (const char* name : allowed) {
            known = known || member.key() == name;
        }
        if (!known) {
            throw SceneErrorAt(place + "." + member.key(), "unknown member");
        }
    }
}

const SceneJson& ArrayMember(const SceneJson& v, const char* key, const std::string& place) {
    const SceneJson& a = JsonMember(v, key, place);
    if (!a.is_array()) {
        throw SceneErrorAt(place == "document" ? key : place + "." + key,
                           "expected an array, found " + DescribeJson(a));
    }
    return a;
}

void CheckHeader(const SceneJson& doc) {
    CheckMembers(doc, {"format", "version", "roots", "objects"}, "document");
    const SceneJson& format = JsonMember(doc, "format", "document");
    if (format != SCENE_FILE_FORMAT) {
        throw SceneErrorAt("format", "not a scene file of this host: format " + format.dump() +
                                         ", expected \"" SCENE_FILE_FORMAT "\"");
    }
    const SceneJson& version = JsonMember(doc, "version", "document");
    if (version != SCENE_FILE_VERSION) {
        throw SceneErrorAt("version", "version " + version.dump() +
                                          " is not supported (this host reads version " +
                                          std::to_string(SCENE_FILE_VERSION) + ")");
    }
}

const ClassEntry& FindClass(const SceneJson& cls, const ClassDirectory& directory,
                            const std::string& place) {
    CheckMembers(cls, {"name", "superClassID", "classID"}, place);
    ULONG superClassID = 0, a = 0, b = 0;
    const SceneJson& super = JsonMember(cls, "superClassID", place);
    const SceneJson& id = JsonMember(cls, "classID", place);
    if (!super.is_string() || !ParseHexId(super.get<std::string>(), superClassID)) {
        throw SceneErrorAt(place + ".superClassID",
                           "expected a hex word \"0x...\", found " + DescribeJson(super));
    }
    if (!id.is_array() || id.size() != 2 || !id[0].is_string() || !id[1].is_string() ||
        !ParseHexId(id[0].get<std::string>(), a) || !ParseHexId(id[1].get<std::string>(), b)) {
        throw SceneErrorAt(place + ".classID",
                           "expected [\"0x...\", \"0x...\"], found " + DescribeJson(id));
    }
    const ClassEntry* entry = directory.Find(superClassID, Class_ID(a, b));
    if (!entry) {
        const auto name = cls.find("name");
        const std::string shown = name != cls.end() ? name->dump() + " " : std::string();
        throw SceneErrorAt(place, "unknown class " + shown + "(" +
                                      DescribeClass(superClassID, Class_ID(a, b)) + ")");
    }
    return *entry;
}

// True when from, or anything it refers to directly or through others, is one of targets.
bool Reaches(ReferenceTarget* from, const std::set<ReferenceTarget*>& targets,
             std::set<ReferenceTarget*>& seen) {
    if (!from || !seen.insert(from).second) {
        return false;
    }
    if (targets.count(from)) {
        return true;
    }
    for (int i = 0; i < from->NumRefs(); ++i) {
        if (Reaches(from->GetReference(i), targets, seen)) {
            return true;
        }
    }
    return false;
}

class SceneLoader {
public:
    SceneLoader(const SceneJson& document, const ClassDirectory& dir)
        : doc(document), directory(dir) {}

    std::unique_ptr<Scene> Load() {
        CheckHeader(doc);
        const SceneJson& objects = ArrayMember(doc, "objects", "document");
        std::vector<const ClassEntry*> classes = IndexObjects(objects);
        for (std::size_t i = 0; i < objects.size(); ++i) {
            Create(*classes[i], Item("objects", i));
        }
        for (std::size_t i = 0; i < objects.size(); ++i) {
            Fill(*created[i], *classes[i], objects[i], Item("objects", i));
        }
        auto scene = std::make_unique<Scene>();
        const SceneJson& roots = ArrayMember(doc, "roots", "document");
        for (std::size_t r = 0; r < roots.size(); ++r) {
            AddRoot(*scene, roots[r], Item("roots", r));
        }
        return scene;
    }

    // Everything created and not reachable from the returned scene is deleted.
    LoadHolder holder;

private:
    std::vector<const ClassEntry*> IndexObjects(const SceneJson& objects) {
        std::vector<const ClassEntry*> classes;
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const std::string place = Item("objects", i);
            const SceneJson& obj = objects[i];
            CheckMembers(obj, {"id", "class", "name", "gbufID", "refs", "blocks", "data"}, place);
            const int id = JsonToInt(JsonMember(obj, "id", place), place + ".id");
            if (id <= 0) {
                throw SceneErrorAt(place + ".id", "ids are positive");
            }
            if (!indexOfId.emplace(id, i).second) {
                throw SceneErrorAt(place + ".id", "a second object with id " + std::to_string(id));
            }
            classes.push_back(
                &FindClass(JsonMember(obj, "class", place), directory, place + ".class"));
        }
        return classes;
    }

    void Create(const ClassEntry& cls, const std::string& place) {
        void* made = cls.desc->Create(TRUE);
        if (!made) {
            throw SceneErrorAt(place, "the class could not create an object");
        }
        auto* obj = static_cast<ReferenceTarget*>(static_cast<Animatable*>(made));
        holder.Hold(obj);
        created.push_back(obj);
        if (obj->SuperClassID() != cls.desc->SuperClassID() ||
            obj->ClassID() != cls.desc->ClassID()) {
            throw SceneErrorAt(place, "the class descriptor made an object of another class");
        }
    }

    ReferenceTarget* Resolve(const SceneJson& id, const std::string& place) {
        if (id.is_null()) {
            return nullptr;
        }
        if (!id.is_number_integer()) {
            throw SceneErrorAt(place, "expected an object id or null, found " + DescribeJson(id));
        }
        const auto it = indexOfId.find(JsonToInt(id, place));
        if (it == indexOfId.end()) {
            throw SceneErrorAt(place, "no object has id " + id.dump());
        }
        return created[it->second];
    }

    // The target of a new reference from maker (or from maker's block); refused when it
    // would close a loop of references.
    ReferenceTarget* ResolveFrom(const std::set<ReferenceTarget*>& maker, const SceneJson& id,
                                 const std::string& place) {
        ReferenceTarget* target = Resolve(id, place);
        std::set<ReferenceTarget*> seen;
        if (Reaches(target, maker, seen)) {
            throw SceneErrorAt(
                place, "reference cycle: object " + id.dump() + " refers back to this object");
        }
        return target;
    }

    void Fill(ReferenceTarget& obj, const ClassEntry& cls, const SceneJson& json,
              const std::string& place) {
        FillMaterialBase(obj, json, place);
        std::map<std::string, IParamBlock2*> blocks;
        if (json.contains("refs")) {
            blocks = FillRefs(obj, *cls.desc, ArrayMember(json, "refs", place), place + ".refs");
        }
        if (json.contains("blocks")) {
            FillBlocks(obj, blocks, json["blocks"], place + ".blocks");
        }
        if (json.contains("data")) {
            if (!cls.persistence) {
                throw SceneErrorAt(place + ".data", "the class keeps no data of its own");
            }
            cls.persistence->Load(obj, json["data"], place + ".data");
        }
    }

    void FillMaterialBase(ReferenceTarget& obj, const SceneJson& json, const std::string& place) {
        auto* mtl = dynamic_cast<MtlBase*>(&obj);
        for (const char* key : {"name", "gbufID"}) {
            if (json.contains(key) && !mtl) {
                throw SceneErrorAt(place + "." + key, "the object is no material or map");
            }
        }
        if (json.contains("name")) {
            mtl->SetName(MSTR(JsonToText(json["name"], place + ".name")));
        }
        if (json.contains("gbufID")) {
            const int gbufID = JsonToInt(json["gbufID"], place + ".gbufID");
            if (gbufID < 0) {
                throw SceneErrorAt(place + ".gbufID", "G-buffer IDs are not negative");
            }
            mtl->SetGBufID(static_cast<ULONG>(gbufID));
        }
    }

    std::map<std::string, IParamBlock2*> FillRefs(ReferenceTarget& obj, ClassDesc& desc,
                                                  const SceneJson& refs, const std::string& place) {
        if (refs.size() != static_cast<std::size_t>(obj.NumRefs())) {
            throw SceneErrorAt(place, "the object has " + std::to_string(obj.NumRefs()) +
                                          " references, the file lists " +
                                          std::to_string(refs.size()));
        }
        std::map<std::string, IParamBlock2*> blocks;
        for (std::size_t i = 0; i < refs.size(); ++i) {
            const std::string at = Item(place, i);
            const int slot = static_cast<int>(i);
            if (refs[i].is_string()) {
                const std::string name = refs[i].get<std::string>();
                if (blocks.count(name)) {
                    throw SceneErrorAt(at, "a second reference to block \"" + name + "\"");
                }
                blocks[name] = OwnBlock(obj, desc, slot, name, at);
                continue;
            }
            ReferenceTarget* target = ResolveFrom({&obj}, refs[i], at);
            if (obj.GetReference(slot) != target) {
                obj.ReplaceReference(slot, target);
            }
        }
        return blocks;
    }

    // The block named name in reference slot: the one the object built for itself, or a new
    // one from the class's block descriptor.
    static IParamBlock2* OwnBlock(ReferenceTarget& obj, ClassDesc& desc, int slot,
                                  const std::string& name, const std::string& place) {
        IParamBlock2* current = AsParamBlock(obj.GetReference(slot));
        if (current && current->GetOwner() == &obj &&
            ToUtf8(current->GetDesc()->int_name) == name) {
            return current;
        }
        for (int d = 0; d < desc.NumParamBlockDescs(); ++d) {
            ParamBlockDesc2* pbd = desc.GetParamBlockDesc(d);
            if (pbd && ToUtf8(pbd->int_name) == name) {
                IParamBlock2* block = CreateParameterBlock2(pbd, &obj);
                obj.ReplaceReference(slot, block);
                return block;
            }
        }
        throw SceneErrorAt(place, "the class has no parameter block \"" + name + "\"");
    }

    void FillBlocks(ReferenceTarget& obj, const std::map<std::string, IParamBlock2*>& blocks,
                    const SceneJson& json, const std::string& place) {
        if (!json.is_object()) {
            throw SceneErrorAt(place, "expected an object, found " + DescribeJson(json));
        }
        for (const auto& member : json.items()) {
            const std::string at = place + "." + member.key();
            const auto it = blocks.find(member.key());
            if (it == blocks.end()) {
                throw SceneErrorAt(at, "no reference of the object holds this block");
            }
            IParamBlock2* block = it->second;
            auto texmap = [&](const SceneJson& id, const std::string& entryPlace) -> Texmap* {
                ReferenceTarget* target = ResolveFrom({&obj, block}, id, entryPlace);
                auto* map = dynamic_cast<Texmap*>(target);
                if (target && !map) {
                    throw SceneErrorAt(entryPlace, "object " + id.dump() + " is no texture map");
                }
                return map;
            };
            JsonToParamBlock(member.value(), *block, texmap, at);
        }
    }

    void AddRoot(Scene& scene, const SceneJson& root, const std::string& place) {
        CheckMembers(root, {"name", "object"}, place);
        const MSTR name(JsonToText(JsonMember(root, "name", place), place + ".name"));
        ReferenceTarget* target = Resolve(JsonMember(root, "object", place), place + ".object");
        auto* mtl = dynamic_cast<MtlBase*>(target);
        if (target && !mtl) {
            throw SceneErrorAt(place + ".object", "a root is a material or a map");
        }
        if (!scene.AddRoot(name, mtl)) {
            throw SceneErrorAt(place + ".name", "a second root with this name");
        }
    }

    const SceneJson& doc;
    const ClassDirectory& directory;
    std::map<int, std::size_t> indexOfId;
    std::vector<ReferenceTarget*> created;
};

}  // namespace

std::unique_ptr<Scene> LoadScene(const std::string& path, const ClassDirectory& directory) {
    const SceneJson doc = ParseSceneText(path, ReadSceneText(path));
    // A load is no user edit: nothing to undo, and no keys from animate mode.
    SuspendAll suspend(TRUE, FALSE, TRUE);
    SceneLoader loader(doc, directory);
    try {
        std::unique_ptr<Scene> scene = loader.Load();
        loader.holder.Release();
        return scene;
    } catch (const SceneError& e) {
        throw SceneError(path + ": " + e.what());
    }
}
