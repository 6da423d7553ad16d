#include <algorithm>

#include "hold.h"
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

    // A block made by Clone has no owner until a maker installs it; an owner that drops the
    // block stops being its owner (Undo may install it again).
    void RefAdded(RefMakerHandle rm) override {
        if (!owner) {
            owner = rm;
        }
    }
    void RefDeleted(ReferenceMaker* oldOwner) override {
        if (owner == oldOwner) {
            owner = nullptr;
        }
    }

    RefTargetHandle Clone(RemapDir& remap) override;

    // Puts a parameter's entries back to `target` (undo and redo of a recorded edit) and sends
    // the messages of the original edit. Texture-map entries change through ReplaceReference.
    void RestoreEntries(ParamID id, int tabIndex, bool structural,
                        const std::vector<ParamEntry>& target);
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
    // Runs `change` on parameter id's entries. While theHold.Holding() it records the entries
    // before and after (the record holds the maps they name); recording is suspended during
    // the change itself, whose own reference replacements the record covers. The caller sends
    // the messages afterwards, so edits made in answer to them are recorded after this one.
    template <class Change>
    void Recorded(ParamID id, int tabIndex, bool structural, Change change);

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
//
// REFMSG_REF_DELETED from the owner (the host hands it to the owner's blocks when a maker
// dropped its reference to the owner, see ref.h) goes on to the block's dependents, the owner
// first, naming the block.
RefResult ParamBlock2::NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                                        RefMessage message, BOOL) {
    if (message == REFMSG_REF_DELETED && hTarget && hTarget == owner) {
        NotifyDependents(FOREVER, PART_ALL, REFMSG_REF_DELETED, NOTIFY_ALL, FALSE);
        return REF_SUCCEED;
    }
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
    Recorded(id, tabIndex, false, [&] {
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
    });
    NotifyChange(id, tabIndex);
    return TRUE;
}

BOOL ParamBlock2::Key(ParamID id, TimeValue t, Kind kind, const PB2Value& v, int tabIndex) {
    ParamEntry* e = Find(id, tabIndex, kind);
    if (!e || !Def(id)->IsAnimatable()) {
        return FALSE;
    }
    Recorded(id, tabIndex, false, [&] { e->keys.SetKey(t, v); });
    NotifyChange(id, tabIndex);
    return TRUE;
}

BOOL ParamBlock2::DeleteKeys(ParamID id, TimeValue t, int tabIndex) {
    ParamEntry* e = FindAny(id, tabIndex);
    if (!e || e->keys.Empty()) {
        return FALSE;
    }
    Recorded(id, tabIndex, false, [&] {
        e->value = e->keys.Value(t, Def(id)->BaseType());
        e->keys.Clear();
    });
    NotifyChange(id, tabIndex);
    return TRUE;
}

BOOL ParamBlock2::SetValue(ParamID id, TimeValue, Texmap* v, int tabIndex) {
    if (!Find(id, tabIndex, Kind::Texmap)) {
        return FALSE;
    }
    Recorded(id, tabIndex, false, [&] { ReplaceReference(RefIndex(id, tabIndex), v); });
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
    Recorded(id, -1, true, [&] {
        if (n < count) {
            ReleaseRefs(id, n, count - n);
            table->resize(static_cast<std::size_t>(n));
        } else {
            table->resize(static_cast<std::size_t>(n), DefaultEntry(*Def(id)));
        }
    });
    NotifyStructure(id);
}

int ParamBlock2::Delete(ParamID id, int start, int num) {
    std::vector<ParamEntry>* table = Table(id);
    const int count = table ? static_cast<int>(table->size()) : 0;
    if (!table || start < 0 || start >= count || num <= 0) {
        return -1;
    }
    num = std::min(num, count - start);
    Recorded(id, -1, true, [&] {
        ReleaseRefs(id, start, num);
        table->erase(table->begin() + start, table->begin() + start + num);
    });
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
    Recorded(id, -1, true, [&] {
        table->insert(table->begin() + at, added.begin(), added.end());
        if constexpr (std::is_same<T, Texmap*>::value) {
            for (int k = 0; el && k < num; ++k) {
                if (el[k]) {
                    ReplaceReference(RefIndex(id, at + k), el[k]);
                }
            }
        }
    });
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

// Undo record of one edit of a parameter: its entries before and after (values, keys, maps).
// The HeldRefs keep the block and every map named on either side alive while the record lives.
class ParamRestore : public RestoreObj {
public:
    ParamRestore(ParamBlock2* b, ParamID param, int tab, bool structuralEdit,
                 const std::vector<ParamEntry>& entries)
        : block(b), id(param), tabIndex(tab), structural(structuralEdit), before(entries) {
        HoldMaps(before);
    }
    void SetAfter(const std::vector<ParamEntry>& entries) {
        after = entries;
        HoldMaps(after);
    }
    void Restore(int) override { Put(before); }
    void Redo() override { Put(after); }
    int Size() override {
        return static_cast<int>((before.size() + after.size()) * sizeof(ParamEntry));
    }
    MSTR Description() override { return MSTR(_M("Parameter change")); }

private:
    void HoldMaps(const std::vector<ParamEntry>& entries) {
        for (const ParamEntry& e : entries) {
            if (e.ref) {
                maps.emplace_back(e.ref);
            }
        }
    }
    void Put(const std::vector<ParamEntry>& entries) {
        if (auto* b = static_cast<ParamBlock2*>(block.Get())) {
            b->RestoreEntries(id, tabIndex, structural, entries);
        }
    }

    HeldRef block;
    ParamID id;
    int tabIndex;
    bool structural;
    std::vector<ParamEntry> before;
    std::vector<ParamEntry> after;
    std::vector<HeldRef> maps;
};

template <class Change>
void ParamBlock2::Recorded(ParamID id, int tabIndex, bool structural, Change change) {
    if (!theHold.Holding()) {
        change();
        return;
    }
    // Made before the change, so that the maps it drops are held while they are dropped.
    auto* record = new ParamRestore(this, id, tabIndex, structural, *Entries(id));
    theHold.Suspend();
    change();
    theHold.Resume();
    record->SetAfter(*Entries(id));
    theHold.Put(record);
}

// Maps go first where the entries differ (slot by slot, as far as both sides reach), then the
// entries take the target's values and keys and its count, then the maps of new entries come.
void ParamBlock2::RestoreEntries(ParamID id, int tabIndex, bool structural,
                                 const std::vector<ParamEntry>& target) {
    std::vector<ParamEntry>* entries = Entries(id);
    if (!entries) {
        return;
    }
    const bool maps = Def(id)->BaseType() == TYPE_TEXMAP;
    const std::size_t count = entries->size();
    if (maps) {
        for (std::size_t k = 0; k < count; ++k) {
            RefTargetHandle want = k < target.size() ? target[k].ref : nullptr;
            if ((*entries)[k].ref != want) {
                ReplaceReference(RefIndex(id, static_cast<int>(k)), want);
            }
        }
    }
    std::vector<ParamEntry> next = target;
    for (std::size_t k = 0; k < next.size(); ++k) {
        next[k].ref = k < count ? (*entries)[k].ref : nullptr;
    }
    *entries = std::move(next);
    if (maps) {
        for (std::size_t k = count; k < target.size(); ++k) {
            if (target[k].ref) {
                ReplaceReference(RefIndex(id, static_cast<int>(k)), target[k].ref);
            }
        }
    }
    if (structural) {
        NotifyStructure(id);
    } else {
        NotifyChange(id, tabIndex);
    }
}

// Values and keys are copied; maps are cloned through remap, so that a map reached twice in one
// clone operation is cloned once. The clone's owner is whoever installs it first.
RefTargetHandle ParamBlock2::Clone(RemapDir& remap) {
    auto* clone = new ParamBlock2(desc, nullptr);
    clone->params = params;
    for (std::vector<ParamEntry>& entries : clone->params) {
        for (ParamEntry& e : entries) {
            e.ref = nullptr;
        }
    }
    for (int i = 0; i < NumRefs(); ++i) {
        if (RefTargetHandle ref = GetReference(i)) {
            clone->ReplaceReference(i, remap.CloneRef(ref));
        }
    }
    BaseClone(this, clone, remap);
    return clone;
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
