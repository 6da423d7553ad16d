// Test doubles for parameter blocks and references: an owner that records the messages of its
// block, and sub-maps that report their deletion.
#pragma once

#include <vector>

#include "SolidColorMap.h"
#include "iparamb2.h"

// Owns one parameter block as reference 0 and records every message it receives, together
// with what the block's LastNotifyParamID says at that moment.
class RecordingOwner : public ReferenceTarget {
public:
    struct Message {
        RefMessage code;
        RefTargetHandle from;
        ParamID lastID;
        int lastTab;
    };

    ~RecordingOwner() override { DeleteAllRefsFromMe(); }

    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int i) override { return i == 0 ? block : nullptr; }
    void SetReference(int i, RefTargetHandle rtarg) override {
        if (i == 0) {
            block = dynamic_cast<IParamBlock2*>(rtarg);
        }
    }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                               RefMessage message, BOOL) override {
        Message m{message, hTarget, -1, -1};
        if (block) {
            m.lastID = block->LastNotifyParamID(m.lastTab);
        }
        messages.push_back(m);
        return REF_SUCCEED;
    }

    std::vector<RefMessage> Codes() const {
        std::vector<RefMessage> codes;
        for (const Message& m : messages) {
            codes.push_back(m.code);
        }
        return codes;
    }

    IParamBlock2* block = nullptr;
    std::vector<Message> messages;
};

// A class descriptor for blocks the tests describe themselves.
class TestClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL) override { return nullptr; }
    const MCHAR* ClassName() override { return _M("Test"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Test"); }
    SClass_ID SuperClassID() override { return REF_TARGET_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x7E57, 0x7E57); }
    const MCHAR* Category() override { return _M(""); }
};

// A sub-map that sets *deleted when it is destroyed.
class ProbeMap : public SolidColorMap {
public:
    explicit ProbeMap(bool* deletedFlag = nullptr) : deleted(deletedFlag) {}
    ~ProbeMap() override {
        if (deleted) {
            *deleted = true;
        }
    }

private:
    bool* deleted;
};
