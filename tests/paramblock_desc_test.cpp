// Block descriptors: reading the argument list, queries, registration with the class
// descriptor, and loud failure on malformed lists.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "paramblock_test_support.h"

namespace {

class NullDlgProc : public ParamMap2UserDlgProc {
public:
    INT_PTR DlgProc(TimeValue, IParamMap2*, HWND, UINT, WPARAM, LPARAM) override { return 0; }
    void DeleteThis() override {}
};

TEST(ParamBlockDesc, ReadsBlockArgumentsAndParametersInDefinitionOrder) {
    TestClassDesc cd;
    NullDlgProc proc;
    // clang-format off
    ParamBlockDesc2 desc(3, _M("blk"), 7, &cd, P_AUTO_CONSTRUCT + P_AUTO_UI + P_VERSION, 2,
                         200, 8, 1, 2, &proc, 5,
                         9, _M("nine"), TYPE_INT, 0, 0, p_end,
                         4, _M("four"), TYPE_FLOAT_TAB, 3, P_VARIABLE_SIZE, 11,
                             p_default, 0.25f, p_end,
                         6, _M("six"), TYPE_BOOL, P_ANIMATABLE, 12,
                             p_ui, TYPE_RADIO, 2, 100, 101, p_end,
                         p_end);
    // clang-format on
    EXPECT_EQ(desc.ID, 3);
    EXPECT_STREQ(desc.int_name, L"blk");
    EXPECT_EQ(desc.local_name, 7);
    EXPECT_EQ(desc.ref_no, 2);
    EXPECT_EQ(desc.dlg_template, 200);
    EXPECT_EQ(desc.title, 8);
    EXPECT_EQ(desc.test_flags, 1);
    EXPECT_EQ(desc.rollup_flags, 2);
    EXPECT_EQ(desc.dlgProc, &proc);
    EXPECT_EQ(desc.version, 5u);

    ASSERT_EQ(desc.Count(), 3);
    EXPECT_EQ(desc.IndextoID(0), 9);
    EXPECT_EQ(desc.IndextoID(1), 4);
    EXPECT_EQ(desc.IndextoID(2), 6);
    EXPECT_EQ(desc.IndextoID(3), -1);
    EXPECT_EQ(desc.IDtoIndex(6), 2);
    EXPECT_EQ(desc.IDtoIndex(5), -1);
    EXPECT_EQ(desc.NameToIndex(L"four"), 1);
    EXPECT_EQ(desc.NameToIndex(L"five"), -1);

    const ParamDef& four = desc.GetParamDef(4);
    EXPECT_TRUE(four.IsTab());
    EXPECT_EQ(four.BaseType(), TYPE_FLOAT);
    EXPECT_EQ(four.tab_size, 3);
    EXPECT_EQ(four.flags, static_cast<DWORD>(P_VARIABLE_SIZE));
    EXPECT_EQ(four.local_name, 11);
    EXPECT_EQ(four.def.f, 0.25f);
    EXPECT_EQ(four.ctrl_count, 0);

    const ParamDef& six = desc.GetParamDef(6);
    EXPECT_TRUE(six.IsAnimatable());
    EXPECT_EQ(six.ctrl_type, TYPE_RADIO);
    EXPECT_EQ(six.ctrl_IDs, (std::vector<int>{100, 101}));
    EXPECT_EQ(six.RadioValue(1), 1) << "without p_vals a button's value is its position";
}

TEST(ParamBlockDesc, RegistersWithItsClassDescriptor) {
    TestClassDesc cd;
    ParamBlockDesc2 first(0, _M("first"), 0, &cd, 0, p_end);
    ParamBlockDesc2 second(5, _M("second"), 0, &cd, 0, p_end);
    ParamBlockDesc2 unowned(6, _M("unowned"), 0, nullptr, 0, p_end);
    EXPECT_EQ(cd.NumParamBlockDescs(), 2);
    EXPECT_EQ(cd.GetParamBlockDesc(0), &first);
    EXPECT_EQ(cd.GetParamBlockDesc(2), nullptr);
    EXPECT_EQ(cd.GetParamBlockDescByID(5), &second);
    EXPECT_EQ(cd.GetParamBlockDescByID(6), nullptr);
    EXPECT_EQ(cd.GetParamBlockDescByName(L"first"), &first);
}

TEST(ParamBlockDesc, RecordsUIInvalidationsAndTheDialogProcedure) {
    TestClassDesc cd;
    NullDlgProc proc;
    ParamBlockDesc2 desc(0, _M("blk"), 0, &cd, 0, 1, _M("x"), TYPE_FLOAT, 0, 0, p_end, p_end);
    cd.InvalidateUI(&desc, 1, -1);
    desc.InvalidateUI(1, 4);
    ASSERT_EQ(desc.GetUIInvalidations().size(), 2u);
    EXPECT_EQ(desc.GetUIInvalidations()[0].id, 1);
    EXPECT_EQ(desc.GetUIInvalidations()[0].tabIndex, -1);
    EXPECT_EQ(desc.GetUIInvalidations()[1].tabIndex, 4);
    desc.ClearUIInvalidations();
    EXPECT_TRUE(desc.GetUIInvalidations().empty());

    EXPECT_TRUE(cd.SetUserDlgProc(&desc, &proc));
    EXPECT_EQ(desc.GetUserDlgProc(), &proc);
    EXPECT_TRUE(cd.SetUserDlgProc(&desc, 0, nullptr));
    EXPECT_EQ(desc.GetUserDlgProc(), nullptr);
    EXPECT_FALSE(cd.SetUserDlgProc(nullptr, &proc));
}

TEST(ParamBlockDesc, MakeAutoParamBlocksBuildsOnlyAutomaticBlocks) {
    TestClassDesc cd;
    ParamBlockDesc2 manual(1, _M("manual"), 0, &cd, 0, p_end);
    ParamBlockDesc2 automatic(2, _M("auto"), 0, &cd, P_AUTO_CONSTRUCT, 0, p_end);
    RecordingOwner owner;
    cd.MakeAutoParamBlocks(&owner);
    ASSERT_NE(owner.block, nullptr);
    EXPECT_EQ(owner.block->GetDesc(), &automatic);
    EXPECT_EQ(owner.block->GetOwner(), &owner);
}

// A malformed list stops the program and says what is wrong.
TEST(ParamBlockDescDeathTest, MalformedListsAbortWithAMessage) {
    struct Case {
        const char* what;
        std::function<void()> build;
        const char* message;
    };
    // clang-format off
    const Case cases[] = {
        {"unknown tag",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0,
                                1, _M("x"), TYPE_FLOAT, 0, 0, 12345, p_end, p_end); },
         "\"x\": unknown tag"},
        {"parameter without its p_end",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0,
                                1, _M("x"), TYPE_FLOAT, 0, 0, p_default, 1.0f,
                                2, _M("y"), TYPE_FLOAT, 0, 0, p_end, p_end); },
         "parameter 1 \"x\": unknown tag, or a parameter without its p_end"},
        {"unknown type",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0,
                                1, _M("x"), 999, 0, 0, p_end, p_end); },
         "unknown parameter type"},
        {"duplicate ID",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0,
                                1, _M("x"), TYPE_INT, 0, 0, p_end,
                                1, _M("y"), TYPE_INT, 0, 0, p_end, p_end); },
         "duplicate parameter ID"},
        {"duplicate name",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0,
                                1, _M("x"), TYPE_INT, 0, 0, p_end,
                                2, _M("x"), TYPE_INT, 0, 0, p_end, p_end); },
         "duplicate internal name"},
        {"p_vals without radio buttons",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0,
                                1, _M("x"), TYPE_INT, 0, 0, p_vals, 0, 1, p_end, p_end); },
         "p_vals needs a TYPE_RADIO"},
        {"unknown control",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0,
                                1, _M("x"), TYPE_INT, 0, 0, p_ui, 77, p_end, p_end); },
         "unknown control type"},
        {"unknown edit type",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0,
                                1, _M("x"), TYPE_FLOAT, 0, 0,
                                p_ui, TYPE_SPINNER, 99, 1, 2, 1.0f, p_end, p_end); },
         "unknown spinner edit type"},
        {"inverted range",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0,
                                1, _M("x"), TYPE_FLOAT, 0, 0, p_range, 5.0f, 1.0f, p_end,
                                p_end); },
         "low limit above high limit"},
        {"default for a texture map",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0,
                                1, _M("x"), TYPE_TEXMAP, 0, 0, p_default, 0, p_end, p_end); },
         "takes no p_default"},
        {"unknown block flag",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0x4000, p_end); },
         "unknown block flags"},
        {"tag where a parameter ID belongs",
         [] { ParamBlockDesc2 d(0, _M("b"), 0, nullptr, 0, p_default, 1, p_end); },
         "expected a parameter ID or the final p_end"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DEATH(c.build(), c.message);
    }
}

}  // namespace
