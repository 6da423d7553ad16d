#include <algorithm>

#include "imtl.h"
#include "iparamb2.h"
#include "keytrack.h"

namespace {

// What kind of value a call passes: it must match the parameter's base type.
enum class Kind { Float, Int, Color, Texmap };

Kind KindOf(ParamType2 base) {
    switch (base) {
        case TYPE_INT:
        case TYPE_BOOL:
            return Kind::Int;
        case TYPE_RGBA:
        case TYPE_POINT3:
            return Kind::Color;
        case TYPE_TEXMAP:
            return Kind::Texmap;
        default:
            return Kind::Float;
    }
}

// One value of a parameter (the only one of a non-table, one entry of a table).
struct ParamEntry {
    PB2Value value;
    KeyTrack keys;
    RefTargetHandle ref = nullptr;
};

class ParamBlock2 : public IParamBlock2 {
public:
    ParamBlock2(ParamBlockDesc2* d, ReferenceMaker* o) : desc(d), owner(o) {
        params.resize(static_cast<std::size_t>(desc->Count()));
        for (int p = 0; p < desc->Count(); ++p) {
            const ParamDef& def = desc->GetParamDefByIndex(p);
            params[static_cast<std::size_t>(p)].assign(
                static_cast<std::size_t>(def.IsTab() ? def.tab_size : 1), DefaultEntry(def));
        }
    }
    ~ParamBlock2() override { DeleteAllRefsFromMe(); }

    // Identity.
    Class_ID ClassID() override { return Class_ID(PARAMETER_BLOCK2_CLASS_ID, 0); }
    SClass_ID SuperClassID() override { return PARAMETER_BLOCK2_CLASS_ID; }
    void GetClassName(MSTR& s, bool) const override { s = _M("ParamBlock2"); }

    BlockID ID() override { return desc->ID; }
    ParamBlockDesc2* GetDesc() override { return desc; }
    int NumParams() override { return desc->Count(); }
    ReferenceMaker* GetOwner() override { return owner; }
    ParamType2 GetParameterType(ParamID id) override {
        const int p = desc->IDtoIndex(id);
        return p < 0 ? TYPE_FLOAT : desc->GetParamDefByIndex(p).type;
    }

    // References: the texture-map entries, parameter by parameter in definition order.
    int NumRefs() override;
    RefTargetHandle GetReference(int i) override;
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                               RefMessage message, BOOL) override;

    BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& valid, int tabIndex) override {
        PB2Value r;
        if (!Read(id, t, Kind::Float, valid, tabIndex, r)) {
            return FALSE;
        }
        v = r.f;
        return TRUE;
    }
    BOOL GetValue(ParamID id, TimeValue t, int& v, Interval& valid, int tabIndex) override {
        PB2Value r;
        if (!Read(id, t, Kind::Int, valid, tabIndex, r)) {
            return FALSE;
        }
        v = r.i;
        return TRUE;
    }
    BOOL GetValue(ParamID id, TimeValue t, Color& v, Interval& valid, int tabIndex) override {
        PB2Value r;
        if (!Read(id, t, Kind::Color, valid, tabIndex, r)) {
            return FALSE;
        }
        v = r.c;
        return TRUE;
    }
    BOOL GetValue(ParamID id, TimeValue t, Point3& v, Interval& valid, int tabIndex) override {
        Color c;
        if (!GetValue(id, t, c, valid, tabIndex)) {
            return FALSE;
        }
        v = Point3(c.r, c.g, c.b);
        return TRUE;
    }
    BOOL GetValue(ParamID id, TimeValue, Texmap*& v, Interval&, int tabIndex) override {
        ParamEntry* e = Find(id, tabIndex, Kind::Texmap);
        if (!e) {
            return FALSE;
        }
        v = dynamic_cast<Texmap*>(e->ref);
        return TRUE;
    }

    BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex) override {
        PB2Value value;
        value.f = v;
        return Write(id, t, Kind::Float, value, tabIndex);
    }
    BOOL SetValue(ParamID id, TimeValue t, int v, int tabIndex) override {
        PB2Value value;
        value.i = v;
        return Write(id, t, Kind::Int, value, tabIndex);
    }
    BOOL SetValue(ParamID id, TimeValue t, const Color& v, int tabIndex) override {
        PB2Value value;
        value.c = v;
        return Write(id, t, Kind::Color, value, tabIndex);
    }
    BOOL SetValue(ParamID id, TimeValue t, const Point3& v, int tabIndex) override {
        return SetValue(id, t, Color(v), tabIndex);
    }
    BOOL SetValue(ParamID id, TimeValue t, Texmap* v, int tabIndex) override;

    float GetFloat(ParamID id, TimeValue t, int tabIndex) override {
        float v = 0.0f;
        Interval valid;
        return GetValue(id, t, v, valid, tabIndex) ? v : 0.0f;
    }
    int GetInt(ParamID id, TimeValue t, int tabIndex) override {
        int v = 0;
        Interval valid;
        return GetValue(id, t, v, valid, tabIndex) ? v : 0;
    }
    Color GetColor(ParamID id, TimeValue t, int tabIndex) override {
        Color v(0.0f, 0.0f, 0.0f);
        Interval valid;
        return GetValue(id, t, v, valid, tabIndex) ? v : Color(0.0f, 0.0f, 0.0f);
    }
    Texmap* GetTexmap(ParamID id, TimeValue t, int tabIndex) override {
        Texmap* v = nullptr;
        Interval valid;
        return GetValue(id, t, v, valid, tabIndex) ? v : nullptr;
    }

    int Count(ParamID id) override {
        std::vector<ParamEntry>* table = Table(id);
        return table ? static_cast<int>(table->size()) : 0;
    }
    void SetCount(ParamID id, int n) override;
    void ZeroCount(ParamID id) override { SetCount(id, 0); }
    int Delete(ParamID id, int start, int num) override;
    int Append(ParamID id, int num, Texmap** el, int allocExtra) override {
        Resize(id, Count(id) + num + std::max(allocExtra, 0));
        return Insert(id, Count(id), num, el);
    }
    int Append(ParamID id, int num, float* el, int allocExtra) override {
        Resize(id, Count(id) + num + std::max(allocExtra, 0));
        return Insert(id, Count(id), num, el);
    }
    int Append(ParamID id, int num, int* el, int allocExtra) override {
        Resize(id, Count(id) + num + std::max(allocExtra, 0));
        return Insert(id, Count(id), num, el);
    }
    int Insert(ParamID id, int at, int num, Texmap** el) override;
    int Insert(ParamID id, int at, int num, float* el) override;
    int Insert(ParamID id, int at, int num, int* el) override;
    int Resize(ParamID id, int num) override {
        std::vector<ParamEntry>* table = Table(id);
        if (!table) {
            return -1;
        }
        table->reserve(static_cast<std::size_t>(std::max(num, 0)));
        return static_cast<int>(table->capacity());
    }
    void Shrink(ParamID id) override {
        if (std::vector<ParamEntry>* table = Table(id)) {
            table->shrink_to_fit();
        }
    }

    ParamID LastNotifyParamID() override { return lastNotifyID; }
    ParamID LastNotifyParamID(int& tabIndex) override {
        tabIndex = lastNotifyTab;
        return lastNotifyID;
    }

    BOOL SetKey(ParamID id, TimeValue t, float v, int tabIndex) override {
        PB2Value value;
        value.f = v;
        return Key(id, t, Kind::Float, value, tabIndex);
    }
    BOOL SetKey(ParamID id, TimeValue t, int v, int tabIndex) override {
        PB2Value value;
        value.i = v;
        return Key(id, t, Kind::Int, value, tabIndex);
    }
    BOOL SetKey(ParamID id, TimeValue t, const Color& v, int tabIndex) override {
        PB2Value value;
        value.c = v;
        return Key(id, t, Kind::Color, value, tabIndex);
    }
    int NumKeys(ParamID id, int tabIndex) override {
        const ParamEntry* e = FindAny(id, tabIndex);
        return e ? e->keys.Count() : 0;
    }
    TimeValue GetKeyTime(ParamID id, int k, int tabIndex) override {
        const ParamEntry* e = FindAny(id, tabIndex);
        return e ? e->keys.KeyTime(k) : TIME_NegInfinity;
    }
    BOOL DeleteKeys(ParamID id, TimeValue t, int tabIndex) override;

private:
    static ParamEntry DefaultEntry(const ParamDef& def) {
        ParamEntry e;
        e.value = def.def;
        e.value.f = def.ToStored(def.def.f);
        return e;
    }

    const ParamDef* Def(ParamID id) {
        const int p = desc->IDtoIndex(id);
        return p < 0 ? nullptr : &desc->GetParamDefByIndex(p);
    }
    std::vector<ParamEntry>* Entries(ParamID id) {
        const int p = desc->IDtoIndex(id);
        return p < 0 ? nullptr : &params[static_cast<std::size_t>(p)];
    }
    std::vector<ParamEntry>* Table(ParamID id) {
        const ParamDef* def = Def(id);
        return def && def->IsTab() ? Entries(id) : nullptr;
    }
    // The entry addressed by id and tabIndex, whatever its kind; null when there is none.
    ParamEntry* FindAny(ParamID id, int tabIndex) {
        const ParamDef* def = Def(id);
        std::vector<ParamEntry>* entries = Entries(id);
        if (!def || !entries) {
            return nullptr;
        }
        if (!def->IsTab()) {
            return &entries->front();
        }
        if (tabIndex < 0 || tabIndex >= static_cast<int>(entries->size())) {
            return nullptr;
        }
        return &(*entries)[static_cast<std::size_t>(tabIndex)];
    }
    // The entry when the parameter holds values of `kind`.
    ParamEntry* Find(ParamID id, int tabIndex, Kind kind) {
        const ParamDef* def = Def(id);
        return def && KindOf(def->BaseType()) == kind ? FindAny(id, tabIndex) : nullptr;
    }

    int RefIndex(ParamID id, int tabIndex);
    ParamEntry* RefEntry(int i, ParamID* id = nullptr, int* tabIndex = nullptr);

    bool Read(ParamID id, TimeValue t, Kind kind, Interval& valid, int tabIndex, PB2Value& out);
    BOOL Write(ParamID id, TimeValue t, Kind kind, const PB2Value& v, int tabIndex);
    BOOL Key(ParamID id, TimeValue t, Kind kind, const PB2Value& v, int tabIndex);
    template <class T>
    int InsertEntries(ParamID id, int at, int num, const T* el, Kind kind);
    void ReleaseRefs(ParamID id, int start, int num);

    // Messages carry the parameter they are about; a suspended message changes nothing.
    void Announce(ParamID id, int tabIndex, RefMessage message, BOOL propagate = TRUE);
    void NotifyChange(ParamID id, int tabIndex) { Announce(id, tabIndex, REFMSG_CHANGE); }
    void NotifyStructure(ParamID id) {
        Announce(id, -1, REFMSG_SUBANIM_STRUCTURE_CHANGED, FALSE);
        Announce(id, -1, REFMSG_CHANGE);
    }

    ParamBlockDesc2* desc;
    ReferenceMaker* owner;
    // Entries of each parameter, in the descriptor's index order.
    std::vector<std::vector<ParamEntry>> params;
    ParamID lastNotifyID = -1;
    int lastNotifyTab = -1;
};

int ParamBlock2::NumRefs() {
    int n = 0;
    for (int p = 0; p < desc->Count(); ++p) {
        if (desc->GetParamDefByIndex(p).BaseType() == TYPE_TEXMAP) {
            n += static_cast<int>(params[static_cast<std::size_t>(p)].size());
        }
    }
    return n;
}

ParamEntry* ParamBlock2::RefEntry(int i, ParamID* id, int* tabIndex) {
    if (i < 0) {
        return nullptr;
    }
    for (int p = 0; p < desc->Count(); ++p) {
        const ParamDef& def = desc->GetParamDefByIndex(p);
        if (def.BaseType() != TYPE_TEXMAP) {
            continue;
        }
        std::vector<ParamEntry>& entries = params[static_cast<std::size_t>(p)];
        if (i < static_cast<int>(entries.size())) {
            if (id) {
                *id = def.ID;
            }
            if (tabIndex) {
                *tabIndex = def.IsTab() ? i : 0;
            }
            return &entries[static_cast<std::size_t>(i)];
        }
        i -= static_cast<int>(entries.size());
    }
    return nullptr;
}

int ParamBlock2::RefIndex(ParamID id, int tabIndex) {
    int base = 0;
    for (int p = 0; p < desc->Count(); ++p) {
        const ParamDef& def = desc->GetParamDefByIndex(p);
        if (def.BaseType() != TYPE_TEXMAP) {
            continue;
        }
        if (def.ID == id) {
            return base + (def.IsTab() ? tabIndex : 0);
        }
        base += static_cast<int>(params[static_cast<std::size_t>(p)].size());
    }
    return -1;
}

RefTargetHandle ParamBlock2::GetReference(int i) {
    ParamEntry* e = RefEntry(i);
    return e ? e->ref : nullptr;
}

void ParamBlock2::SetReference(int i, RefTargetHandle rtarg) {
    if (ParamEntry* e = RefEntry(i)) {
        e->ref = rtarg;
    }
}

// A change inside a sub-map is a change of the parameter holding it; the message then goes on
// to the owner with the block as its target.
RefResult ParamBlock2::NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                                        RefMessage message, BOOL) {
    if (message != REFMSG_CHANGE) {
        return REF_SUCCEED;
    }
    for (int i = 0; i < NumRefs(); ++i) {
        ParamID id = -1;
        int tabIndex = 0;
        ParamEntry* e = RefEntry(i, &id, &tabIndex);
        if (e && e->ref == hTarget) {
            lastNotifyID = id;
            lastNotifyTab = tabIndex;
            break;
        }
    }
    return REF_SUCCEED;
}

bool ParamBlock2::Read(ParamID id, TimeValue t, Kind kind, Interval& valid, int tabIndex,
                       PB2Value& out) {
    ParamEntry* e = Find(id, tabIndex, kind);
    if (!e) {
        return false;
    }
    if (e->keys.Empty()) {
        out = e->value;
        return true;
    }
    const ParamType2 base = Def(id)->BaseType();
    out = e->keys.Value(t, base);
    valid &= e->keys.Validity(t, base);
    return true;
}

// In animate mode the first key of a parameter animated away from time 0 comes with a key at
// 0 holding the value it had, so that the animation starts from it.
BOOL ParamBlock2::Write(ParamID id, TimeValue t, Kind kind, const PB2Value& v, int tabIndex) {
    ParamEntry* e = Find(id, tabIndex, kind);
    if (!e) {
        return FALSE;
    }
    const ParamDef* def = Def(id);
    const ParamType2 base = def->BaseType();
    if (def->IsAnimatable() && Animating()) {
        if (e->keys.Empty() && t != 0) {
            e->keys.SetKey(0, e->value);
        }
        e->keys.SetKey(t, v);
    } else if (!e->keys.Empty()) {
        if (base == TYPE_BOOL) {
            e->keys.SetAll(v);
        } else {
            e->keys.Offset(e->keys.Value(t, base), v, base);
        }
    } else {
        e->value = v;
    }
    NotifyChange(id, tabIndex);
    return TRUE;
}

BOOL ParamBlock2::Key(ParamID id, TimeValue t, Kind kind, const PB2Value& v, int tabIndex) {
    ParamEntry* e = Find(id, tabIndex, kind);
    if (!e || !Def(id)->IsAnimatable()) {
        return FALSE;
    }
    e->keys.SetKey(t, v);
    NotifyChange(id, tabIndex);
    return TRUE;
}

BOOL ParamBlock2::DeleteKeys(ParamID id, TimeValue t, int tabIndex) {
    ParamEntry* e = FindAny(id, tabIndex);
    if (!e || e->keys.Empty()) {
        return FALSE;
    }
    e->value = e->keys.Value(t, Def(id)->BaseType());
    e->keys.Clear();
    NotifyChange(id, tabIndex);
    return TRUE;
}

BOOL ParamBlock2::SetValue(ParamID id, TimeValue, Texmap* v, int tabIndex) {
    if (!Find(id, tabIndex, Kind::Texmap)) {
        return FALSE;
    }
    ReplaceReference(RefIndex(id, tabIndex), v);
    NotifyChange(id, tabIndex);
    return TRUE;
}

void ParamBlock2::ReleaseRefs(ParamID id, int start, int num) {
    const ParamDef* def = Def(id);
    if (!def || def->BaseType() != TYPE_TEXMAP) {
        return;
    }
    for (int k = start; k < start + num; ++k) {
        const int ref = RefIndex(id, k);
        if (GetReference(ref)) {
            DeleteReference(ref);
        }
    }
}

void ParamBlock2::SetCount(ParamID id, int n) {
    std::vector<ParamEntry>* table = Table(id);
    const int count = table ? static_cast<int>(table->size()) : 0;
    if (!table || n < 0 || n == count) {
        return;
    }
    if (n < count) {
        ReleaseRefs(id, n, count - n);
        table->resize(static_cast<std::size_t>(n));
    } else {
        table->resize(static_cast<std::size_t>(n), DefaultEntry(*Def(id)));
    }
    NotifyStructure(id);
}

int ParamBlock2::Delete(ParamID id, int start, int num) {
    std::vector<ParamEntry>* table = Table(id);
    const int count = table ? static_cast<int>(table->size()) : 0;
    if (!table || start < 0 || start >= count || num <= 0) {
        return -1;
    }
    num = std::min(num, count - start);
    ReleaseRefs(id, start, num);
    table->erase(table->begin() + start, table->begin() + start + num);
    NotifyStructure(id);
    return static_cast<int>(table->size());
}

template <class T>
int ParamBlock2::InsertEntries(ParamID id, int at, int num, const T* el, Kind kind) {
    std::vector<ParamEntry>* table = Table(id);
    const ParamDef* def = Def(id);
    if (!table || KindOf(def->BaseType()) != kind || at < 0 ||
        at > static_cast<int>(table->size()) || num <= 0) {
        return -1;
    }
    std::vector<ParamEntry> added(static_cast<std::size_t>(num), DefaultEntry(*def));
    for (int k = 0; el && kind != Kind::Texmap && k < num; ++k) {
        PB2Value& v = added[static_cast<std::size_t>(k)].value;
        if constexpr (std::is_same<T, float>::value) {
            v.f = el[k];
        } else if constexpr (std::is_same<T, int>::value) {
            v.i = el[k];
        }
    }
    table->insert(table->begin() + at, added.begin(), added.end());
    if constexpr (std::is_same<T, Texmap*>::value) {
        for (int k = 0; el && k < num; ++k) {
            if (el[k]) {
                ReplaceReference(RefIndex(id, at + k), el[k]);
            }
        }
    }
    NotifyStructure(id);
    return at;
}

int ParamBlock2::Insert(ParamID id, int at, int num, Texmap** el) {
    return InsertEntries<Texmap*>(id, at, num, el, Kind::Texmap);
}

int ParamBlock2::Insert(ParamID id, int at, int num, float* el) {
    return InsertEntries<float>(id, at, num, el, Kind::Float);
}

int ParamBlock2::Insert(ParamID id, int at, int num, int* el) {
    return InsertEntries<int>(id, at, num, el, Kind::Int);
}

void ParamBlock2::Announce(ParamID id, int tabIndex, RefMessage message, BOOL propagate) {
    if (RefMsgsDisabled()) {
        return;
    }
    lastNotifyID = id;
    lastNotifyTab = tabIndex;
    NotifyDependents(FOREVER, PART_ALL, message, NOTIFY_ALL, propagate);
}

}  // namespace

IParamBlock2* CreateParameterBlock2(ParamBlockDesc2* pdesc, ReferenceMaker* owner) {
    return pdesc ? new ParamBlock2(pdesc, owner) : nullptr;
}
