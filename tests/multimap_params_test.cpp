// The MultiMap parameter block `params` and the class descriptor it registers with.
#include <gtest/gtest.h>

#include <vector>

#include "DllEntry.h"
#include "MultiMapClassDesc.h"
#include "MultiMapParams.h"
#include "paramblock_test_support.h"
#include "resource.h"
#include "standin/ModuleResources.h"

namespace {

// One parameter as the block must describe it. Defaults and ranges are compared as floats or
// ints according to the type; a control count of 0 means no control.
struct Row {
    ParamID id;
    const wchar_t* name;
    ParamType2 type;
    DWORD flags;
    StringResID label;
    double def;
    bool hasRange;
    double lo, hi;
    int ctrlCount;
    ControlType2 ctrl;
    std::vector<int> ids;
    EditSpinnerType edit;
    float scale;
    std::vector<int> vals;
};

constexpr DWORD kAnim = P_ANIMATABLE;
constexpr DWORD kVar = P_VARIABLE_SIZE;
constexpr ControlType2 kSpin = TYPE_SPINNER;
constexpr ControlType2 kRadio = TYPE_RADIO;
constexpr EditSpinnerType kFloat = EDITTYPE_FLOAT;

// In definition order: 0 to 11, then 13, then 12, then 14 to 18.
// clang-format off
const std::vector<Row> kRows = {
    {pb_submaps, L"submaps", TYPE_TEXMAP_TAB, kVar, IDS_KEY_MAPS, 0, false, 0, 0, 0, kSpin, {}, kFloat, 0, {}},
    {pb_all_gamma, L"all_gamma", TYPE_FLOAT, kAnim, IDS_GENERAL_GAMMA, 1.0, true, 0, 100,
     2, kSpin, {IDC_ALL_GAMMA_EDIT, IDC_ALL_GAMMA_SPIN}, kFloat, 0.01f, {}},
    {pb_all_hue, L"all_hue", TYPE_FLOAT, kAnim, IDS_GENERAL_HUE, 0.0, true, -360, 360,
     2, kSpin, {IDC_ALL_HUE_EDIT, IDC_ALL_HUE_SPIN}, kFloat, 1.0f, {}},
    {pb_all_sat, L"all_sat", TYPE_FLOAT, kAnim, IDS_GENERAL_SATURATION, 100.0, true, 0, 10000,
     2, kSpin, {IDC_ALL_SAT_EDIT, IDC_ALL_SAT_SPIN}, kFloat, 1.0f, {}},
    {pb_rnd_gamma, L"rnd_gamma", TYPE_FLOAT, kAnim, IDS_RANDOM_GAMMA, 0.2, true, 0, 100,
     2, kSpin, {IDC_RND_GAMMA_EDIT, IDC_RND_GAMMA_SPIN}, kFloat, 0.01f, {}},
    {pb_rnd_hue, L"rnd_hue", TYPE_FLOAT, kAnim, IDS_RANDOM_HUE, 15.0, true, 0, 360,
     2, kSpin, {IDC_RND_HUE_EDIT, IDC_RND_HUE_SPIN}, kFloat, 1.0f, {}},
    {pb_rnd_sat, L"rnd_sat", TYPE_FLOAT, kAnim, IDS_RANDOM_SATURATION, 10.0, true, 0, 10000,
     2, kSpin, {IDC_RND_SAT_EDIT, IDC_RND_SAT_SPIN}, kFloat, 1.0f, {}},
    {pb_occ_gamma, L"occ_gamma", TYPE_FLOAT, kAnim, IDS_OCCURANCE_GAMMA, 50.0, true, 0, 100,
     2, kSpin, {IDC_OCC_GAMMA_EDIT, IDC_OCC_GAMMA_SPIN}, kFloat, 1.0f, {}},
    {pb_occ_hue, L"occ_hue", TYPE_FLOAT, kAnim, IDS_OCCURANCE_HUE, 50.0, true, 0, 100,
     2, kSpin, {IDC_OCC_HUE_EDIT, IDC_OCC_HUE_SPIN}, kFloat, 1.0f, {}},
    {pb_occ_sat, L"occ_sat", TYPE_FLOAT, kAnim, IDS_OCCURANCE_SATURATION, 50.0, true, 0, 100,
     2, kSpin, {IDC_OCC_SAT_EDIT, IDC_OCC_SAT_SPIN}, kFloat, 1.0f, {}},
    {pb_rnd_by, L"rnd_by", TYPE_INT, 0, IDS_RANDOMIZE_BY, 0, true, 0, 2,
     3, kRadio, {IDC_RND_MATERIAL_ID, IDC_RND_OBJECT, IDC_RND_TILE}, kFloat, 0, {0, 1, 2}},
    {pb_seed, L"seed", TYPE_INT, kAnim, IDS_RANDOM_SEED, 12345, true, 1, 99999,
     2, kSpin, {IDC_SEED_EDIT, IDC_SEED_SPIN}, EDITTYPE_POS_INT, SPIN_AUTOSCALE, {}},
    {pb_filtering, L"filtering", TYPE_INT, 0, IDS_FILTERING, 0, true, 0, 2,
     3, kRadio, {IDC_FILTER_PYRAMIDAL, IDC_FILTER_SUMMED_AREA, IDC_FILTER_NONE}, kFloat, 0, {0, 1, 2}},
    {pb_blur, L"blur", TYPE_FLOAT, kAnim, IDS_BLUR, 1.0, true, 0.01, 100,
     2, kSpin, {IDC_BLUR_EDIT, IDC_BLUR_SPIN}, kFloat, 0.01f, {}},
    {pb_sub_color, L"sub_color", TYPE_RGBA, kAnim, IDS_SUB_COLOR, 0.5, false, 0, 0,
     1, TYPE_COLORSWATCH, {IDC_SUB_COLOR}, kFloat, 0, {}},
    {pb_use_color, L"use_color", TYPE_BOOL, kAnim, IDS_USE_COLOR, 0, false, 0, 0,
     2, kRadio, {IDC_USE_TEXTURES, IDC_USE_COLOR}, kFloat, 0, {0, 1}},
    {pb_submap_on, L"submap_on", TYPE_BOOL_TAB, kVar, 0, 1, false, 0, 0, 0, kSpin, {}, kFloat, 0, {}},
    {pb_probability, L"probability", TYPE_INT_TAB, kVar, 0, 1, false, 0, 0, 0, kSpin, {}, kFloat, 0, {}},
    {pb_rotate, L"rotate", TYPE_ANGLE, kAnim, IDS_ROTATE, 0.0, true, 0, 360,
     2, kSpin, {IDC_ROTATE_EDIT, IDC_ROTATE_SPIN}, kFloat, 0.01f, {}},
};
// clang-format on

bool IsIntType(ParamType2 base) {
    return base == TYPE_INT || base == TYPE_BOOL;
}

TEST(MultiMapParams, TheBlockIsAutomaticWithItsRollout) {
    EXPECT_EQ(params.ID, 0);
    EXPECT_STREQ(params.int_name, L"params");
    EXPECT_EQ(params.local_name, 0);
    EXPECT_EQ(params.flags, P_AUTO_CONSTRUCT + P_AUTO_UI);
    EXPECT_EQ(params.version, 0u);
    EXPECT_EQ(params.ref_no, 0);
    EXPECT_EQ(params.dlg_template, 114);
    EXPECT_EQ(params.title, 4);
    EXPECT_EQ(params.test_flags, 0);
    EXPECT_EQ(params.rollup_flags, 0);
    EXPECT_EQ(params.dlgProc, nullptr);
    EXPECT_EQ(params.cd, GetMultiMapDesc());
    EXPECT_EQ(GetMultiMapDesc()->NumParamBlockDescs(), 1);
    EXPECT_EQ(GetMultiMapDesc()->GetParamBlockDescByID(0), &params);
}

TEST(MultiMapParams, EveryParameterIsDescribedAsTheMapExpects) {
    ASSERT_EQ(params.Count(), static_cast<int>(kRows.size()));
    for (int index = 0; index < params.Count(); ++index) {
        const Row& row = kRows[static_cast<std::size_t>(index)];
        SCOPED_TRACE(testing::Message() << "index " << index << ", ID " << row.id);
        ParamDef& def = params.GetParamDefByIndex(index);
        EXPECT_EQ(def.ID, row.id);
        EXPECT_STREQ(def.int_name, row.name);
        EXPECT_EQ(def.type, row.type);
        EXPECT_EQ(def.flags, row.flags);
        EXPECT_EQ(def.tab_size, 0);
        EXPECT_EQ(def.local_name, row.label);
        const ParamType2 base = def.BaseType();
        if (IsIntType(base)) {
            EXPECT_EQ(def.def.i, static_cast<int>(row.def));
        } else if (base == TYPE_RGBA) {
            EXPECT_EQ(def.def.c, Color(0.5f, 0.5f, 0.5f));
        } else {
            EXPECT_EQ(def.def.f, static_cast<float>(row.def));
        }
        EXPECT_EQ(def.has_range, row.hasRange);
        if (row.hasRange && IsIntType(base)) {
            EXPECT_EQ(def.range_low.i, static_cast<int>(row.lo));
            EXPECT_EQ(def.range_high.i, static_cast<int>(row.hi));
        } else if (row.hasRange) {
            EXPECT_EQ(def.range_low.f, static_cast<float>(row.lo));
            EXPECT_EQ(def.range_high.f, static_cast<float>(row.hi));
        }
        EXPECT_EQ(def.ctrl_count, row.ctrlCount);
        if (row.ctrlCount > 0) {
            EXPECT_EQ(def.ctrl_type, row.ctrl);
            EXPECT_EQ(def.ctrl_IDs, row.ids);
        }
        if (row.ctrlCount > 0 && row.ctrl == TYPE_SPINNER) {
            EXPECT_EQ(def.edit_type, row.edit);
            EXPECT_EQ(def.scale, row.scale);
        }
        for (std::size_t k = 0; k < row.vals.size(); ++k) {
            EXPECT_EQ(def.RadioValue(static_cast<int>(k)), row.vals[k]);
        }
        EXPECT_EQ(params.IDtoIndex(row.id), index);
    }
}

TEST(MultiMapParams, FilteringIsListedBeforeBlur) {
    EXPECT_EQ(params.IDtoIndex(pb_filtering), 12);
    EXPECT_EQ(params.IDtoIndex(pb_blur), 13);
}

TEST(MultiMapParams, TheHostBuildsTheBlockAsReferenceZeroAtTheDefaults) {
    RecordingOwner owner;
    GetMultiMapDesc()->MakeAutoParamBlocks(&owner);
    IParamBlock2* pb = owner.block;
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(owner.GetReference(kMultiMapParamsRef), pb);
    EXPECT_EQ(pb->ID(), kMultiMapParamsBlockID);
    EXPECT_EQ(pb->GetDesc(), &params);

    for (ParamID table : {pb_submaps, pb_submap_on, pb_probability}) {
        EXPECT_EQ(pb->Count(table), 0) << table;
    }
    EXPECT_EQ(pb->GetFloat(pb_rnd_gamma), 0.2f);
    EXPECT_EQ(pb->GetFloat(pb_rnd_hue), 15.0f);
    EXPECT_EQ(pb->GetFloat(pb_rnd_sat), 10.0f);
    EXPECT_EQ(pb->GetInt(pb_seed), 12345);
    EXPECT_EQ(pb->GetFloat(pb_rotate), 0.0f);
    EXPECT_EQ(pb->GetColor(pb_sub_color), Color(0.5f, 0.5f, 0.5f));
    EXPECT_EQ(pb->GetInt(pb_use_color), FALSE);

    // A map's Reset writes 0 into the random spreads; the default query still answers 0.2.
    pb->SetValue(pb_rnd_gamma, 0, 0.0f);
    EXPECT_EQ(pb->GetFloat(pb_rnd_gamma), 0.0f);
    EXPECT_EQ(params.GetParamDef(pb_rnd_gamma).def.f, 0.2f);
    EXPECT_EQ(params.GetParamDef(pb_rnd_hue).def.f, 15.0f);
    EXPECT_EQ(params.GetParamDef(pb_rnd_sat).def.f, 10.0f);

    pb->SetCount(pb_submap_on, 2);
    pb->SetCount(pb_probability, 2);
    EXPECT_EQ(pb->GetInt(pb_submap_on, 0, 1), TRUE);
    EXPECT_EQ(pb->GetInt(pb_probability, 0, 1), 1);
}

TEST(MultiMapParams, RotationEnteredInDegreesIsStoredInRadians) {
    RecordingOwner owner;
    GetMultiMapDesc()->MakeAutoParamBlocks(&owner);
    owner.block->SetValueEntered(pb_rotate, 0, 90.0f);
    EXPECT_EQ(owner.block->GetFloat(pb_rotate), 1.5707964f);
    owner.block->SetValueEntered(pb_seed, 0, 0);
    EXPECT_EQ(owner.block->GetInt(pb_seed), 1) << "the seed range starts at 1";
}

TEST(MultiMapClassDescTest, IdentifiesTheMapClass) {
    ClassDesc2* cd = GetMultiMapDesc();
    EXPECT_TRUE(cd->IsPublic());
    EXPECT_EQ(cd->SuperClassID(), 0xC10u);
    EXPECT_TRUE(cd->ClassID() == Class_ID(0x55C6D763, 0xC637BB2E));
    EXPECT_STREQ(cd->InternalName(), L"Kaleidra");
    EXPECT_STREQ(cd->NonLocalizedClassName(), L"Kaleidra");
    EXPECT_EQ(cd->Category(), TEXMAP_CAT_COMP);
    EXPECT_STREQ(cd->Category(), L"Compositors");

    static const int anchor = 0;
    const HINSTANCE saved = hInstance;
    hInstance = nullptr;
    EXPECT_EQ(cd->ClassName(), nullptr) << "no module handle, no string";
    DllMain(ModuleHandleOf(&anchor), DLL_PROCESS_ATTACH, nullptr);
    EXPECT_EQ(cd->HInstance(), hInstance);
    ASSERT_NE(cd->ClassName(), nullptr);
    EXPECT_STREQ(cd->ClassName(), L"Kaleidra");
    hInstance = saved;
}

TEST(MultiMapParams, LabelsReadTheirTextsFromTheStringTable) {
    struct Label {
        ParamID id;
        const wchar_t* text;
    };
    const Label labels[] = {
        {pb_submaps, L"Key maps"},
        {pb_all_gamma, L"General Gamma"},
        {pb_all_hue, L"General Hue"},
        {pb_all_sat, L"General Saturation"},
        {pb_rnd_gamma, L"Random Gamma"},
        {pb_rnd_hue, L"Random Hue"},
        {pb_rnd_sat, L"Random Saturation"},
        {pb_occ_gamma, L"Occurance Gamma"},
        {pb_occ_hue, L"Occurance Hue"},
        {pb_occ_sat, L"Occurance Saturation"},
        {pb_rnd_by, L"Randomize by"},
        {pb_seed, L"Random seed"},
        {pb_filtering, L"Filtering"},
        {pb_blur, L"Blur"},
        {pb_sub_color, L"Sub-texture Color"},
        {pb_use_color, L"Use Color"},
        {pb_rotate, L"Rotate"},
    };
    static const int anchor = 0;
    const HINSTANCE saved = hInstance;
    DllMain(ModuleHandleOf(&anchor), DLL_PROCESS_ATTACH, nullptr);
    for (const Label& label : labels) {
        const MCHAR* text = GetString(params.GetParamDef(label.id).local_name);
        ASSERT_NE(text, nullptr) << label.id;
        EXPECT_STREQ(text, label.text) << label.id;
    }
    // The two parallel lists have no label.
    EXPECT_EQ(params.GetParamDef(pb_submap_on).local_name, 0);
    EXPECT_EQ(params.GetParamDef(pb_probability).local_name, 0);
    hInstance = saved;
}

}  // namespace
