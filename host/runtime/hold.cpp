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
    return !marks.empty() && suspendCount == 0 && !restoring && !redoing;
}

int Hold::Restoring(int& isUndo) {
    isUndo = undoing ? 1 : 0;
    return restoring;
}

int Hold::Redoing() {
    return redoing;
}

void Hold::Accept(const MCHAR* name) {
    if (marks.empty()) {
        return;
    }
    marks.pop_back();
    if (!marks.empty() || records.empty()) {
        return;
    }
    for (auto& record : records) {
        record->EndHold();
    }
    Step step;
    step.name = name ? MSTR(name) : MSTR();
    step.records = std::move(records);
    records.clear();
    undoSteps.push_back(std::move(step));
    // Dropped after the stack is consistent again: a dying record may delete scene objects.
    std::vector<Step> forgotten;
    forgotten.swap(redoSteps);
}

void Hold::Cancel() {
    if (marks.empty()) {
        return;
    }
    const std::size_t mark = marks.back();
    marks.pop_back();
    restoring = true;
    std::vector<std::unique_ptr<RestoreObj>> undone;
    while (records.size() > mark) {
        records.back()->Restore(FALSE);
        undone.push_back(std::move(records.back()));
        records.pop_back();
    }
    restoring = false;
}

BOOL Hold::Undo() {
    if (!marks.empty() || restoring || redoing || undoSteps.empty()) {
        return FALSE;
    }
    Step step = std::move(undoSteps.back());
    undoSteps.pop_back();
    restoring = undoing = true;
    for (auto it = step.records.rbegin(); it != step.records.rend(); ++it) {
        (*it)->Restore(TRUE);
    }
    restoring = undoing = false;
    redoSteps.push_back(std::move(step));
    return TRUE;
}

BOOL Hold::Redo() {
    if (!marks.empty() || restoring || redoing || redoSteps.empty()) {
        return FALSE;
    }
    Step step = std::move(redoSteps.back());
    redoSteps.pop_back();
    redoing = true;
    for (auto& record : step.records) {
        record->Redo();
    }
    redoing = false;
    undoSteps.push_back(std::move(step));
    return TRUE;
}

MSTR Hold::UndoName() const {
    return undoSteps.empty() ? MSTR() : undoSteps.back().name;
}

MSTR Hold::RedoName() const {
    return redoSteps.empty() ? MSTR() : redoSteps.back().name;
}

void Hold::ClearUndoStack() {
    std::vector<Step> forgottenUndo;
    std::vector<Step> forgottenRedo;
    forgottenUndo.swap(undoSteps);
    forgottenRedo.swap(redoSteps);
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
