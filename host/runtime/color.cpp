#include <algorithm>
#include <cmath>

#include "acolor.h"
#include "color.h"
#include "hsv.h"

namespace {
// NaN passes through unchanged, as comparisons with it are false.
inline void ClampUnit(float& x) {
    if (x < 0.0f) {
        x = 0.0f;
    } else if (x > 1.0f) {
        x = 1.0f;
    }
}
}  // namespace

void Color::ClampMinMax() {
    ClampUnit(r), ClampUnit(g), ClampUnit(b);
}

void AColor::ClampMinMax() {
    ClampUnit(r), ClampUnit(g), ClampUnit(b), ClampUnit(a);
}

const Point3 Point3::Origin(0.0f, 0.0f, 0.0f);

Color RGBtoHSV(Color rgb) {
    const float maxc = std::max(rgb.r, std::max(rgb.g, rgb.b));
    const float minc = std::min(rgb.r, std::min(rgb.g, rgb.b));
    const float delta = maxc - minc;
    const float v = maxc;
    const float s = maxc > 0.0f ? delta / maxc : 0.0f;
    float h = 0.0f;
    if (s > 0.0f && delta > 0.0f) {
        if (rgb.r == maxc) {
            h = (rgb.g - rgb.b) / delta;
        } else if (rgb.g == maxc) {
            h = 2.0f + (rgb.b - rgb.r) / delta;
        } else {
            h = 4.0f + (rgb.r - rgb.g) / delta;
        }
        h /= 6.0f;
        if (h < 0.0f) {
            h += 1.0f;
        }
    }
    return Color(h, s, v);
}

Color HSVtoRGB(Color hsv) {
    const float v = hsv.b;
    const float s = hsv.g;
    if (!(s > 0.0f)) {
        return Color(v, v, v);
    }
    // A hue of 1 is the same as 0; anything outside [0, 1) or NaN falls back to red.
    float h6 = hsv.r * 6.0f;
    if (!(h6 >= 0.0f && h6 < 6.0f)) {
        h6 = 0.0f;
    }
    const int sector = static_cast<int>(h6);
    const float f = h6 - static_cast<float>(sector);
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - s * f);
    const float t = v * (1.0f - s * (1.0f - f));
    switch (sector) {
        case 0:
            return Color(v, t, p);
        case 1:
            return Color(q, v, p);
        case 2:
            return Color(p, v, t);
        case 3:
            return Color(p, q, v);
        case 4:
            return Color(t, p, v);
        default:
            return Color(v, p, q);
    }
}
