// Undo recording (theHold) and the scope that suspends several host services at once.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "maxheap.h"
#include "maxtypes.h"
#include "strclass.h"

// One recorded change: knows how to take it back and to do it again.
class RestoreObj : public MaxHeapOperators {
public:
    virtual ~RestoreObj() = default;
    // Takes the change back; isUndo is nonzero for a user undo, zero for a cancelled hold.
    virtual void Restore(int isUndo) = 0;
    virtual void Redo() = 0;
    // Approximate memory held, in bytes.
    virtual int Size() { return 1; }
    // Called when the hold that recorded the object is accepted.
    virtual void EndHold() {}
    virtual MSTR Description() { return MSTR(_M("---")); }
};

// The host's undo recorder. Begin opens a hold (holds nest); Put records a change while a hold
// is open and recording is not suspended; Accept closes the innermost hold and keeps its
// records, Cancel closes it and takes its records back in reverse order (Restore(0)).
//
// Accepting the outermost hold pushes its records, as one step named by Accept, onto the undo
// stack and forgets every redoable step. Undo takes the last step back (Restore(1) of each
// record, newest first) and makes it redoable; Redo does it again (Redo of each record, oldest
// first) and makes it undoable. Nothing is recorded while a step is undone or redone.
//
// The stack owns its records: a record dies when its step is dropped from the redo side (a new
// step was accepted), when ClearUndoStack runs, or with the recorder itself. Records that keep
// scene objects alive (see HeldRef in ref.h) let them go then, so the host application clears
// the stack before it tears a scene down.
class Hold : public MaxHeapOperators {
public:
    Hold() = default;
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    ~Hold();

    void Begin();
    // Takes ownership of rob. Records it while Holding(); otherwise deletes it at once. Returns
    // true when it was recorded.
    bool Put(RestoreObj* rob);
    // Suspend and Resume nest; recording is suspended while any Suspend is unmatched.
    void Suspend();
    void Resume();
    int IsSuspended();
    // True while a hold is open, recording is not suspended and no step is being taken back or
    // done again.
    int Holding();
    // True while Cancel or Undo is taking records back; isUndo is 1 for Undo, 0 for Cancel.
    int Restoring(int& isUndo);
    // True while Redo is doing a step again.
    int Redoing();
    // Closes the innermost hold. A step without records is not pushed.
    void Accept(const MCHAR* name = nullptr);
    void Cancel();

    // Take the last step back / do the last undone step again. FALSE (and nothing happens)
    // while a hold is open, while a step is being undone or redone, or when there is no step.
    BOOL Undo();
    BOOL Redo();
    int NumUndoSteps() const { return static_cast<int>(undoSteps.size()); }
    int NumRedoSteps() const { return static_cast<int>(redoSteps.size()); }
    // The name given to Accept for the step Undo (Redo) would take; empty when there is none.
    MSTR UndoName() const;
    MSTR RedoName() const;
    // Forgets every undoable and redoable step (the records die). Open holds are left alone.
    void ClearUndoStack();

private:
    struct Step {
        MSTR name;
        std::vector<std::unique_ptr<RestoreObj>> records;
    };

    std::vector<std::unique_ptr<RestoreObj>> records;
    // Number of records present when each open hold began, innermost last.
    std::vector<std::size_t> marks;
    std::vector<Step> undoSteps;
    std::vector<Step> redoSteps;
    int suspendCount = 0;
    bool restoring = false;
    bool undoing = false;
    bool redoing = false;
};

CoreExport extern Hold theHold;

// Suspends the chosen services for its lifetime (or until Resume): holdState suspends undo
// recording, animateMode suspends animate mode (edits set values instead of keys), refMsgs
// suspends reference messages. The other switches are recorded for services the stand-in host
// does not have.
class SuspendAll : public MaxHeapOperators {
public:
    CoreExport SuspendAll(BOOL holdState = FALSE, BOOL macroRecorder = FALSE,
                          BOOL animateMode = FALSE, BOOL setKeyMode = FALSE,
                          BOOL autoBackup = FALSE, BOOL saveRequired = FALSE, BOOL refMsgs = FALSE,
                          BOOL sceneExplorerUpdates = FALSE);
    SuspendAll(const SuspendAll&) = delete;
    SuspendAll& operator=(const SuspendAll&) = delete;
    CoreExport ~SuspendAll();

    // Resumes what the constructor suspended; later calls do nothing.
    CoreExport void Resume();

    BOOL SuspendsMacroRecorder() const { return macroRecorder; }
    BOOL SuspendsSetKeyMode() const { return setKeyMode; }
    BOOL SuspendsAutoBackup() const { return autoBackup; }
    BOOL SuspendsSaveRequired() const { return saveRequired; }
    BOOL SuspendsSceneExplorerUpdates() const { return sceneExplorerUpdates; }

private:
    BOOL holdState, macroRecorder, animateMode, setKeyMode, autoBackup, saveRequired, refMsgs,
        sceneExplorerUpdates;
    bool active = true;
};
