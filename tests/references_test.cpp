// References between makers and targets: dependency bookkeeping, automatic deletion of
// targets nobody refers to, message delivery, propagation and suspension.
#include <gtest/gtest.h>

#include <vector>

#include "hold.h"
#include "ref.h"

namespace {

// A target with a fixed number of slots of its own; records the messages it receives and
// answers them with `answer`. Its destructor releases its references, so a Node on the stack
// must go before (be declared after) any Node that refers to it.
class Node : public ReferenceTarget {
public:
    explicit Node(int slots = 0, bool* deletedFlag = nullptr)
        : refs(static_cast<std::size_t>(slots), nullptr), deleted(deletedFlag) {}
    ~Node() override {
        DeleteAllRefsFromMe();
        if (deleted) {
            *deleted = true;
        }
    }

    int NumRefs() override { return static_cast<int>(refs.size()); }
    RefTargetHandle GetReference(int i) override { return refs[static_cast<std::size_t>(i)]; }
    void SetReference(int i, RefTargetHandle r) override { refs[static_cast<std::size_t>(i)] = r; }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                               RefMessage message, BOOL) override {
        received.push_back({message, hTarget});
        return answer;
    }

    struct Received {
        RefMessage code;
        RefTargetHandle from;
    };
    std::vector<RefTargetHandle> refs;
    std::vector<Received> received;
    RefResult answer = REF_SUCCEED;

private:
    bool* deleted;
};

TEST(References, ReplaceReferenceRegistersTheMakerAsDependent) {
    Node maker(2);
    Node target;
    ASSERT_EQ(maker.ReplaceReference(1, &target), REF_SUCCEED);
    EXPECT_EQ(maker.GetReference(1), &target);
    EXPECT_EQ(target.GetDependents(), std::vector<ReferenceMaker*>{&maker});

    target.NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    ASSERT_EQ(maker.received.size(), 1u);
    EXPECT_EQ(maker.received[0].code, static_cast<RefMessage>(REFMSG_CHANGE));
    EXPECT_EQ(maker.received[0].from, &target);

    EXPECT_EQ(maker.ReplaceReference(2, &target), REF_FAIL) << "slot outside the maker";
    EXPECT_EQ(maker.ReplaceReference(-1, &target), REF_FAIL);
}

TEST(References, DroppingTheLastReferenceDeletesTheTarget) {
    bool firstDeleted = false;
    bool secondDeleted = false;
    Node maker(1);
    auto* first = new Node(0, &firstDeleted);
    auto* second = new Node(0, &secondDeleted);
    maker.ReplaceReference(0, first);
    maker.ReplaceReference(0, second);
    EXPECT_TRUE(firstDeleted) << "replaced with delOld and left without dependents";
    EXPECT_FALSE(secondDeleted);
    maker.DeleteReference(0);
    EXPECT_TRUE(secondDeleted);
    EXPECT_EQ(maker.GetReference(0), nullptr);
}

TEST(References, ReplaceWithoutDelOldKeepsTheOldTarget) {
    bool deleted = false;
    Node maker(1);
    Node* old = new Node(0, &deleted);
    Node other;
    maker.ReplaceReference(0, old);
    maker.ReplaceReference(0, &other, FALSE);
    EXPECT_FALSE(deleted);
    EXPECT_FALSE(old->HasDependents());
    old->DeleteThis();
    EXPECT_TRUE(deleted);
}

TEST(References, ATargetHeldTwiceIsNotifiedOnceAndSurvivesLosingOneSlot) {
    bool deleted = false;
    Node maker(2);
    Node* target = new Node(0, &deleted);
    maker.ReplaceReference(0, target);
    maker.ReplaceReference(1, target);
    target->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(maker.received.size(), 1u);

    maker.DeleteReference(0);
    EXPECT_FALSE(deleted) << "slot 1 still refers to it";
    EXPECT_TRUE(target->HasDependents());
    maker.DeleteReference(1);
    EXPECT_TRUE(deleted);
}

TEST(References, DeletingATargetClearsTheSlotsOfItsDependents) {
    Node maker(2);
    Node* target = new Node;
    maker.ReplaceReference(0, target);
    maker.ReplaceReference(1, target);
    target->DeleteThis();
    EXPECT_EQ(maker.GetReference(0), nullptr);
    EXPECT_EQ(maker.GetReference(1), nullptr);
    ASSERT_EQ(maker.received.size(), 1u);
    EXPECT_EQ(maker.received[0].code, static_cast<RefMessage>(REFMSG_TARGET_DELETED));
}

TEST(References, DeleteAllRefsCutsBothDirectionsWithoutDeletingTheObject) {
    bool deleted = false;
    Node user(2);
    Node* middle = new Node(1, &deleted);
    bool leafDeleted = false;
    Node* leaf = new Node(0, &leafDeleted);
    user.ReplaceReference(0, middle);
    user.ReplaceReference(1, middle);
    middle->ReplaceReference(0, leaf);

    middle->DeleteAllRefs();
    EXPECT_FALSE(deleted);
    EXPECT_EQ(user.GetReference(0), nullptr);
    EXPECT_EQ(user.GetReference(1), nullptr);
    EXPECT_FALSE(middle->HasDependents());
    EXPECT_TRUE(leafDeleted) << "the leaf lost its only dependent";
    middle->DeleteThis();
    EXPECT_TRUE(deleted);
}

TEST(References, DestroyedMakerNoLongerReceivesMessages) {
    Node target;
    {
        Node maker(1);
        maker.ReplaceReference(0, &target, FALSE);
        // Leaves without releasing: its destructor must unregister it.
        maker.refs[0] = nullptr;
    }
    EXPECT_FALSE(target.HasDependents());
    target.NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

TEST(References, MessagesPropagateUpUntilADependentStopsThem) {
    Node top(1);
    Node middle(1);
    Node bottom;
    top.ReplaceReference(0, &middle, FALSE);
    middle.ReplaceReference(0, &bottom, FALSE);

    bottom.NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    ASSERT_EQ(top.received.size(), 1u);
    EXPECT_EQ(top.received[0].from, &middle) << "each level names itself as the target";

    middle.answer = REF_STOP;
    bottom.NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(middle.received.size(), 2u);
    EXPECT_EQ(top.received.size(), 1u);

    middle.answer = REF_SUCCEED;
    bottom.NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, NOTIFY_ALL, FALSE);
    EXPECT_EQ(middle.received.size(), 3u);
    EXPECT_EQ(top.received.size(), 1u) << "propagate FALSE reaches direct dependents only";
}

TEST(References, AReferenceLoopDoesNotRecurseForever) {
    Node a(1);
    Node b(1);
    a.ReplaceReference(0, &b, FALSE);
    b.ReplaceReference(0, &a, FALSE);
    a.NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(b.received.size(), 1u);
    EXPECT_EQ(a.received.size(), 1u);
    a.refs[0] = nullptr;
    b.refs[0] = nullptr;
}

TEST(References, SuspendedMessagesAreNotSent) {
    Node maker(1);
    Node target;
    maker.ReplaceReference(0, &target, FALSE);
    {
        SuspendAll suspend(FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
        EXPECT_TRUE(RefMsgsDisabled());
        { SuspendAll nested(FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE); }
        EXPECT_TRUE(RefMsgsDisabled()) << "suspensions nest";
        target.NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
        EXPECT_TRUE(maker.received.empty());
    }
    EXPECT_FALSE(RefMsgsDisabled());
    target.NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(maker.received.size(), 1u);
}

}  // namespace
