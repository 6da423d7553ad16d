// Undo and redo: the step stack of theHold, the records a parameter block and the reference
// machinery make for every edit, suspension, cancelling, and the life of the objects an edit
// dropped while a record still needs them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "maxapi.h"
#include "undo_test_support.h"

namespace {

// Appends its tag to a log when taken back ('<' then tag) and done again ('>' then tag);
// counts its own destruction.
class TaggedRestore : public RestoreObj {
public:
    TaggedRestore(std::string& l, char t, int* d = nullptr) : log(l), tag(t), destroyed(d) {}
    ~TaggedRestore() override {
        if (destroyed) {
            ++*destroyed;
        }
    }
    void Restore(int isUndo) override {
        int undo = 0;
        EXPECT_TRUE(theHold.Restoring(undo));
        EXPECT_EQ(undo, isUndo);
        EXPECT_FALSE(theHold.Holding()) << "nothing is recorded while a step is taken back";
        log += '<';
        log += tag;
    }
    void Redo() override {
        EXPECT_TRUE(theHold.Redoing());
        EXPECT_FALSE(theHold.Holding());
        log += '>';
        log += tag;
    }

private:
    std::string& log;
    char tag;
    int* destroyed;
};

using HoldStack = UndoFixture;

TEST_F(HoldStack, UndoTakesTheLastStepBackAndRedoDoesItAgain) {
    std::string log;
    theHold.Begin();
    theHold.Put(new TaggedRestore(log, 'a'));
    theHold.Accept(_M("First"));
    theHold.Begin();
    theHold.Put(new TaggedRestore(log, 'b'));
    theHold.Begin();  // a nested hold belongs to the same step
    theHold.Put(new TaggedRestore(log, 'c'));
    theHold.Accept(_M("inner"));
    theHold.Accept(_M("Second"));
    ASSERT_EQ(theHold.NumUndoSteps(), 2);
    EXPECT_EQ(theHold.UndoName(), MSTR(_M("Second")));

    EXPECT_TRUE(theHold.Undo());
    EXPECT_EQ(log, "<c<b") << "newest record first";
    EXPECT_EQ(theHold.RedoName(), MSTR(_M("Second")));
    EXPECT_TRUE(theHold.Undo());
    EXPECT_EQ(log, "<c<b<a");
    EXPECT_FALSE(theHold.Undo()) << "no step left";

    EXPECT_TRUE(theHold.Redo());
    EXPECT_TRUE(theHold.Redo());
    EXPECT_EQ(log, "<c<b<a>a>b>c") << "oldest step first, oldest record first";
    EXPECT_FALSE(theHold.Redo());
    EXPECT_EQ(theHold.NumUndoSteps(), 2);
}

TEST_F(HoldStack, ANewStepForgetsTheRedoSideAndItsRecordsDie) {
    std::string log;
    int destroyed = 0;
    theHold.Begin();
    theHold.Put(new TaggedRestore(log, 'a', &destroyed));
    theHold.Accept(_M("A"));
    theHold.Undo();
    EXPECT_EQ(theHold.NumRedoSteps(), 1);

    theHold.Begin();
    theHold.Accept(_M("Empty"));
    EXPECT_EQ(theHold.NumRedoSteps(), 1) << "a step without records is no step";
    EXPECT_EQ(theHold.NumUndoSteps(), 0);

    theHold.Begin();
    theHold.Put(new TaggedRestore(log, 'b', &destroyed));
    EXPECT_FALSE(theHold.Undo()) << "no undo while a hold is open";
    theHold.Accept(_M("B"));
    EXPECT_EQ(theHold.NumRedoSteps(), 0);
    EXPECT_EQ(destroyed, 1) << "the forgotten redo step's record";
    theHold.ClearUndoStack();
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(theHold.NumUndoSteps(), 0);
}

TEST_F(HoldStack, CancelTakesRecordsBackAsNoUndo) {
    std::string log;
    int destroyed = 0;
    theHold.Begin();
    theHold.Put(new TaggedRestore(log, 'a', &destroyed));
    theHold.Cancel();
    EXPECT_EQ(log, "<a");
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(theHold.NumUndoSteps(), 0);
}

// One block edit per case, on a block that already holds keys, a table and two maps.
struct EditCase {
    const char* name;
    std::function<void(IParamBlock2*, Texmap* fresh)> edit;
    ParamID id;
    bool structural;  // the count of a table changes: 258 before 80
};

class BlockUndo : public UndoFixture, public ::testing::WithParamInterface<EditCase> {
protected:
    void SetUp() override {
        UndoFixture::SetUp();
        map = std::make_unique<BlockMap>();
        pb = map->Block();
        AnimateOn();
        pb->SetValue(bm_float, 0, 1.0f);
        pb->SetValue(bm_float, 100, 2.0f);
        AnimateOff();
        int weights[] = {3, 4, 5};
        pb->Append(bm_weights, 3, weights);
        a = new ProbeMap(&aDeleted);
        b = new ProbeMap(&bDeleted);
        Texmap* maps[] = {a, b};
        pb->Append(bm_maps, 2, maps);
        pb->SetValue(bm_map, 0, static_cast<Texmap*>(b));
        map->messages.clear();
    }
    void TearDown() override {
        map.reset();
        UndoFixture::TearDown();
    }

    std::unique_ptr<BlockMap> map;
    IParamBlock2* pb = nullptr;
    ProbeMap* a = nullptr;
    ProbeMap* b = nullptr;
    bool aDeleted = false;
    bool bDeleted = false;
};

TEST_P(BlockUndo, UndoRestoresExactlyAndRedoRepeatsWithTheEditsMessages) {
    const EditCase& c = GetParam();
    bool freshDeleted = false;
    auto* fresh = new ProbeMap(&freshDeleted);
    const std::string before = DumpBlock(pb);

    theHold.Begin();
    c.edit(pb, fresh);
    theHold.Accept(_M("Edit"));
    const bool freshUsed = fresh->HasDependents();
    const std::string after = DumpBlock(pb);
    ASSERT_NE(after, before) << "the edit changes something";

    map->messages.clear();
    ASSERT_TRUE(theHold.Undo());
    EXPECT_EQ(DumpBlock(pb), before);
    const std::vector<RefMessage> expected =
        c.structural ? std::vector<RefMessage>{REFMSG_SUBANIM_STRUCTURE_CHANGED, REFMSG_CHANGE}
                     : std::vector<RefMessage>{REFMSG_CHANGE};
    EXPECT_EQ(map->CodesFrom(pb), expected);
    int tab = 0;
    EXPECT_EQ(pb->LastNotifyParamID(tab), c.id);

    map->messages.clear();
    ASSERT_TRUE(theHold.Redo());
    EXPECT_EQ(DumpBlock(pb), after);
    EXPECT_EQ(map->CodesFrom(pb), expected);

    EXPECT_FALSE(aDeleted) << "a record still needs every map the edit dropped";
    EXPECT_FALSE(bDeleted);
    ASSERT_TRUE(theHold.Undo());
    theHold.ClearUndoStack();
    if (freshUsed) {
        EXPECT_TRUE(freshDeleted) << "dropped by undo and no record left";
    } else {
        EXPECT_FALSE(freshDeleted);
        fresh->DeleteThis();
    }
    EXPECT_FALSE(aDeleted);
    EXPECT_FALSE(bDeleted);
    EXPECT_EQ(DumpBlock(pb), before);
}

const EditCase kEdits[] = {
    {"FloatValueShiftsKeys", [](IParamBlock2* pb, Texmap*) { pb->SetValue(bm_float, 50, 9.0f); },
     bm_float, false},
    {"FloatKey", [](IParamBlock2* pb, Texmap*) { pb->SetKey(bm_float, 200, 4.0f); }, bm_float,
     false},
    {"DeleteKeys", [](IParamBlock2* pb, Texmap*) { pb->DeleteKeys(bm_float, 50); }, bm_float,
     false},
    {"Int", [](IParamBlock2* pb, Texmap*) { pb->SetValue(bm_count, 0, 42); }, bm_count, false},
    {"TableEntry", [](IParamBlock2* pb, Texmap*) { pb->SetValue(bm_weights, 0, 9, 1); }, bm_weights,
     false},
    {"SetCountGrows", [](IParamBlock2* pb, Texmap*) { pb->SetCount(bm_weights, 5); }, bm_weights,
     true},
    {"SetCountCuts", [](IParamBlock2* pb, Texmap*) { pb->SetCount(bm_weights, 1); }, bm_weights,
     true},
    {"ZeroCount", [](IParamBlock2* pb, Texmap*) { pb->ZeroCount(bm_weights); }, bm_weights, true},
    {"Delete", [](IParamBlock2* pb, Texmap*) { pb->Delete(bm_weights, 1, 1); }, bm_weights, true},
    {"Insert",
     [](IParamBlock2* pb, Texmap*) {
         int v[] = {7, 8};
         pb->Insert(bm_weights, 1, 2, v);
     },
     bm_weights, true},
    {"Append",
     [](IParamBlock2* pb, Texmap*) {
         int v[] = {6};
         pb->Append(bm_weights, 1, v);
     },
     bm_weights, true},
    {"MapEntryReplaced", [](IParamBlock2* pb, Texmap* m) { pb->SetValue(bm_maps, 0, m, 0); },
     bm_maps, false},
    {"MapEntryCleared",
     [](IParamBlock2* pb, Texmap*) { pb->SetValue(bm_maps, 0, static_cast<Texmap*>(nullptr), 0); },
     bm_maps, false},
    {"MapDeletedShiftsTheRest", [](IParamBlock2* pb, Texmap*) { pb->Delete(bm_maps, 0, 1); },
     bm_maps, true},
    {"MapsZeroed", [](IParamBlock2* pb, Texmap*) { pb->ZeroCount(bm_maps); }, bm_maps, true},
    {"MapInsertedInFront",
     [](IParamBlock2* pb, Texmap* m) {
         Texmap* maps[] = {m};
         pb->Insert(bm_maps, 0, 1, maps);
     },
     bm_maps, true},
    {"SingleMap", [](IParamBlock2* pb, Texmap* m) { pb->SetValue(bm_map, 0, m); }, bm_map, false},
};

INSTANTIATE_TEST_SUITE_P(Edits, BlockUndo, ::testing::ValuesIn(kEdits),
                         [](const ::testing::TestParamInfo<EditCase>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(BlockUndo, AMapDroppedByAnEditLivesUntilNoRecordNeedsIt) {
    // b sits in two entries; drop a (its only entry) and b's table entry.
    theHold.Begin();
    pb->ZeroCount(bm_maps);
    theHold.Accept(_M("Clear maps"));
    EXPECT_FALSE(aDeleted) << "kept for undo";
    EXPECT_EQ(a->GetDependents().size(), 0u);
    ASSERT_TRUE(theHold.Undo());
    EXPECT_EQ(pb->GetTexmap(bm_maps, 0, 0), a);
    EXPECT_EQ(a->GetDependents(), std::vector<ReferenceMaker*>{pb});
    ASSERT_TRUE(theHold.Redo());
    EXPECT_FALSE(aDeleted);
    theHold.ClearUndoStack();
    EXPECT_TRUE(aDeleted) << "the step is gone and nothing refers to it";
    EXPECT_FALSE(bDeleted) << "the single-map parameter still holds it";
}

TEST_F(BlockUndo, EditsWhileSuspendedAreNotRecorded) {
    theHold.Begin();
    pb->SetValue(bm_count, 0, 10);
    theHold.Suspend();
    pb->SetValue(bm_weights, 0, 99, 0);
    theHold.Resume();
    {
        SuspendAll suspend(TRUE);
        pb->ZeroCount(bm_maps);
    }
    theHold.Accept(_M("Mixed"));
    EXPECT_TRUE(aDeleted) << "dropped while recording was suspended: deleted at once";

    ASSERT_TRUE(theHold.Undo());
    EXPECT_EQ(pb->GetInt(bm_count), 3) << "recorded: taken back";
    EXPECT_EQ(pb->GetInt(bm_weights, 0, 0), 99) << "suspended: stays";
    EXPECT_EQ(pb->Count(bm_maps), 0) << "suspended: stays";
}

TEST_F(BlockUndo, CancelTakesTheEditsBackAndDeletesWhatOnlyTheyHeld) {
    bool freshDeleted = false;
    auto* fresh = new ProbeMap(&freshDeleted);
    const std::string before = DumpBlock(pb);
    theHold.Begin();
    Texmap* maps[] = {fresh};
    pb->Append(bm_maps, 1, maps);
    pb->SetValue(bm_float, 0, 5.0f);
    pb->Delete(bm_maps, 0, 1);
    theHold.Cancel();
    EXPECT_EQ(DumpBlock(pb), before);
    EXPECT_TRUE(freshDeleted);
    EXPECT_FALSE(aDeleted);
    EXPECT_EQ(theHold.NumUndoSteps(), 0);
}

TEST_F(BlockUndo, AnOwnersAnswerToAMessageIsTakenBackBeforeTheEdit) {
    // An owner that keeps weights as long as maps, as the plug-in's map does on 258.
    struct FollowingOwner : BlockMap {
        RefResult NotifyRefChanged(const Interval& i, RefTargetHandle h, PartID& p, RefMessage m,
                                   BOOL prop) override {
            if (m == REFMSG_SUBANIM_STRUCTURE_CHANGED && Block()->LastNotifyParamID() == bm_maps) {
                Block()->SetCount(bm_weights, Block()->Count(bm_maps));
            }
            return BlockMap::NotifyRefChanged(i, h, p, m, prop);
        }
    };
    FollowingOwner owner;
    IParamBlock2* block = owner.Block();
    theHold.Begin();
    Texmap* maps[] = {new SolidColorMap(), new SolidColorMap()};
    block->Append(bm_maps, 2, maps);
    theHold.Accept(_M("Add"));
    EXPECT_EQ(block->Count(bm_weights), 2);
    ASSERT_TRUE(theHold.Undo());
    EXPECT_EQ(block->Count(bm_maps), 0);
    EXPECT_EQ(block->Count(bm_weights), 0);
    ASSERT_TRUE(theHold.Redo());
    EXPECT_EQ(block->Count(bm_maps), 2);
    EXPECT_EQ(block->Count(bm_weights), 2);
    theHold.ClearUndoStack();
}

using ReferenceUndo = UndoFixture;

TEST_F(ReferenceUndo, ReplacingAMaterialsMapIsUndoneAndTheReplacedMapKeptMeanwhile) {
    bool firstDeleted = false;
    bool secondDeleted = false;
    auto* first = new BlockMap(&firstDeleted);
    auto* second = new BlockMap(&secondDeleted);
    {
        SimpleMaterial mtl;
        mtl.SetSubTexmap(0, first);
        theHold.Begin();
        mtl.SetSubTexmap(0, second);
        theHold.Accept(_M("Assign"));
        EXPECT_FALSE(firstDeleted);
        EXPECT_EQ(first->droppedBy, std::vector<ReferenceMaker*>{&mtl});

        ASSERT_TRUE(theHold.Undo());
        EXPECT_EQ(mtl.GetSubTexmap(0), first);
        EXPECT_EQ(first->GetDependents(), std::vector<ReferenceMaker*>{&mtl});
        EXPECT_FALSE(second->HasDependents());
        EXPECT_FALSE(secondDeleted) << "redo needs it";

        // A new step forgets the redo side: the second map is gone for good.
        theHold.Begin();
        first->Block()->SetValue(bm_count, 0, 8);
        theHold.Accept(_M("Edit"));
        EXPECT_TRUE(secondDeleted);
        EXPECT_FALSE(firstDeleted);
    }
    // The edit's record names the block, not the map: the map goes with its last user, and
    // its block waits for the record.
    EXPECT_TRUE(firstDeleted);
    EXPECT_TRUE(theHold.Undo()) << "a block without owner is still restored";
    theHold.ClearUndoStack();
}

TEST_F(ReferenceUndo, ARecordAboutADestroyedMakerDoesNothing) {
    bool deleted = false;
    auto* map = new BlockMap(&deleted);
    {
        SimpleMaterial mtl;
        theHold.Begin();
        mtl.SetSubTexmap(0, map);
        theHold.Accept(_M("Assign"));
    }  // destroyed outside the undo system: drops the map
    EXPECT_FALSE(deleted);
    EXPECT_TRUE(theHold.Undo());
    EXPECT_TRUE(theHold.Redo());
    theHold.ClearUndoStack();
    EXPECT_TRUE(deleted);
}

TEST_F(ReferenceUndo, DeletingAMapStillInAMaterialClearsTheSlotAndUndoPutsItBack) {
    bool deleted = false;
    auto* map = new BlockMap(&deleted);
    RecordingMaterial mtl;
    mtl.SetSubTexmap(0, map);

    theHold.Begin();
    map->DeleteMe();
    theHold.Accept(_M("Delete"));
    ASSERT_FALSE(mtl.messages.empty());
    EXPECT_EQ(mtl.messages[0].code, static_cast<RefMessage>(REFMSG_TARGET_DELETED));
    EXPECT_EQ(mtl.messages[0].from, map);
    EXPECT_EQ(mtl.GetSubTexmap(0), nullptr);
    EXPECT_FALSE(deleted) << "kept for undo";

    ASSERT_TRUE(theHold.Undo());
    EXPECT_EQ(mtl.GetSubTexmap(0), map);
    EXPECT_EQ(map->GetDependents(), std::vector<ReferenceMaker*>{&mtl});
    ASSERT_TRUE(theHold.Redo());
    EXPECT_EQ(mtl.GetSubTexmap(0), nullptr);
    theHold.ClearUndoStack();
    EXPECT_TRUE(deleted);
}

TEST_F(ReferenceUndo, DeleteMeWithoutAHoldDeletesAtOnce) {
    bool deleted = false;
    auto* map = new BlockMap(&deleted);
    RecordingMaterial first;
    RecordingMaterial second;
    first.SetSubTexmap(0, map);
    second.SetSubTexmap(0, map);
    map->DeleteMe();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(first.GetSubTexmap(0), nullptr);
    EXPECT_EQ(second.GetSubTexmap(0), nullptr);
    EXPECT_EQ(theHold.NumUndoSteps(), 0);
}

}  // namespace
