// Parameter blocks: values, animation keys and their validity intervals, tables, texture-map
// references and the messages a block sends its owner.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "hold.h"
#include "maxapi.h"
#include "paramblock_test_support.h"

namespace {

enum TestParamID {
    tp_float = 0,
    tp_int = 1,
    tp_bool = 2,
    tp_color = 3,
    tp_angle = 4,
    tp_fixed = 5,
    tp_map = 6,
    tp_maps = 7,
    tp_flags = 8,
    tp_weights = 9,
    tp_floats = 10,
};

TestClassDesc& TestDesc() {
    static TestClassDesc desc;
    return desc;
}

// clang-format off
ParamBlockDesc2 testParams(
    0, _M("test"), 0, &TestDesc(), P_AUTO_CONSTRUCT, 0,
    tp_float, _M("f"), TYPE_FLOAT, P_ANIMATABLE, 0, p_default, 2.5f, p_range, 0.0f, 10.0f, p_end,
    tp_int, _M("i"), TYPE_INT, P_ANIMATABLE, 0, p_default, 7, p_range, 1, 9, p_end,
    tp_bool, _M("b"), TYPE_BOOL, P_ANIMATABLE, 0, p_default, TRUE, p_end,
    tp_color, _M("c"), TYPE_RGBA, P_ANIMATABLE, 0, p_default, Color(0.1f, 0.2f, 0.3f), p_end,
    tp_angle, _M("a"), TYPE_ANGLE, P_ANIMATABLE, 0, p_default, 45.0f, p_range, 0.0f, 360.0f,
        p_end,
    tp_fixed, _M("fixed"), TYPE_FLOAT, 0, 0, p_default, 1.0f, p_end,
    tp_map, _M("map"), TYPE_TEXMAP, 0, 0, p_end,
    tp_maps, _M("maps"), TYPE_TEXMAP_TAB, 0, P_VARIABLE_SIZE, 0, p_end,
    tp_flags, _M("flags"), TYPE_BOOL_TAB, 2, P_VARIABLE_SIZE, 0, p_default, TRUE, p_end,
    tp_weights, _M("weights"), TYPE_INT_TAB, 0, P_VARIABLE_SIZE, 0, p_default, 1, p_end,
    tp_floats, _M("floats"), TYPE_FLOAT_TAB, 0, P_VARIABLE_SIZE, 0, p_default, 0.5f, p_end,
    p_end);
// clang-format on

constexpr float kHalfPi = 1.5707964f;

// A fresh block owned by a recording owner; the host's time at 0 and animate mode off.
class Block : public ::testing::Test {
protected:
    void SetUp() override {
        TestDesc().MakeAutoParamBlocks(&owner);
        ASSERT_NE(owner.block, nullptr);
        pb = owner.block;
    }
    void TearDown() override {
        GetCOREInterface()->SetAnimateMode(FALSE);
        GetCOREInterface()->SetTime(0);
    }

    std::vector<int> Weights() {
        std::vector<int> w;
        for (int i = 0; i < pb->Count(tp_weights); ++i) {
            w.push_back(pb->GetInt(tp_weights, 0, i));
        }
        return w;
    }

    RecordingOwner owner;
    IParamBlock2* pb = nullptr;
};

TEST_F(Block, StartsAtTheDefaultsWithTablesAtTheirInitialCount) {
    EXPECT_EQ(owner.GetReference(0), pb);
    EXPECT_EQ(pb->GetOwner(), &owner);
    EXPECT_EQ(pb->ID(), 0);
    EXPECT_EQ(pb->NumParams(), 11);
    EXPECT_EQ(pb->GetDesc(), &testParams);
    EXPECT_EQ(pb->SuperClassID(), static_cast<SClass_ID>(PARAMETER_BLOCK2_CLASS_ID));
    EXPECT_EQ(pb->GetParameterType(tp_maps), TYPE_TEXMAP_TAB);
    EXPECT_EQ(pb->GetFloat(tp_float), 2.5f);
    EXPECT_EQ(pb->GetInt(tp_int), 7);
    EXPECT_EQ(pb->GetInt(tp_bool), TRUE);
    EXPECT_EQ(pb->GetColor(tp_color), Color(0.1f, 0.2f, 0.3f));
    EXPECT_FLOAT_EQ(pb->GetFloat(tp_angle), 0.7853982f) << "45 degrees, stored in radians";
    EXPECT_EQ(pb->GetTexmap(tp_map), nullptr);
    EXPECT_EQ(pb->Count(tp_maps), 0);
    ASSERT_EQ(pb->Count(tp_flags), 2);
    EXPECT_EQ(pb->GetInt(tp_flags, 0, 1), TRUE);
    EXPECT_EQ(pb->Count(tp_float), 0) << "not a table";
    EXPECT_EQ(pb->LastNotifyParamID(), -1);
    EXPECT_TRUE(owner.messages.empty());
}

TEST_F(Block, AConstantValueHoldsForever) {
    Interval valid = FOREVER;
    float f = 0.0f;
    ASSERT_TRUE(pb->GetValue(tp_float, 1234, f, valid));
    EXPECT_EQ(f, 2.5f);
    EXPECT_TRUE(valid == FOREVER);

    Interval narrow(10, 20);
    int i = 0;
    ASSERT_TRUE(pb->GetValue(tp_int, 15, i, narrow));
    EXPECT_TRUE(narrow == Interval(10, 20)) << "the caller's interval is only ever narrowed";
}

TEST_F(Block, AnimatedFloatInterpolatesAndNarrowsTheInterval) {
    ASSERT_TRUE(pb->SetKey(tp_float, 0, 0.0f));
    ASSERT_TRUE(pb->SetKey(tp_float, 100, 10.0f));
    struct Case {
        TimeValue t;
        float value;
        Interval valid;
    };
    const Case cases[] = {
        {-50, 0.0f, Interval(TIME_NegInfinity, 0)},
        {0, 0.0f, Interval(TIME_NegInfinity, 0)},
        {25, 2.5f, Interval(25, 25)},
        {50, 5.0f, Interval(50, 50)},
        {100, 10.0f, Interval(100, TIME_PosInfinity)},
        {400, 10.0f, Interval(100, TIME_PosInfinity)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t);
        Interval valid = FOREVER;
        float f = -1.0f;
        ASSERT_TRUE(pb->GetValue(tp_float, c.t, f, valid));
        EXPECT_FLOAT_EQ(f, c.value);
        EXPECT_EQ(valid.Start(), c.valid.Start());
        EXPECT_EQ(valid.End(), c.valid.End());
    }
    Interval caller(-10, 30);
    float f = 0.0f;
    pb->GetValue(tp_float, -5, f, caller);
    EXPECT_TRUE(caller == Interval(-10, 0));
}

TEST_F(Block, EqualNeighbouringKeysKeepTheValueValidBetweenThem) {
    pb->SetKey(tp_float, 0, 1.0f);
    pb->SetKey(tp_float, 100, 1.0f);
    pb->SetKey(tp_float, 200, 3.0f);
    Interval valid = FOREVER;
    float f = 0.0f;
    pb->GetValue(tp_float, 50, f, valid);
    EXPECT_TRUE(valid == Interval(TIME_NegInfinity, 100));
    valid = FOREVER;
    pb->GetValue(tp_float, 150, f, valid);
    EXPECT_FLOAT_EQ(f, 2.0f);
    EXPECT_TRUE(valid == Interval(150, 150));
}

TEST_F(Block, IntegersRoundBooleansStepColoursInterpolatePerChannel) {
    pb->SetKey(tp_int, 0, 1);
    pb->SetKey(tp_int, 100, 4);
    EXPECT_EQ(pb->GetInt(tp_int, 50), 3) << "2.5 rounds away from zero";
    EXPECT_EQ(pb->GetInt(tp_int, 10), 1);

    pb->SetKey(tp_bool, 0, FALSE);
    pb->SetKey(tp_bool, 100, TRUE);
    Interval valid = FOREVER;
    int b = -1;
    pb->GetValue(tp_bool, 99, b, valid);
    EXPECT_EQ(b, FALSE);
    EXPECT_TRUE(valid == Interval(TIME_NegInfinity, 99));
    valid = FOREVER;
    pb->GetValue(tp_bool, 100, b, valid);
    EXPECT_EQ(b, TRUE);
    EXPECT_TRUE(valid == Interval(100, TIME_PosInfinity));

    pb->SetKey(tp_color, 0, Color(0.0f, 1.0f, 0.0f));
    pb->SetKey(tp_color, 100, Color(1.0f, 0.0f, 0.5f));
    const Color mid = pb->GetColor(tp_color, 50);
    EXPECT_FLOAT_EQ(mid.r, 0.5f);
    EXPECT_FLOAT_EQ(mid.g, 0.5f);
    EXPECT_FLOAT_EQ(mid.b, 0.25f);
}

TEST_F(Block, KeysAreKeptInTimeOrderAndCanBeRemoved) {
    EXPECT_FALSE(pb->SetKey(tp_fixed, 0, 1.0f)) << "not animatable";
    pb->SetKey(tp_float, 200, 2.0f);
    pb->SetKey(tp_float, 100, 1.0f);
    pb->SetKey(tp_float, 200, 4.0f);
    ASSERT_EQ(pb->NumKeys(tp_float), 2);
    EXPECT_EQ(pb->GetKeyTime(tp_float, 0), 100);
    EXPECT_EQ(pb->GetKeyTime(tp_float, 1), 200);
    EXPECT_EQ(pb->GetKeyTime(tp_float, 2), TIME_NegInfinity);
    ASSERT_TRUE(pb->DeleteKeys(tp_float, 150));
    EXPECT_EQ(pb->NumKeys(tp_float), 0);
    EXPECT_FLOAT_EQ(pb->GetFloat(tp_float, 1000), 2.5f) << "the value it had at 150";
}

TEST_F(Block, AnimateModeSetsKeysAndOtherwiseValuesHoldAtAllTimes) {
    Interface* ip = GetCOREInterface();
    ip->SetAnimateMode(TRUE);
    ASSERT_TRUE(pb->SetValue(tp_float, 100, 8.5f));
    ASSERT_EQ(pb->NumKeys(tp_float), 2) << "a key at 0 keeps the value the animation starts from";
    EXPECT_FLOAT_EQ(pb->GetFloat(tp_float, 0), 2.5f);
    EXPECT_FLOAT_EQ(pb->GetFloat(tp_float, 50), 5.5f);
    EXPECT_FLOAT_EQ(pb->GetFloat(tp_float, 100), 8.5f);

    pb->SetValue(tp_fixed, 100, 3.0f);
    EXPECT_EQ(pb->NumKeys(tp_fixed), 0) << "a parameter that is not animatable takes the value";
    EXPECT_EQ(pb->GetFloat(tp_fixed, -500), 3.0f);
    {
        SuspendAll noAnimate(FALSE, FALSE, TRUE);
        pb->SetValue(tp_int, 100, 2);
        EXPECT_EQ(pb->NumKeys(tp_int), 0);
    }

    ip->SetAnimateMode(FALSE);
    pb->SetValue(tp_float, 100, 10.5f);
    EXPECT_EQ(pb->NumKeys(tp_float), 2);
    EXPECT_FLOAT_EQ(pb->GetFloat(tp_float, 100), 10.5f);
    EXPECT_FLOAT_EQ(pb->GetFloat(tp_float, 0), 4.5f) << "every key moved by the same amount";

    pb->SetKey(tp_bool, 0, FALSE);
    pb->SetKey(tp_bool, 100, TRUE);
    pb->SetValue(tp_bool, 50, FALSE);
    EXPECT_EQ(pb->GetInt(tp_bool, 200), FALSE) << "a boolean's keys all take the value";
}

TEST_F(Block, SetValueStoresAnyValueWhileEnteredValuesAreClamped) {
    EXPECT_TRUE(pb->SetValue(tp_float, 0, 50.0f));
    EXPECT_EQ(pb->GetFloat(tp_float), 50.0f);
    EXPECT_TRUE(pb->SetValue(tp_int, 0, -4));
    EXPECT_EQ(pb->GetInt(tp_int), -4);

    struct Case {
        ParamID id;
        float entered;
        float stored;
    };
    const Case cases[] = {
        {tp_float, 50.0f, 10.0f},   {tp_float, -1.0f, 0.0f},        {tp_float, 3.25f, 3.25f},
        {tp_angle, 90.0f, kHalfPi}, {tp_angle, 400.0f, 6.2831855f}, {tp_angle, -5.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entered);
        ASSERT_TRUE(pb->SetValueEntered(c.id, 0, c.entered));
        EXPECT_FLOAT_EQ(pb->GetFloat(c.id), c.stored);
    }
    pb->SetValueEntered(tp_angle, 0, 90.0f);
    EXPECT_EQ(pb->GetFloat(tp_angle), kHalfPi);
    EXPECT_FLOAT_EQ(pb->GetFloatShown(tp_angle), 90.0f);

    pb->SetValueEntered(tp_int, 0, 12);
    EXPECT_EQ(pb->GetInt(tp_int), 9);
    pb->SetValueEntered(tp_int, 0, 0.6f);
    EXPECT_EQ(pb->GetInt(tp_int), 1) << "rounded, then clamped";
    EXPECT_FALSE(pb->SetValueEntered(99, 0, 1.0f));
}

TEST_F(Block, CallsOfTheWrongKindOrOutsideATableChangeNothing) {
    EXPECT_FALSE(pb->SetValue(tp_float, 0, 3));
    EXPECT_FALSE(pb->SetValue(tp_int, 0, 3.0f));
    EXPECT_FALSE(pb->SetValue(99, 0, 1.0f));
    EXPECT_FALSE(pb->SetValue(tp_flags, 0, 0, 2)) << "entry 2 of a two-entry table";
    EXPECT_FALSE(pb->SetValue(tp_flags, 0, 0, -1));
    EXPECT_EQ(pb->GetFloat(tp_float), 2.5f);
    EXPECT_EQ(pb->GetInt(tp_int), 7);
    EXPECT_EQ(pb->GetFloat(99), 0.0f);
    Interval valid = FOREVER;
    float f = 0.0f;
    EXPECT_FALSE(pb->GetValue(tp_int, 0, f, valid));
    EXPECT_TRUE(owner.messages.empty());
}

TEST_F(Block, SetCountAddsDefaultsAtTheEndAndCutsFromTheEnd) {
    pb->SetCount(tp_weights, 3);
    EXPECT_EQ(Weights(), (std::vector<int>{1, 1, 1}));
    pb->SetValue(tp_weights, 0, 5, 1);
    pb->SetValue(tp_weights, 0, 6, 2);
    pb->SetCount(tp_weights, 2);
    EXPECT_EQ(Weights(), (std::vector<int>{1, 5}));
    pb->SetCount(tp_weights, 4);
    EXPECT_EQ(Weights(), (std::vector<int>{1, 5, 1, 1}));
    pb->SetCount(tp_weights, -1);
    EXPECT_EQ(pb->Count(tp_weights), 4) << "a negative count is ignored";

    pb->SetValue(tp_flags, 0, FALSE, 0);
    pb->SetCount(tp_flags, 3);
    EXPECT_EQ(pb->GetInt(tp_flags, 0, 0), FALSE);
    EXPECT_EQ(pb->GetInt(tp_flags, 0, 2), TRUE);
    pb->SetCount(tp_floats, 1);
    EXPECT_EQ(pb->GetFloat(tp_floats, 0, 0), 0.5f);

    pb->ZeroCount(tp_weights);
    EXPECT_EQ(pb->Count(tp_weights), 0);
    pb->SetCount(tp_weights, 1);
    EXPECT_EQ(Weights(), (std::vector<int>{1})) << "no old value comes back";
}

TEST_F(Block, AppendInsertAndDeleteEditTables) {
    int values[] = {4, 5};
    EXPECT_EQ(pb->Append(tp_weights, 2, values), 0);
    int inserted = 9;
    EXPECT_EQ(pb->Insert(tp_weights, 1, 1, &inserted), 1);
    EXPECT_EQ(Weights(), (std::vector<int>{4, 9, 5}));
    EXPECT_EQ(pb->Append(tp_weights, 1, static_cast<int*>(nullptr)), 3);
    EXPECT_EQ(Weights(), (std::vector<int>{4, 9, 5, 1})) << "no values: defaults";

    EXPECT_EQ(pb->Delete(tp_weights, 1, 2), 2);
    EXPECT_EQ(Weights(), (std::vector<int>{4, 1}));
    EXPECT_EQ(pb->Delete(tp_weights, 1, 10), 1) << "only what is there is deleted";
    EXPECT_EQ(pb->Delete(tp_weights, 1, 1), -1);
    EXPECT_EQ(pb->Insert(tp_weights, 3, 1, &inserted), -1);
    EXPECT_EQ(pb->Append(tp_float, 1, values), -1) << "not a table";
    float f = 1.0f;
    EXPECT_EQ(pb->Append(tp_weights, 1, &f), -1) << "floats into an int table";
    EXPECT_EQ(Weights(), (std::vector<int>{4}));
    EXPECT_GE(pb->Resize(tp_weights, 50), 50);
    EXPECT_EQ(pb->Count(tp_weights), 1);
}

TEST_F(Block, AValueChangeTellsTheOwnerWhichParameterChanged) {
    pb->SetValue(tp_float, 0, 1.0f);
    pb->SetCount(tp_flags, 3);
    owner.messages.clear();
    pb->SetValue(tp_flags, 0, FALSE, 2);
    ASSERT_EQ(owner.messages.size(), 1u);
    EXPECT_EQ(owner.messages[0].code, 80u);
    EXPECT_EQ(owner.messages[0].from, pb);
    EXPECT_EQ(owner.messages[0].lastID, tp_flags);
    EXPECT_EQ(owner.messages[0].lastTab, 2);

    owner.messages.clear();
    pb->SetValue(tp_color, 0, Color(1.0f, 1.0f, 1.0f));
    pb->SetKey(tp_int, 10, 3);
    ASSERT_EQ(owner.Codes(), (std::vector<RefMessage>{80, 80}));
    EXPECT_EQ(owner.messages[0].lastID, tp_color);
    EXPECT_EQ(owner.messages[1].lastID, tp_int);
}

TEST(BlockMessages, ATableStructureChangeNamesTheTable) {
    struct Case {
        const char* what;
        ParamID table;
        void (*edit)(IParamBlock2*);
    };
    const Case cases[] = {
        {"SetCount", tp_weights, [](IParamBlock2* b) { b->SetCount(tp_weights, 2); }},
        {"ZeroCount", tp_flags, [](IParamBlock2* b) { b->ZeroCount(tp_flags); }},
        {"Delete", tp_flags, [](IParamBlock2* b) { b->Delete(tp_flags, 0, 1); }},
        {"Insert", tp_floats,
         [](IParamBlock2* b) { b->Insert(tp_floats, 0, 1, static_cast<float*>(nullptr)); }},
        {"Append", tp_maps,
         [](IParamBlock2* b) { b->Append(tp_maps, 1, static_cast<Texmap**>(nullptr)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingOwner owner;
        TestDesc().MakeAutoParamBlocks(&owner);
        c.edit(owner.block);
        ASSERT_EQ(owner.Codes(), (std::vector<RefMessage>{258, 80}));
        EXPECT_EQ(owner.messages[0].lastID, c.table);
        EXPECT_EQ(owner.messages[1].lastID, c.table);
        EXPECT_EQ(owner.messages[1].lastTab, -1) << "the whole table";

        owner.messages.clear();
        owner.block->SetCount(c.table, owner.block->Count(c.table));
        EXPECT_TRUE(owner.messages.empty()) << "an unchanged count is no change";
    }
}

TEST_F(Block, SuspendedMessagesAreNotSentAndNameNothing) {
    pb->SetValue(tp_float, 0, 1.0f);
    owner.messages.clear();
    {
        SuspendAll suspend(TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, FALSE);
        pb->SetCount(tp_flags, 5);
        pb->SetCount(tp_weights, 5);
        pb->SetValue(tp_int, 0, 3);
    }
    EXPECT_TRUE(owner.messages.empty());
    EXPECT_EQ(pb->Count(tp_weights), 5) << "the edits themselves happen";
    EXPECT_EQ(pb->LastNotifyParamID(), tp_float) << "the last announced change";
    pb->SetValue(tp_int, 0, 4);
    EXPECT_EQ(owner.Codes(), (std::vector<RefMessage>{80}));
}

TEST_F(Block, TextureMapEntriesAreReferencesOfTheBlock) {
    auto* a = new ProbeMap;
    auto* b = new ProbeMap;
    ASSERT_TRUE(pb->SetValue(tp_map, 0, a));
    Texmap* maps[] = {b, a};
    EXPECT_EQ(pb->Append(tp_maps, 2, maps), 0);
    EXPECT_EQ(pb->NumRefs(), 3);
    EXPECT_EQ(pb->GetReference(0), a);
    EXPECT_EQ(pb->GetReference(1), b);
    EXPECT_EQ(pb->GetReference(2), a);
    EXPECT_EQ(pb->GetTexmap(tp_maps, 0, 1), a);
    EXPECT_EQ(a->GetDependents(), std::vector<ReferenceMaker*>{pb});
    EXPECT_EQ(b->GetDependents(), std::vector<ReferenceMaker*>{pb});

    // A change inside a sub-map reaches the owner through the block, naming the entry.
    owner.messages.clear();
    b->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    ASSERT_EQ(owner.messages.size(), 1u);
    EXPECT_EQ(owner.messages[0].code, 80u);
    EXPECT_EQ(owner.messages[0].from, pb);
    EXPECT_EQ(owner.messages[0].lastID, tp_maps);
    EXPECT_EQ(owner.messages[0].lastTab, 0);
}

TEST_F(Block, SubMapsNobodyRefersToAnyMoreAreDeleted) {
    bool aDeleted = false;
    bool bDeleted = false;
    bool cDeleted = false;
    auto* a = new ProbeMap(&aDeleted);
    auto* b = new ProbeMap(&bDeleted);
    auto* c = new ProbeMap(&cDeleted);
    Texmap* maps[] = {a, b, a};
    pb->Append(tp_maps, 3, maps);

    pb->SetValue(tp_maps, 0, c, 1);
    EXPECT_TRUE(bDeleted) << "replaced and held nowhere else";
    pb->Delete(tp_maps, 0, 1);
    EXPECT_FALSE(aDeleted) << "still held by the last entry";
    EXPECT_EQ(pb->GetTexmap(tp_maps, 0, 1), a);
    pb->SetCount(tp_maps, 1);
    EXPECT_TRUE(aDeleted);

    // Deleting the block (the owner lets go of it) releases the maps it held.
    owner.DeleteAllRefsFromMe();
    EXPECT_EQ(owner.block, nullptr);
    EXPECT_TRUE(cDeleted);
}

TEST_F(Block, ADeletedSubMapLeavesAnEmptyEntry) {
    auto* a = new ProbeMap;
    pb->SetValue(tp_map, 0, a);
    a->DeleteThis();
    EXPECT_EQ(pb->GetTexmap(tp_map), nullptr);
    EXPECT_EQ(pb->NumRefs(), 1);
}

}  // namespace
