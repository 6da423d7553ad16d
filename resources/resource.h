// Resource identifiers of the plug-in: shared by the .rc file, the plug-in's code and the tests.
#pragma once

// Dialog template of the material-editor rollout.
#define IDD_KALEIDRA_PANEL 114
// The logo shown at the bottom of the rollout (318 x 56, 24-bit).
#define IDB_LOGO 103
// The texture-manager window's script, resource type "MAXSCRIPT".
#define IDR_LISTVIEW_SCRIPT 253

// String table.
#define IDS_LIBDESCRIPTION 1
#define IDS_PARAMS 4
#define IDS_RANDOM_SEED 50
#define IDS_KEY_MAPS 146
#define IDS_CLASS_NAME 252
#define IDS_GENERAL_GAMMA 253
#define IDS_GENERAL_HUE 254
#define IDS_RANDOM_GAMMA 255
#define IDS_RANDOM_HUE 256
#define IDS_RANDOM_SATURATION 257
#define IDS_OCCURANCE_GAMMA 258
#define IDS_OCCURANCE_HUE 259
#define IDS_OCCURANCE_SATURATION 260
#define IDS_RANDOMIZE_BY 261
#define IDS_BLUR 263
#define IDS_FILTERING 264
#define IDS_GENERAL_SATURATION 265
#define IDS_SUB_COLOR 1076
#define IDS_USE_COLOR 1077
#define IDS_ROTATE 1078

// Rollout controls.
#define IDC_MANAGE_TEXTURES 1001
#define IDC_RND_MATERIAL_ID 1002
#define IDC_RND_OBJECT 1003
#define IDC_USE_TEXTURES 1005
#define IDC_FILTER_PYRAMIDAL 1006
#define IDC_LOGO 1007
#define IDC_FILTER_SUMMED_AREA 1008
#define IDC_FILTER_NONE 1009
#define IDC_RND_TILE 1010
#define IDC_SEED_EDIT 1015
#define IDC_SEED_SPIN 1017
#define IDC_SUB_COLOR 1079
#define IDC_USE_COLOR 1082
#define IDC_ALL_GAMMA_EDIT 1490
#define IDC_ALL_HUE_EDIT 1491
#define IDC_ALL_SAT_EDIT 1492
#define IDC_RND_GAMMA_EDIT 1493
#define IDC_RND_HUE_EDIT 1494
#define IDC_RND_SAT_EDIT 1495
#define IDC_ALL_GAMMA_SPIN 1496
#define IDC_ALL_HUE_SPIN 1497
#define IDC_ALL_SAT_SPIN 1498
#define IDC_RND_GAMMA_SPIN 1499
#define IDC_RND_HUE_SPIN 1500
#define IDC_RND_SAT_SPIN 1501
#define IDC_OCC_GAMMA_EDIT 1502
#define IDC_OCC_GAMMA_SPIN 1503
#define IDC_OCC_HUE_EDIT 1504
#define IDC_OCC_HUE_SPIN 1505
#define IDC_OCC_SAT_EDIT 1506
#define IDC_OCC_SAT_SPIN 1507
#define IDC_BLUR_EDIT 1510
#define IDC_BLUR_SPIN 1511
#define IDC_ROTATE_EDIT 1512
#define IDC_ROTATE_SPIN 1513
