#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "iparamb2.h"

namespace {

constexpr float kPi = 3.14159265358979323846f;

// Reads a descriptor's argument list and stops the program at the first malformed item: a
// wrong descriptor is a programming error that must not reach a scene.
class DescReader {
public:
    DescReader(const MCHAR* block, va_list* args) : blockName(block ? block : L"?"), ap(args) {}

    int Int() { return va_arg(*ap, int); }
    float Float() { return static_cast<float>(va_arg(*ap, double)); }
    const MCHAR* String() { return va_arg(*ap, const MCHAR*); }
    Color ColorValue() { return va_arg(*ap, Color); }
    void* Pointer() { return va_arg(*ap, void*); }

    [[noreturn]] void Fail(const char* what, const ParamDef* def = nullptr) const {
        if (def && def->int_name) {
            std::fprintf(stderr, "ParamBlockDesc2 \"%ls\", parameter %d \"%ls\": %s\n", blockName,
                         def->ID, def->int_name, what);
        } else {
            std::fprintf(stderr, "ParamBlockDesc2 \"%ls\": %s\n", blockName, what);
        }
        std::abort();
    }

private:
    const MCHAR* blockName;
    va_list* ap;
};

bool IsFloatKind(ParamType2 base) {
    return base == TYPE_FLOAT || base == TYPE_ANGLE;
}

bool IsIntKind(ParamType2 base) {
    return base == TYPE_INT || base == TYPE_BOOL;
}

bool IsColorKind(ParamType2 base) {
    return base == TYPE_RGBA || base == TYPE_POINT3;
}

bool IsKnownType(int type) {
    switch (type & ~TYPE_TAB) {
        case TYPE_FLOAT:
        case TYPE_INT:
        case TYPE_RGBA:
        case TYPE_POINT3:
        case TYPE_BOOL:
        case TYPE_ANGLE:
        case TYPE_TEXMAP:
            return (type & ~(TYPE_TAB | 0xFF)) == 0;
        default:
            return false;
    }
}

bool IsKnownEditType(int e) {
    return e >= EDITTYPE_INT && e <= EDITTYPE_TIME;
}

void ReadValue(DescReader& in, ParamDef& def, PB2Value& v) {
    const ParamType2 base = def.BaseType();
    if (IsFloatKind(base)) {
        v.f = in.Float();
    } else if (IsIntKind(base)) {
        v.i = in.Int();
    } else if (IsColorKind(base)) {
        v.c = in.ColorValue();
    } else {
        in.Fail("this type takes no p_default or p_range", &def);
    }
}

void ReadControlIDs(DescReader& in, ParamDef& def, int count) {
    def.ctrl_count = count;
    def.ctrl_IDs.clear();
    for (int k = 0; k < count; ++k) {
        def.ctrl_IDs.push_back(in.Int());
    }
}

void ReadUI(DescReader& in, ParamDef& def) {
    const int ctrl = in.Int();
    switch (ctrl) {
        case TYPE_SPINNER: {
            const int edit = in.Int();
            if (!IsKnownEditType(edit)) {
                in.Fail("unknown spinner edit type", &def);
            }
            def.ctrl_type = TYPE_SPINNER;
            def.edit_type = static_cast<EditSpinnerType>(edit);
            ReadControlIDs(in, def, 2);
            def.scale = in.Float();
            break;
        }
        case TYPE_RADIO: {
            const int count = in.Int();
            if (count < 1 || count > 64) {
                in.Fail("a radio control needs 1 to 64 buttons", &def);
            }
            def.ctrl_type = TYPE_RADIO;
            ReadControlIDs(in, def, count);
            break;
        }
        case TYPE_SINGLECHEKBOX:
        case TYPE_COLORSWATCH:
        case TYPE_TEXMAPBUTTON:
            def.ctrl_type = static_cast<ControlType2>(ctrl);
            ReadControlIDs(in, def, 1);
            break;
        default:
            in.Fail("unknown control type after p_ui", &def);
    }
}

// Reads one parameter from its type to its p_end; the ID and name are already read.
void ReadParam(DescReader& in, ParamDef& def) {
    const int type = in.Int();
    if (!IsKnownType(type)) {
        in.Fail("unknown parameter type", &def);
    }
    def.type = static_cast<ParamType2>(type);
    if (def.IsTab()) {
        def.tab_size = in.Int();
        if (def.tab_size < 0) {
            in.Fail("negative initial table size", &def);
        }
    }
    def.flags = static_cast<DWORD>(in.Int());
    def.local_name = in.Int();
    if (def.IsAnimatable() && def.BaseType() == TYPE_TEXMAP) {
        in.Fail("a texture map cannot be P_ANIMATABLE", &def);
    }
    for (;;) {
        const int tag = in.Int();
        switch (tag) {
            case p_end:
                return;
            case p_default:
                ReadValue(in, def, def.def);
                break;
            case p_range:
                ReadValue(in, def, def.range_low);
                ReadValue(in, def, def.range_high);
                if (IsFloatKind(def.BaseType()) ? def.range_low.f > def.range_high.f
                                                : def.range_low.i > def.range_high.i) {
                    in.Fail("p_range low limit above high limit", &def);
                }
                def.has_range = true;
                break;
            case p_ui:
                ReadUI(in, def);
                break;
            case p_vals:
                if (def.ctrl_count == 0 || def.ctrl_type != TYPE_RADIO) {
                    in.Fail("p_vals needs a TYPE_RADIO p_ui before it", &def);
                }
                def.vals.clear();
                for (int k = 0; k < def.ctrl_count; ++k) {
                    def.vals.push_back(in.Int());
                }
                break;
            default:
                in.Fail("unknown tag, or a parameter without its p_end", &def);
        }
    }
}

}  // namespace

int ParamDef::RadioValue(int k) const {
    if (k >= 0 && k < static_cast<int>(vals.size())) {
        return vals[static_cast<std::size_t>(k)];
    }
    return k;
}

float ParamDef::ToStored(float entered) const {
    return BaseType() == TYPE_ANGLE ? entered / 180.0f * kPi : entered;
}

float ParamDef::ToShown(float stored) const {
    return BaseType() == TYPE_ANGLE ? stored * 180.0f / kPi : stored;
}

ParamBlockDesc2::ParamBlockDesc2(BlockID id, const MCHAR* intName, StringResID localName,
                                 ClassDesc2* classDesc, USHORT blockFlags, ...)
    : ID(id), int_name(intName), local_name(localName), cd(classDesc), flags(blockFlags) {
    va_list ap;
    va_start(ap, blockFlags);
    DescReader in(int_name, &ap);
    if (flags & ~(P_CLASS_PARAMS | P_AUTO_CONSTRUCT | P_AUTO_UI | P_VERSION)) {
        in.Fail("unknown block flags");
    }
    if (flags & P_AUTO_CONSTRUCT) {
        ref_no = in.Int();
        if (ref_no < 0) {
            in.Fail("negative reference index after P_AUTO_CONSTRUCT");
        }
    }
    if (flags & P_AUTO_UI) {
        dlg_template = in.Int();
        title = in.Int();
        test_flags = in.Int();
        rollup_flags = in.Int();
        dlgProc = static_cast<ParamMap2UserDlgProc*>(in.Pointer());
    }
    if (flags & P_VERSION) {
        version = static_cast<DWORD>(in.Int());
    }
    for (;;) {
        const int next = in.Int();
        if (next == p_end) {
            break;
        }
        if (next < 0 || next > 0x7FFF) {
            in.Fail("expected a parameter ID or the final p_end");
        }
        ParamDef def;
        def.ID = static_cast<ParamID>(next);
        def.int_name = in.String();
        if (!def.int_name || !*def.int_name) {
            in.Fail("a parameter without an internal name", &def);
        }
        if (IDtoIndex(def.ID) >= 0) {
            in.Fail("duplicate parameter ID", &def);
        }
        if (NameToIndex(def.int_name) >= 0) {
            in.Fail("duplicate internal name", &def);
        }
        ReadParam(in, def);
        paramdefs.push_back(def);
    }
    va_end(ap);
    if (cd) {
        cd->AddParamBlockDesc(this);
    }
}

ParamBlockDesc2::~ParamBlockDesc2() = default;

int ParamBlockDesc2::Count() const {
    return static_cast<int>(paramdefs.size());
}

int ParamBlockDesc2::IDtoIndex(ParamID id) const {
    for (std::size_t i = 0; i < paramdefs.size(); ++i) {
        if (paramdefs[i].ID == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ParamID ParamBlockDesc2::IndextoID(int index) const {
    if (index < 0 || index >= Count()) {
        return -1;
    }
    return paramdefs[static_cast<std::size_t>(index)].ID;
}

int ParamBlockDesc2::NameToIndex(const MCHAR* name) const {
    for (std::size_t i = 0; name && i < paramdefs.size(); ++i) {
        if (std::wcscmp(paramdefs[i].int_name, name) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ParamDef& ParamBlockDesc2::GetParamDef(ParamID id) {
    const int index = IDtoIndex(id);
    if (index < 0) {
        std::fprintf(stderr, "ParamBlockDesc2 \"%ls\": no parameter with ID %d\n", int_name, id);
        std::abort();
    }
    return paramdefs[static_cast<std::size_t>(index)];
}

ParamDef& ParamBlockDesc2::GetParamDefByIndex(int index) {
    if (index < 0 || index >= Count()) {
        std::fprintf(stderr, "ParamBlockDesc2 \"%ls\": no parameter at index %d\n", int_name,
                     index);
        std::abort();
    }
    return paramdefs[static_cast<std::size_t>(index)];
}

void ParamBlockDesc2::InvalidateUI(ParamID id, int tabIndex) {
    invalidations.push_back(UIInvalidation{id, tabIndex});
}

const std::vector<UIInvalidation>& ParamBlockDesc2::GetUIInvalidations() const {
    return invalidations;
}

void ParamBlockDesc2::ClearUIInvalidations() {
    invalidations.clear();
}

void ParamBlockDesc2::SetUserDlgProc(ParamMap2UserDlgProc* proc) {
    dlgProc = proc;
}

// The stand-in host builds one rollout per block, so every map ID names the same one.
void ParamBlockDesc2::SetUserDlgProc(MapID, ParamMap2UserDlgProc* proc) {
    dlgProc = proc;
}

ParamMap2UserDlgProc* ParamBlockDesc2::GetUserDlgProc(MapID) const {
    return dlgProc;
}
