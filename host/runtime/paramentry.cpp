// Values entered by the user or a script: given in the shown unit and kept inside the range.
#include <algorithm>
#include <cmath>

#include "iparamb2.h"

BOOL IParamBlock2::SetValueEntered(ParamID id, TimeValue t, float v, int tabIndex) {
    ParamBlockDesc2* desc = GetDesc();
    if (desc->IDtoIndex(id) < 0) {
        return FALSE;
    }
    const ParamDef& def = desc->GetParamDef(id);
    const ParamType2 base = def.BaseType();
    if (base == TYPE_INT || base == TYPE_BOOL) {
        return SetValueEntered(id, t, static_cast<int>(std::lround(v)), tabIndex);
    }
    if (def.has_range) {
        v = std::clamp(v, def.range_low.f, def.range_high.f);
    }
    return SetValue(id, t, def.ToStored(v), tabIndex);
}

BOOL IParamBlock2::SetValueEntered(ParamID id, TimeValue t, int v, int tabIndex) {
    ParamBlockDesc2* desc = GetDesc();
    if (desc->IDtoIndex(id) < 0) {
        return FALSE;
    }
    const ParamDef& def = desc->GetParamDef(id);
    const ParamType2 base = def.BaseType();
    if (base != TYPE_INT && base != TYPE_BOOL) {
        return SetValueEntered(id, t, static_cast<float>(v), tabIndex);
    }
    if (def.has_range) {
        v = std::clamp(v, def.range_low.i, def.range_high.i);
    }
    return SetValue(id, t, v, tabIndex);
}

float IParamBlock2::GetFloatShown(ParamID id, TimeValue t, int tabIndex) {
    ParamBlockDesc2* desc = GetDesc();
    if (desc->IDtoIndex(id) < 0) {
        return 0.0f;
    }
    return desc->GetParamDef(id).ToShown(GetFloat(id, t, tabIndex));
}
