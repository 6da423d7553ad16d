#include "hold.h"

#include "animtbl.h"
#include "ref.h"

Hold theHold;

Hold::~Hold() = default;

void Hold::Begin() {
    marks.push_back(records.size());
}

bool Hold::Put(RestoreObj* rob) {
    std::unique_ptr<RestoreObj> owned(rob);
    if (!owned || !Holding()) {
        return false;
    }
    records.push_back(std::move(owned));
    return true;
}

void Hold::Suspend() {
    ++suspendCount;
}

void Hold::Resume() {
    if (suspendCount > 0) {
        --suspendCount;
    }
}

int Hold::IsSuspended() {
    return suspendCount > 0;
}

int Hold::Holding() {
    return !marks.empty() && suspendCount == 0 && !restoring;
}

int Hold::Restoring(int& isUndo) {
    isUndo = 0;
    return restoring;
}

void Hold::Accept(const MCHAR*) {
    if (marks.empty()) {
        return;
    }
    marks.pop_back();
    if (marks.empty()) {
        for (auto& record : records) {
            record->EndHold();
        }
        records.clear();
    }
}

void Hold::Cancel() {
    if (marks.empty()) {
        return;
    }
    const std::size_t mark = marks.back();
    marks.pop_back();
    restoring = true;
    while (records.size() > mark) {
        records.back()->Restore(FALSE);
        records.pop_back();
    }
    restoring = false;
}

SuspendAll::SuspendAll(BOOL holdState_, BOOL macroRecorder_, BOOL animateMode_, BOOL setKeyMode_,
                       BOOL autoBackup_, BOOL saveRequired_, BOOL refMsgs_,
                       BOOL sceneExplorerUpdates_)
    : holdState(holdState_),
      macroRecorder(macroRecorder_),
      animateMode(animateMode_),
      setKeyMode(setKeyMode_),
      autoBackup(autoBackup_),
      saveRequired(saveRequired_),
      refMsgs(refMsgs_),
      sceneExplorerUpdates(sceneExplorerUpdates_) {
    if (holdState) {
        theHold.Suspend();
    }
    if (animateMode) {
        SuspendAnimate();
    }
    if (refMsgs) {
        DisableRefMsgs();
    }
}

SuspendAll::~SuspendAll() {
    Resume();
}

void SuspendAll::Resume() {
    if (!active) {
        return;
    }
    active = false;
    if (refMsgs) {
        EnableRefMsgs();
    }
    if (animateMode) {
        ResumeAnimate();
    }
    if (holdState) {
        theHold.Resume();
    }
}
