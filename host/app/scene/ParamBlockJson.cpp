#include "ParamBlockJson.h"

#include "SceneError.h"
#include "imtl.h"

namespace {

bool IsSaved(const ParamDef& def) {
    return (def.flags & P_TRANSIENT) == 0;
}

SceneJson ValueToJson(IParamBlock2& block, const ParamDef& def, TimeValue t, int tab) {
    switch (def.BaseType()) {
        case TYPE_ANGLE:
            return AngleToJson(block.GetFloat(def.ID, t, tab));
        case TYPE_INT:
            return block.GetInt(def.ID, t, tab);
        case TYPE_BOOL:
            return block.GetInt(def.ID, t, tab) != 0;
        case TYPE_RGBA:
            return ColorToJson(block.GetColor(def.ID, t, tab));
        case TYPE_POINT3: {
            Point3 p(0.0f, 0.0f, 0.0f);
            Interval valid = FOREVER;
            block.GetValue(def.ID, t, p, valid, tab);
            return Point3ToJson(p);
        }
        default:
            return FloatToJson(block.GetFloat(def.ID, t, tab));
    }
}

SceneJson EntryToJson(IParamBlock2& block, const ParamDef& def, int tab,
                      const TexmapToJson& texmapId) {
    if (def.BaseType() == TYPE_TEXMAP) {
        return texmapId(block.GetTexmap(def.ID, 0, tab));
    }
    const int numKeys = def.IsAnimatable() ? block.NumKeys(def.ID, tab) : 0;
    if (numKeys == 0) {
        return ValueToJson(block, def, 0, tab);
    }
    SceneJson keys = SceneJson::array();
    for (int k = 0; k < numKeys; ++k) {
        const TimeValue t = block.GetKeyTime(def.ID, k, tab);
        keys.push_back(SceneJson::array({t, ValueToJson(block, def, t, tab)}));
    }
    return SceneJson{{"keys", keys}};
}

// One entry's value read from the file, in the block's stored units.
struct EntryValue {
    float f = 0.0f;
    int i = 0;
    Color c = Color(0.0f, 0.0f, 0.0f);
    Point3 p = Point3(0.0f, 0.0f, 0.0f);
};

EntryValue ReadValue(const ParamDef& def, const SceneJson& v, const std::string& place) {
    EntryValue out;
    switch (def.BaseType()) {
        case TYPE_ANGLE:
            out.f = JsonToAngle(v, place);
            break;
        case TYPE_INT:
            out.i = JsonToInt(v, place);
            break;
        case TYPE_BOOL:
            out.i = JsonToBool(v, place) ? 1 : 0;
            break;
        case TYPE_RGBA:
            out.c = JsonToColor(v, place);
            break;
        case TYPE_POINT3:
            out.p = JsonToPoint3(v, place);
            break;
        default:
            out.f = JsonToFloat(v, place);
            break;
    }
    return out;
}

BOOL SetEntry(IParamBlock2& block, const ParamDef& def, const EntryValue& v, int tab) {
    switch (def.BaseType()) {
        case TYPE_INT:
        case TYPE_BOOL:
            return block.SetValue(def.ID, 0, v.i, tab);
        case TYPE_RGBA:
            return block.SetValue(def.ID, 0, v.c, tab);
        case TYPE_POINT3:
            return block.SetValue(def.ID, 0, v.p, tab);
        default:
            return block.SetValue(def.ID, 0, v.f, tab);
    }
}

// Points are keyed through the colour form: both are three floats.
BOOL SetEntryKey(IParamBlock2& block, const ParamDef& def, TimeValue t, const EntryValue& v,
                 int tab) {
    switch (def.BaseType()) {
        case TYPE_INT:
        case TYPE_BOOL:
            return block.SetKey(def.ID, t, v.i, tab);
        case TYPE_RGBA:
            return block.SetKey(def.ID, t, v.c, tab);
        case TYPE_POINT3:
            return block.SetKey(def.ID, t, Color(v.p.x, v.p.y, v.p.z), tab);
        default:
            return block.SetKey(def.ID, t, v.f, tab);
    }
}

void Refused(const std::string& place) {
    throw SceneErrorAt(place, "the parameter block refused the value");
}

void ReadKeys(IParamBlock2& block, const ParamDef& def, const SceneJson& v, int tab,
              const std::string& place) {
    if (!def.IsAnimatable()) {
        throw SceneErrorAt(place, "the parameter cannot be animated");
    }
    if (v.size() != 1) {
        throw SceneErrorAt(place, "expected {\"keys\": [[time, value], ...]}");
    }
    const SceneJson& keys = JsonMember(v, "keys", place);
    const std::string keysPlace = place + ".keys";
    if (!keys.is_array() || keys.empty()) {
        throw SceneErrorAt(keysPlace,
                           "expected a list of [time, value], found " + DescribeJson(keys));
    }
    if (block.NumKeys(def.ID, tab) > 0) {
        block.DeleteKeys(def.ID, 0, tab);
    }
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::string at = keysPlace + "[" + std::to_string(k) + "]";
        const SceneJson& key = keys[k];
        if (!key.is_array() || key.size() != 2) {
            throw SceneErrorAt(at, "expected [time, value], found " + DescribeJson(key));
        }
        const TimeValue t = JsonToInt(key[0], at + "[0]");
        if (!SetEntryKey(block, def, t, ReadValue(def, key[1], at + "[1]"), tab)) {
            Refused(at);
        }
    }
}

void ReadEntry(IParamBlock2& block, const ParamDef& def, const SceneJson& v, int tab,
               const JsonToTexmap& texmap, const std::string& place) {
    if (def.BaseType() == TYPE_TEXMAP) {
        if (!block.SetValue(def.ID, 0, texmap(v, place), tab)) {
            Refused(place);
        }
        return;
    }
    if (v.is_object()) {
        ReadKeys(block, def, v, tab, place);
        return;
    }
    const EntryValue value = ReadValue(def, v, place);
    if (block.NumKeys(def.ID, tab) > 0) {
        block.DeleteKeys(def.ID, 0, tab);
    }
    if (!SetEntry(block, def, value, tab)) {
        Refused(place);
    }
}

}  // namespace

IParamBlock2* AsParamBlock(ReferenceTarget* target) {
    return target && target->SuperClassID() == PARAMETER_BLOCK2_CLASS_ID
               ? static_cast<IParamBlock2*>(target)
               : nullptr;
}

SceneJson ParamBlockToJson(IParamBlock2& block, const TexmapToJson& texmapId) {
    ParamBlockDesc2& desc = *block.GetDesc();
    SceneJson out = SceneJson::object();
    for (int p = 0; p < desc.Count(); ++p) {
        const ParamDef& def = desc.GetParamDefByIndex(p);
        if (!IsSaved(def)) {
            continue;
        }
        SceneJson& value = out[ToUtf8(def.int_name)];
        if (def.IsTab()) {
            value = SceneJson::array();
            for (int i = 0; i < block.Count(def.ID); ++i) {
                value.push_back(EntryToJson(block, def, i, texmapId));
            }
        } else {
            value = EntryToJson(block, def, 0, texmapId);
        }
    }
    return out;
}

void JsonToParamBlock(const SceneJson& values, IParamBlock2& block, const JsonToTexmap& texmap,
                      const std::string& place) {
    if (!values.is_object()) {
        throw SceneErrorAt(place, "expected an object, found " + DescribeJson(values));
    }
    ParamBlockDesc2& desc = *block.GetDesc();
    for (const auto& member : values.items()) {
        const std::string at = place + "." + member.key();
        const int index = desc.NameToIndex(FromUtf8(member.key()).c_str());
        if (index < 0) {
            throw SceneErrorAt(at, "unknown parameter");
        }
        const ParamDef& def = desc.GetParamDefByIndex(index);
        if (!IsSaved(def)) {
            throw SceneErrorAt(at, "the parameter is not saved with the scene");
        }
        const SceneJson& v = member.value();
        if (!def.IsTab()) {
            ReadEntry(block, def, v, 0, texmap, at);
            continue;
        }
        if (!v.is_array()) {
            throw SceneErrorAt(at, "expected an array, found " + DescribeJson(v));
        }
        block.SetCount(def.ID, static_cast<int>(v.size()));
        for (std::size_t i = 0; i < v.size(); ++i) {
            ReadEntry(block, def, v[i], static_cast<int>(i), texmap,
                      at + "[" + std::to_string(i) + "]");
        }
    }
}
