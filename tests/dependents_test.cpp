// What a target hears when makers drop it (RefDeleted, REFMSG_REF_DELETED and its forwarding
// by an owner's parameter block), and the walk over everything that depends on a target.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "undo_test_support.h"

namespace {

using Dependents = UndoFixture;

// Each way a maker can drop its reference to a map: the map hears RefDeleted once, naming the
// maker, and then REFMSG_REF_DELETED from its own block.
struct DropCase {
    const char* name;
    std::function<void(SimpleMaterial&, Texmap* other)> drop;
};

class DroppingAMap : public Dependents, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DroppingAMap, TheMapHearsRefDeletedThenItsBlockPassesOn259) {
    auto* map = new BlockMap();
    bool otherDeleted = false;
    auto* other = new ProbeMap(&otherDeleted);
    RecordingMaterial keeper;  // still uses the map afterwards
    keeper.SetSubTexmap(0, map);
    {
        SimpleMaterial dropper;
        dropper.SetSubTexmap(0, map);
        map->messages.clear();
        keeper.messages.clear();
        GetParam().drop(dropper, other);
        EXPECT_EQ(map->droppedBy, std::vector<ReferenceMaker*>{&dropper});
        EXPECT_EQ(map->CodesFrom(map->Block()), std::vector<RefMessage>{REFMSG_REF_DELETED});
        EXPECT_EQ(map->usedWhenTold, std::vector<bool>{true}) << "the keeper still uses it";
        ASSERT_EQ(keeper.messages.size(), 1u) << "the remaining dependent hears it too";
        EXPECT_EQ(keeper.messages[0].code, static_cast<RefMessage>(REFMSG_REF_DELETED));
        EXPECT_EQ(keeper.messages[0].from, map);
    }
    map->usedWhenTold.clear();
    keeper.SetSubTexmap(0, nullptr);  // the last user: the map is deleted after hearing it
    if (!otherDeleted) {
        other->DeleteThis();  // the cases that never used it
    }
}

const DropCase kDrops[] = {
    {"DeleteReference", [](SimpleMaterial& m, Texmap*) { m.DeleteReference(0); }},
    {"ReplaceReference", [](SimpleMaterial& m, Texmap* other) { m.ReplaceReference(0, other); }},
    {"DeleteAllRefsFromMe", [](SimpleMaterial& m, Texmap*) { m.DeleteAllRefsFromMe(); }},
};

INSTANTIATE_TEST_SUITE_P(Ways, DroppingAMap, ::testing::ValuesIn(kDrops),
                         [](const ::testing::TestParamInfo<DropCase>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(Dependents, TheLastMaterialLeavingTellsTheMapNobodyUsesItAnyMore) {
    auto map = std::make_unique<BlockMap>();
    SimpleMaterial first;
    SimpleMaterial second;
    first.ReplaceReference(0, map.get(), FALSE);
    second.ReplaceReference(0, map.get(), FALSE);
    first.ReplaceReference(0, nullptr, FALSE);
    second.ReplaceReference(0, nullptr, FALSE);
    EXPECT_EQ(map->usedWhenTold, (std::vector<bool>{true, false}));
    EXPECT_EQ(map->droppedBy, (std::vector<ReferenceMaker*>{&first, &second}));
}

TEST_F(Dependents, ABlockDroppingASubMapDoesNotTellTheOwnerItsUsersChanged) {
    BlockMap map;
    auto* sub = new SolidColorMap();
    map.Block()->SetValue(bm_map, 0, static_cast<Texmap*>(sub));
    map.messages.clear();
    map.Block()->SetValue(bm_map, 0, static_cast<Texmap*>(nullptr));
    EXPECT_EQ(map.CodesFrom(), std::vector<RefMessage>{REFMSG_CHANGE});
    EXPECT_TRUE(map.droppedBy.empty());
}

TEST_F(Dependents, SuspendedMessagesStillCallRefDeletedButSendNo259) {
    auto map = std::make_unique<BlockMap>();
    RecordingMaterial keeper;
    SimpleMaterial dropper;
    keeper.ReplaceReference(0, map.get(), FALSE);
    dropper.ReplaceReference(0, map.get(), FALSE);
    map->messages.clear();
    keeper.messages.clear();
    {
        SuspendAll suspend(FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
        dropper.DeleteReference(0);
    }
    EXPECT_EQ(map->droppedBy, std::vector<ReferenceMaker*>{&dropper});
    EXPECT_TRUE(map->messages.empty());
    EXPECT_TRUE(keeper.messages.empty());
    keeper.ReplaceReference(0, nullptr, FALSE);
}

TEST_F(Dependents, UndoAndRedoOfADropAreDropsToo) {
    auto* map = new BlockMap();
    SimpleMaterial mtl;
    mtl.SetSubTexmap(0, map);
    theHold.Begin();
    mtl.SetSubTexmap(0, nullptr);
    theHold.Accept(_M("Clear"));
    ASSERT_TRUE(theHold.Undo());
    map->droppedBy.clear();
    map->usedWhenTold.clear();
    ASSERT_TRUE(theHold.Redo());
    EXPECT_EQ(map->droppedBy, std::vector<ReferenceMaker*>{&mtl});
    EXPECT_EQ(map->usedWhenTold, std::vector<bool>{false});
    theHold.ClearUndoStack();
}

// A plain maker and target with any number of slots, for graphs of dependents.
class GraphNode : public ReferenceTarget {
public:
    explicit GraphNode(int slots) : refs(static_cast<std::size_t>(slots), nullptr) {}
    ~GraphNode() override {
        for (auto& r : refs) {
            r = nullptr;  // the graph is torn down by the test, not through references
        }
    }
    int NumRefs() override { return static_cast<int>(refs.size()); }
    RefTargetHandle GetReference(int i) override { return refs[static_cast<std::size_t>(i)]; }
    void SetReference(int i, RefTargetHandle r) override { refs[static_cast<std::size_t>(i)] = r; }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                               BOOL) override {
        return REF_SUCCEED;
    }
    std::vector<RefTargetHandle> refs;
};

// Records the visit order and answers per maker.
struct Visitor : DependentEnumProc {
    std::vector<ReferenceMaker*> visited;
    ReferenceMaker* haltAt = nullptr;
    ReferenceMaker* skipAt = nullptr;
    int proc(ReferenceMaker* rmaker) override {
        visited.push_back(rmaker);
        if (rmaker == haltAt) {
            return DEP_ENUM_HALT;
        }
        return rmaker == skipAt ? DEP_ENUM_SKIP : DEP_ENUM_CONTINUE;
    }
};

// top -> left, right; left, right -> bottom; above -> top; and a loop bottom -> top.
class DependentGraph : public Dependents {
protected:
    void SetUp() override {
        Dependents::SetUp();
        top.ReplaceReference(0, &left, FALSE);
        top.ReplaceReference(1, &right, FALSE);
        left.ReplaceReference(0, &bottom, FALSE);
        right.ReplaceReference(0, &bottom, FALSE);
        above.ReplaceReference(0, &top, FALSE);
    }
    GraphNode bottom{1}, left{1}, right{1}, top{2}, above{1};
};

TEST_F(DependentGraph, EveryMakerAboveIsVisitedOnceStartingWithTheTarget) {
    Visitor v;
    EXPECT_EQ(bottom.DoEnumDependents(&v), 0);
    EXPECT_EQ(v.visited, (std::vector<ReferenceMaker*>{&bottom, &left, &right, &top, &above}));
}

TEST_F(DependentGraph, HaltStopsTheWalk) {
    Visitor v;
    v.haltAt = &left;
    EXPECT_EQ(bottom.DoEnumDependents(&v), 1);
    EXPECT_EQ(v.visited, (std::vector<ReferenceMaker*>{&bottom, &left}));
}

TEST_F(DependentGraph, SkipDoesNotGoAboveThatMakerButOtherPathsStillDo) {
    Visitor v;
    v.skipAt = &top;
    bottom.DoEnumDependents(&v);
    EXPECT_EQ(v.visited, (std::vector<ReferenceMaker*>{&bottom, &left, &right, &top}));

    Visitor w;
    w.skipAt = &left;
    bottom.DoEnumDependents(&w);
    EXPECT_EQ(w.visited, (std::vector<ReferenceMaker*>{&bottom, &left, &right, &top, &above}))
        << "top is still reached through right";
}

TEST_F(DependentGraph, ALoopEndsAndVisitsEachOnce) {
    bottom.ReplaceReference(0, &top, FALSE);  // top depends on bottom, bottom on top
    Visitor v;
    EXPECT_EQ(top.DoEnumDependents(&v), 0);
    EXPECT_EQ(v.visited, (std::vector<ReferenceMaker*>{&top, &above, &bottom, &left, &right}));
    bottom.ReplaceReference(0, nullptr, FALSE);
}

}  // namespace
