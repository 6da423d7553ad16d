// The core interface's time and animate mode, undo recording, and SuspendAll.
#include <gtest/gtest.h>

#include <string>

#include "animtbl.h"
#include "hold.h"
#include "maxapi.h"
#include "ref.h"

namespace {

class CoreState : public ::testing::Test {
protected:
    void TearDown() override {
        GetCOREInterface()->SetTime(0);
        GetCOREInterface()->SetAnimateMode(FALSE);
    }
};

TEST_F(CoreState, TimeIsWhatTheHostSet) {
    Interface* ip = GetCOREInterface();
    ASSERT_NE(ip, nullptr);
    EXPECT_EQ(ip, GetCOREInterface()) << "one core interface";
    EXPECT_EQ(ip->GetTime(), 0);
    ip->SetTime(4800);
    EXPECT_EQ(GetCOREInterface()->GetTime(), 4800);
    ip->SetTime(-160);
    EXPECT_EQ(ip->GetTime(), -160);
}

TEST_F(CoreState, AnimateModeIsSuspendedInsideSuspendAll) {
    Interface* ip = GetCOREInterface();
    EXPECT_FALSE(ip->IsAnimating());
    ip->SetAnimateMode(TRUE);
    EXPECT_TRUE(ip->IsAnimating());
    EXPECT_TRUE(Animating());
    {
        SuspendAll suspend(FALSE, FALSE, TRUE);
        EXPECT_FALSE(ip->IsAnimating());
        suspend.Resume();
        EXPECT_TRUE(ip->IsAnimating()) << "Resume ends the suspension early";
    }
    EXPECT_TRUE(ip->IsAnimating()) << "the destructor does not resume twice";
    ip->SetAnimateMode(FALSE);
    EXPECT_FALSE(Animating());
}

// A service with nothing but its ID.
class NamedService : public BaseInterface {
public:
    explicit NamedService(Interface_ID i) : id(i) {}
    Interface_ID GetID() override { return id; }

private:
    Interface_ID id;
};

TEST_F(CoreState, ServicesAreFoundByTheirID) {
    static NamedService first(Interface_ID(0x7E570001, 1));
    static NamedService replacement(Interface_ID(0x7E570001, 1));
    static NamedService other(Interface_ID(0x7E570002, 1));
    EXPECT_EQ(GetCOREInterface()->GetInterface(Interface_ID(0x7E570001, 1)), nullptr);
    RegisterCOREInterface(&first);
    RegisterCOREInterface(&other);
    EXPECT_EQ(GetCOREInterface()->GetInterface(Interface_ID(0x7E570001, 1)), &first);
    RegisterCOREInterface(&replacement);
    EXPECT_EQ(GetCOREInterface(Interface_ID(0x7E570001, 1)), &replacement);
    EXPECT_EQ(GetCOREInterface(Interface_ID(0x7E570002, 1)), &other);
    EXPECT_EQ(GetCOREInterface(Interface_ID(0x7E570002, 2)), nullptr);
}

// Appends its tag to a log when restored; counts its accepted holds.
class LoggingRestore : public RestoreObj {
public:
    LoggingRestore(std::string& l, char t) : log(l), tag(t) {}
    void Restore(int isUndo) override {
        int undo = 1;
        EXPECT_TRUE(theHold.Restoring(undo));
        EXPECT_EQ(isUndo, 0);
        log += tag;
    }
    void Redo() override {}
    void EndHold() override { log += '+'; }

private:
    std::string& log;
    char tag;
};

TEST(HoldTest, CancelRestoresTheRecordsOfItsHoldInReverseOrder) {
    std::string log;
    theHold.Begin();
    EXPECT_TRUE(theHold.Holding());
    EXPECT_TRUE(theHold.Put(new LoggingRestore(log, 'a')));
    theHold.Begin();
    EXPECT_TRUE(theHold.Put(new LoggingRestore(log, 'b')));
    EXPECT_TRUE(theHold.Put(new LoggingRestore(log, 'c')));
    theHold.Cancel();
    EXPECT_EQ(log, "cb") << "only the inner hold is taken back";
    theHold.Accept(_M("Edit"));
    EXPECT_EQ(log, "cb+");
    EXPECT_FALSE(theHold.Holding());
}

TEST(HoldTest, NothingIsRecordedOutsideAHoldOrWhileSuspended) {
    std::string log;
    EXPECT_FALSE(theHold.Put(new LoggingRestore(log, 'x')));
    theHold.Begin();
    theHold.Suspend();
    theHold.Suspend();
    theHold.Resume();
    EXPECT_TRUE(theHold.IsSuspended()) << "suspensions nest";
    EXPECT_FALSE(theHold.Holding());
    EXPECT_FALSE(theHold.Put(new LoggingRestore(log, 'y')));
    theHold.Resume();
    EXPECT_FALSE(theHold.IsSuspended());
    {
        SuspendAll suspend(TRUE);
        EXPECT_TRUE(theHold.IsSuspended());
        EXPECT_FALSE(theHold.Put(new LoggingRestore(log, 'z')));
    }
    EXPECT_TRUE(theHold.Holding());
    theHold.Cancel();
    EXPECT_EQ(log, "");
}

TEST(SuspendAllTest, SuspendsOnlyWhatItIsAskedTo) {
    {
        SuspendAll suspend(TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, FALSE);
        EXPECT_TRUE(theHold.IsSuspended());
        EXPECT_TRUE(RefMsgsDisabled());
        EXPECT_TRUE(suspend.SuspendsMacroRecorder());
        EXPECT_FALSE(suspend.SuspendsSceneExplorerUpdates());
    }
    EXPECT_FALSE(theHold.IsSuspended());
    EXPECT_FALSE(RefMsgsDisabled());
    {
        SuspendAll nothing;
        EXPECT_FALSE(theHold.IsSuspended());
        EXPECT_FALSE(RefMsgsDisabled());
    }
}

}  // namespace
