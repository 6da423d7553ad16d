#include "keytrack.h"

#include <algorithm>
#include <cmath>

namespace {

bool SameValue(const PB2Value& a, const PB2Value& b, ParamType2 base) {
    switch (base) {
        case TYPE_INT:
        case TYPE_BOOL:
            return a.i == b.i;
        case TYPE_RGBA:
        case TYPE_POINT3:
            return a.c == b.c;
        default:
            return a.f == b.f;
    }
}

float Lerp(float a, float b, double u) {
    return static_cast<float>(static_cast<double>(a) +
                              (static_cast<double>(b) - static_cast<double>(a)) * u);
}

PB2Value Interpolate(const PB2Value& a, const PB2Value& b, double u, ParamType2 base) {
    PB2Value r = a;
    switch (base) {
        case TYPE_BOOL:
            break;
        case TYPE_INT:
            r.i = static_cast<int>(
                std::lround(static_cast<double>(a.i) + (static_cast<double>(b.i) - a.i) * u));
            break;
        case TYPE_RGBA:
        case TYPE_POINT3:
            r.c = Color(Lerp(a.c.r, b.c.r, u), Lerp(a.c.g, b.c.g, u), Lerp(a.c.b, b.c.b, u));
            break;
        default:
            r.f = Lerp(a.f, b.f, u);
            break;
    }
    return r;
}

}  // namespace

TimeValue KeyTrack::KeyTime(int k) const {
    if (k < 0 || k >= Count()) {
        return TIME_NegInfinity;
    }
    return keys[static_cast<std::size_t>(k)].t;
}

void KeyTrack::SetKey(TimeValue t, const PB2Value& v) {
    auto it = std::lower_bound(keys.begin(), keys.end(), t,
                               [](const Key& k, TimeValue time) { return k.t < time; });
    if (it != keys.end() && it->t == t) {
        it->v = v;
    } else {
        keys.insert(it, Key{t, v});
    }
}

PB2Value KeyTrack::Value(TimeValue t, ParamType2 base) const {
    if (keys.empty()) {
        return PB2Value();
    }
    if (t <= keys.front().t) {
        return keys.front().v;
    }
    if (t >= keys.back().t) {
        return keys.back().v;
    }
    auto next = std::upper_bound(keys.begin(), keys.end(), t,
                                 [](TimeValue time, const Key& k) { return time < k.t; });
    const Key& b = *next;
    const Key& a = *(next - 1);
    const double u = (static_cast<double>(t) - a.t) / (static_cast<double>(b.t) - a.t);
    return Interpolate(a.v, b.v, u, base);
}

Interval KeyTrack::Validity(TimeValue t, ParamType2 base) const {
    if (keys.empty()) {
        return FOREVER;
    }
    return base == TYPE_BOOL ? StepValidity(t, base) : LinearValidity(t, base);
}

// Segment j runs from key j to key j + 1; segment -1 is everything before the first key and
// segment n - 1 everything after the last, both flat. The value is constant exactly on runs of
// flat segments, so t's interval is the run of flat segments containing t, or t alone.
Interval KeyTrack::LinearValidity(TimeValue t, ParamType2 base) const {
    const int n = Count();
    auto key = [this](int k) -> const Key& { return keys[static_cast<std::size_t>(k)]; };
    auto flat = [&](int j) {
        return j < 0 || j >= n - 1 || SameValue(key(j).v, key(j + 1).v, base);
    };
    auto start = [&](int j) { return j < 0 ? TIME_NegInfinity : key(j).t; };
    auto end = [&](int j) { return j >= n - 1 ? TIME_PosInfinity : key(j + 1).t; };
    int lo = n;
    int hi = -2;
    for (int j = -1; j < n; ++j) {
        if (start(j) <= t && t <= end(j) && flat(j)) {
            lo = std::min(lo, j);
            hi = std::max(hi, j);
        }
    }
    if (hi < lo) {
        return Interval(t, t);
    }
    while (lo > -1 && flat(lo - 1)) {
        --lo;
    }
    while (hi < n - 1 && flat(hi + 1)) {
        ++hi;
    }
    return Interval(start(lo), end(hi));
}

// Piece p holds key p's value from key p up to just before key p + 1; piece 0 also covers
// everything before the first key. Equal neighbouring pieces merge.
Interval KeyTrack::StepValidity(TimeValue t, ParamType2 base) const {
    const int n = Count();
    auto key = [this](int k) -> const Key& { return keys[static_cast<std::size_t>(k)]; };
    int p = 0;
    while (p + 1 < n && key(p + 1).t <= t) {
        ++p;
    }
    int lo = p;
    int hi = p;
    while (lo > 0 && SameValue(key(lo - 1).v, key(p).v, base)) {
        --lo;
    }
    while (hi + 1 < n && SameValue(key(hi + 1).v, key(p).v, base)) {
        ++hi;
    }
    return Interval(lo == 0 ? TIME_NegInfinity : key(lo).t,
                    hi == n - 1 ? TIME_PosInfinity : key(hi + 1).t - 1);
}

void KeyTrack::Offset(const PB2Value& from, const PB2Value& to, ParamType2 base) {
    for (Key& k : keys) {
        switch (base) {
            case TYPE_INT:
            case TYPE_BOOL:
                k.v.i += to.i - from.i;
                break;
            case TYPE_RGBA:
            case TYPE_POINT3:
                k.v.c = Color(k.v.c.r + (to.c.r - from.c.r), k.v.c.g + (to.c.g - from.c.g),
                              k.v.c.b + (to.c.b - from.c.b));
                break;
            default:
                k.v.f += to.f - from.f;
                break;
        }
    }
}

void KeyTrack::SetAll(const PB2Value& v) {
    for (Key& k : keys) {
        k.v = v;
    }
}
