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
// records, Cancel closes it and takes its records back in reverse order. Accepting the
// outermost hold ends the records' life: there is no undo stack yet, so nothing can be undone
// after that.
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
    // True while a hold is open and recording is not suspended.
    int Holding();
    // True while Cancel is taking records back; isUndo is then 0.
    int Restoring(int& isUndo);
    void Accept(const MCHAR* name = nullptr);
    void Cancel();

private:
    std::vector<std::unique_ptr<RestoreObj>> records;
    // Number of records present when each open hold began, innermost last.
    std::vector<std::size_t> marks;
    int suspendCount = 0;
    bool restoring = false;
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
