#include "MultiMapParams.h"

#include "MultiMapClassDesc.h"
#include "resource.h"

// Definition order is the block's index order: filtering (13) comes before blur (12). The
// three random spreads default to 0.2, 15 and 10, although a reset map holds 0. Angles are
// written in degrees.
// clang-format off
ParamBlockDesc2 params(
    kMultiMapParamsBlockID, _M("params"), 0, GetMultiMapDesc(), P_AUTO_CONSTRUCT + P_AUTO_UI,
    kMultiMapParamsRef,
    IDD_KALEIDRA_PANEL, IDS_PARAMS, 0, 0, nullptr,

    pb_submaps, _M("submaps"), TYPE_TEXMAP_TAB, 0, P_VARIABLE_SIZE, IDS_KEY_MAPS,
    p_end,

    pb_all_gamma, _M("all_gamma"), TYPE_FLOAT, P_ANIMATABLE, IDS_GENERAL_GAMMA,
    p_default, 1.0f, p_range, 0.0f, 100.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_ALL_GAMMA_EDIT, IDC_ALL_GAMMA_SPIN, 0.01f,
    p_end,

    pb_all_hue, _M("all_hue"), TYPE_FLOAT, P_ANIMATABLE, IDS_GENERAL_HUE,
    p_default, 0.0f, p_range, -360.0f, 360.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_ALL_HUE_EDIT, IDC_ALL_HUE_SPIN, 1.0f,
    p_end,

    pb_all_sat, _M("all_sat"), TYPE_FLOAT, P_ANIMATABLE, IDS_GENERAL_SATURATION,
    p_default, 100.0f, p_range, 0.0f, 10000.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_ALL_SAT_EDIT, IDC_ALL_SAT_SPIN, 1.0f,
    p_end,

    pb_rnd_gamma, _M("rnd_gamma"), TYPE_FLOAT, P_ANIMATABLE, IDS_RANDOM_GAMMA,
    p_default, 0.2f, p_range, 0.0f, 100.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_RND_GAMMA_EDIT, IDC_RND_GAMMA_SPIN, 0.01f,
    p_end,

    pb_rnd_hue, _M("rnd_hue"), TYPE_FLOAT, P_ANIMATABLE, IDS_RANDOM_HUE,
    p_default, 15.0f, p_range, 0.0f, 360.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_RND_HUE_EDIT, IDC_RND_HUE_SPIN, 1.0f,
    p_end,

    pb_rnd_sat, _M("rnd_sat"), TYPE_FLOAT, P_ANIMATABLE, IDS_RANDOM_SATURATION,
    p_default, 10.0f, p_range, 0.0f, 10000.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_RND_SAT_EDIT, IDC_RND_SAT_SPIN, 1.0f,
    p_end,

    pb_occ_gamma, _M("occ_gamma"), TYPE_FLOAT, P_ANIMATABLE, IDS_OCCURANCE_GAMMA,
    p_default, 50.0f, p_range, 0.0f, 100.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_OCC_GAMMA_EDIT, IDC_OCC_GAMMA_SPIN, 1.0f,
    p_end,

    pb_occ_hue, _M("occ_hue"), TYPE_FLOAT, P_ANIMATABLE, IDS_OCCURANCE_HUE,
    p_default, 50.0f, p_range, 0.0f, 100.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_OCC_HUE_EDIT, IDC_OCC_HUE_SPIN, 1.0f,
    p_end,

    pb_occ_sat, _M("occ_sat"), TYPE_FLOAT, P_ANIMATABLE, IDS_OCCURANCE_SATURATION,
    p_default, 50.0f, p_range, 0.0f, 100.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_OCC_SAT_EDIT, IDC_OCC_SAT_SPIN, 1.0f,
    p_end,

    pb_rnd_by, _M("rnd_by"), TYPE_INT, 0, IDS_RANDOMIZE_BY,
    p_default, 0, p_range, 0, 2,
    p_ui, TYPE_RADIO, 3, IDC_RND_MATERIAL_ID, IDC_RND_OBJECT, IDC_RND_TILE,
    p_vals, 0, 1, 2,
    p_end,

    pb_seed, _M("seed"), TYPE_INT, P_ANIMATABLE, IDS_RANDOM_SEED,
    p_default, 12345, p_range, 1, 99999,
    p_ui, TYPE_SPINNER, EDITTYPE_POS_INT, IDC_SEED_EDIT, IDC_SEED_SPIN, SPIN_AUTOSCALE,
    p_end,

    pb_filtering, _M("filtering"), TYPE_INT, 0, IDS_FILTERING,
    p_default, 0, p_range, 0, 2,
    p_ui, TYPE_RADIO, 3, IDC_FILTER_PYRAMIDAL, IDC_FILTER_SUMMED_AREA, IDC_FILTER_NONE,
    p_vals, 0, 1, 2,
    p_end,

    pb_blur, _M("blur"), TYPE_FLOAT, P_ANIMATABLE, IDS_BLUR,
    p_default, 1.0f, p_range, 0.01f, 100.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_BLUR_EDIT, IDC_BLUR_SPIN, 0.01f,
    p_end,

    pb_sub_color, _M("sub_color"), TYPE_RGBA, P_ANIMATABLE, IDS_SUB_COLOR,
    p_default, Color(0.5f, 0.5f, 0.5f),
    p_ui, TYPE_COLORSWATCH, IDC_SUB_COLOR,
    p_end,

    pb_use_color, _M("use_color"), TYPE_BOOL, P_ANIMATABLE, IDS_USE_COLOR,
    p_default, FALSE,
    p_ui, TYPE_RADIO, 2, IDC_USE_TEXTURES, IDC_USE_COLOR,
    p_vals, 0, 1,
    p_end,

    pb_submap_on, _M("submap_on"), TYPE_BOOL_TAB, 0, P_VARIABLE_SIZE, 0,
    p_default, TRUE,
    p_end,

    pb_probability, _M("probability"), TYPE_INT_TAB, 0, P_VARIABLE_SIZE, 0,
    p_default, 1,
    p_end,

    pb_rotate, _M("rotate"), TYPE_ANGLE, P_ANIMATABLE, IDS_ROTATE,
    p_range, 0.0f, 360.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_ROTATE_EDIT, IDC_ROTATE_SPIN, 0.01f,
    p_end,

    p_end);
// clang-format on
