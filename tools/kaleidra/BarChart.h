// A bar chart drawn into an RGB image: groups of bars side by side over a light grid, without
// text (the table printed beside it carries the numbers).
#pragma once

#include <array>
#include <vector>

#include "ImageOutput.h"

// The colours of the bars of a group, in order.
constexpr std::array<std::array<std::uint8_t, 3>, 3> kBarColours{
    {{{70, 110, 200}}, {{230, 150, 40}}, {{60, 170, 90}}}};

// One group per element of groups, each holding three values in [0, 1] (clamped), drawn as
// bars of kBarColours left to right; horizontal grid lines at every 10 %. The image is at
// least 320 x 240 and widens with the number of groups.
Image8 DrawBarChart(const std::vector<std::array<double, 3>>& groups);
