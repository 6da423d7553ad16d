#include "BarChart.h"

#include <algorithm>

namespace {

constexpr int kMargin = 20;
constexpr int kBarWidth = 12;
constexpr int kGroupGap = 12;
constexpr int kPlotHeight = 200;

void FillRect(Image8& image, int x0, int y0, int x1, int y1,
              const std::array<std::uint8_t, 3>& colour) {
    for (int y = std::max(0, y0); y < std::min(image.height, y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(image.width, x1); ++x) {
            const std::size_t at =
                (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                 static_cast<std::size_t>(x)) *
                3;
            std::copy(colour.begin(), colour.end(),
                      image.pixels.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
}

}  // namespace

Image8 DrawBarChart(const std::vector<std::array<double, 3>>& groups) {
    const int groupWidth = 3 * kBarWidth + kGroupGap;
    Image8 image;
    image.width = std::max(320, 2 * kMargin + static_cast<int>(groups.size()) * groupWidth);
    image.height = kPlotHeight + 2 * kMargin;
    image.channels = 3;
    image.pixels.assign(
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3, 255);
    const int base = kMargin + kPlotHeight;  // the row of the value 0
    for (int tenth = 0; tenth <= 10; ++tenth) {
        const int y = base - tenth * kPlotHeight / 10;
        const std::uint8_t grey = tenth % 5 == 0 ? 160 : 220;
        FillRect(image, kMargin, y, image.width - kMargin, y + 1, {grey, grey, grey});
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const int left = kMargin + kGroupGap / 2 + static_cast<int>(g) * groupWidth;
        for (std::size_t b = 0; b < 3; ++b) {
            const double value = std::clamp(groups[g][b], 0.0, 1.0);
            const int top = base - static_cast<int>(value * kPlotHeight + 0.5);
            const int x = left + static_cast<int>(b) * kBarWidth;
            FillRect(image, x, top, x + kBarWidth - 1, base, kBarColours[b]);
        }
    }
    return image;
}
