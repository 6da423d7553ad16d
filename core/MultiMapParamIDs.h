// Parameter IDs of a MultiMap's block "params". They are saved with every scene: never renumber.
#pragma once

#include "maxtypes.h"

enum MultiMapParamID : ParamID {
    pb_submaps = 0,
    pb_all_gamma = 1,
    pb_all_hue = 2,
    pb_all_sat = 3,
    pb_rnd_gamma = 4,
    pb_rnd_hue = 5,
    pb_rnd_sat = 6,
    pb_occ_gamma = 7,
    pb_occ_hue = 8,
    pb_occ_sat = 9,
    pb_rnd_by = 10,
    pb_seed = 11,
    pb_blur = 12,
    pb_filtering = 13,
    pb_sub_color = 14,
    pb_use_color = 15,
    pb_submap_on = 16,
    pb_probability = 17,
    pb_rotate = 18,
};

// The block's ID and the map's reference that holds it.
constexpr BlockID kMultiMapParamsBlockID = 0;
constexpr int kMultiMapParamsRef = 0;
