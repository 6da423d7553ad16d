// Test doubles shared by the undo, clone and dependents tests: a map that owns a parameter
// block as reference 0 (as the plug-in's map does) with one parameter of each kind an edit can
// touch, a material that records what it hears, a dump of a block's whole state, and a fixture
// that leaves theHold without steps.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "SimpleMaterial.h"
#include "hold.h"
#include "paramblock_test_support.h"

enum BlockMapParamID {
    bm_float = 0,
    bm_count = 1,
    bm_map = 2,
    bm_maps = 3,
    bm_weights = 4,
};

inline TestClassDesc& BlockMapDesc() {
    static TestClassDesc desc;
    return desc;
}

inline ParamBlockDesc2& BlockMapParams() {
    // clang-format off
    static ParamBlockDesc2 params(
        0, _M("blockMap"), 0, &BlockMapDesc(), P_AUTO_CONSTRUCT, 0,
        bm_float, _M("f"), TYPE_FLOAT, P_ANIMATABLE, 0, p_default, 1.0f, p_end,
        bm_count, _M("n"), TYPE_INT, 0, 0, p_default, 3, p_end,
        bm_map, _M("map"), TYPE_TEXMAP, 0, 0, p_end,
        bm_maps, _M("maps"), TYPE_TEXMAP_TAB, 0, P_VARIABLE_SIZE, 0, p_end,
        bm_weights, _M("weights"), TYPE_INT_TAB, 0, P_VARIABLE_SIZE, 0, p_default, 1, p_end,
        p_end);
    // clang-format on
    return params;
}

// A map whose settings live in its block (reference 0). It records the messages it receives,
// the makers that dropped it, and, at every REFMSG_REF_DELETED from its block, whether some
// other material or map still depends on it (what a map must know to close its windows).
class BlockMap : public Texmap {
public:
    explicit BlockMap(bool* deletedFlag = nullptr) : deleted(deletedFlag) {
        BlockMapParams();
        BlockMapDesc().MakeAutoParamBlocks(this);
    }
    ~BlockMap() override {
        DeleteAllRefs();
        if (deleted) {
            *deleted = true;
        }
    }

    IParamBlock2* Block() { return block; }

    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int i) override { return i == 0 ? block : nullptr; }
    void SetReference(int i, RefTargetHandle rtarg) override {
        if (i == 0) {
            block = dynamic_cast<IParamBlock2*>(rtarg);
        }
    }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                               RefMessage message, BOOL) override {
        messages.push_back({message, hTarget});
        if (message == REFMSG_REF_DELETED && hTarget == block) {
            usedWhenTold.push_back(UsedByOtherMtlBase());
        }
        return REF_SUCCEED;
    }
    void RefDeleted(ReferenceMaker* oldOwner) override { droppedBy.push_back(oldOwner); }

    int NumParamBlocks() override { return 1; }
    IParamBlock2* GetParamBlock(int) override { return block; }

    int NumSubTexmaps() override { return block->Count(bm_maps); }
    Texmap* GetSubTexmap(int i) override { return block->GetTexmap(bm_maps, 0, i); }

    AColor EvalColor(ShadeContext&) override { return AColor(0.0f, 0.0f, 0.0f, 1.0f); }
    Point3 EvalNormalPerturb(ShadeContext&) override { return Point3(0.0f, 0.0f, 0.0f); }
    void Update(TimeValue, Interval&) override {}
    void Reset() override {}
    Interval Validity(TimeValue) override { return FOREVER; }

    RefTargetHandle Clone(RemapDir& remap) override {
        auto* clone = new BlockMap();
        *static_cast<MtlBase*>(clone) = *this;
        clone->ReplaceReference(0, remap.CloneRef(block));
        BaseClone(this, clone, remap);
        return clone;
    }

    bool UsedByOtherMtlBase() {
        struct Finder : DependentEnumProc {
            ReferenceMaker* self = nullptr;
            bool found = false;
            int proc(ReferenceMaker* rmaker) override {
                if (rmaker == self || !dynamic_cast<MtlBase*>(rmaker)) {
                    return DEP_ENUM_CONTINUE;
                }
                found = true;
                return DEP_ENUM_HALT;
            }
        } finder;
        finder.self = this;
        DoEnumDependents(&finder);
        return finder.found;
    }

    // The codes of the messages that came from `from` (any sender when null).
    std::vector<RefMessage> CodesFrom(RefTargetHandle from = nullptr) const {
        std::vector<RefMessage> codes;
        for (const auto& m : messages) {
            if (!from || m.from == from) {
                codes.push_back(m.code);
            }
        }
        return codes;
    }

    struct Message {
        RefMessage code;
        RefTargetHandle from;
    };
    std::vector<Message> messages;
    std::vector<ReferenceMaker*> droppedBy;
    std::vector<bool> usedWhenTold;

private:
    IParamBlock2* block = nullptr;
    bool* deleted;
};

// A simple material that records the messages it receives.
class RecordingMaterial : public SimpleMaterial {
public:
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL propagate) override {
        messages.push_back({message, hTarget});
        return SimpleMaterial::NotifyRefChanged(changeInt, hTarget, partID, message, propagate);
    }
    std::vector<BlockMap::Message> messages;
};

// Everything a block holds, as text: values at two times, keys, table entries, the maps of
// the map entries and how many makers refer to each. Equal dumps mean an exact restore.
inline std::string DumpBlock(IParamBlock2* pb) {
    std::ostringstream out;
    out << "f@0=" << pb->GetFloat(bm_float, 0) << " f@100=" << pb->GetFloat(bm_float, 100)
        << " keys=";
    for (int k = 0; k < pb->NumKeys(bm_float); ++k) {
        out << pb->GetKeyTime(bm_float, k) << ',';
    }
    out << " n=" << pb->GetInt(bm_count) << " weights=";
    for (int i = 0; i < pb->Count(bm_weights); ++i) {
        out << pb->GetInt(bm_weights, 0, i) << ',';
    }
    auto map = [&out](Texmap* m) {
        out << static_cast<const void*>(m);
        if (m) {
            out << '/' << m->GetDependents().size();
        }
        out << ',';
    };
    out << " map=";
    map(pb->GetTexmap(bm_map));
    out << " maps=";
    for (int i = 0; i < pb->Count(bm_maps); ++i) {
        map(pb->GetTexmap(bm_maps, 0, i));
    }
    out << " refs=" << pb->NumRefs();
    return out.str();
}

// Starts and ends every test with no hold open and no undo or redo step left over, so that
// records of one test never keep objects of another alive.
class UndoFixture : public ::testing::Test {
protected:
    void SetUp() override { theHold.ClearUndoStack(); }
    void TearDown() override { theHold.ClearUndoStack(); }
};
