// A closed interval of times. Empty (never valid) is (TIME_NegInfinity, TIME_NegInfinity);
// forever is (TIME_NegInfinity, TIME_PosInfinity). A cache is invalidated by emptying it.
#pragma once

#include <algorithm>

#include "maxheap.h"
#include "maxtypes.h"

class Interval : public MaxHeapOperators {
public:
    Interval(TimeValue s, TimeValue e) : start(s), end(e) {}
    // A default interval is empty.
    Interval() { SetEmpty(); }

    void Set(TimeValue s, TimeValue e) { start = s, end = e; }
    void SetStart(TimeValue s) { start = s; }
    void SetEnd(TimeValue e) { end = e; }
    void SetEmpty() { start = end = TIME_NegInfinity; }
    void SetInfinite() { start = TIME_NegInfinity, end = TIME_PosInfinity; }
    void SetInstant(TimeValue t) { start = end = t; }

    TimeValue Start() const { return start; }
    TimeValue End() const { return end; }

    // True for the empty value and for any interval whose start lies after its end.
    int Empty() const {
        return (start == TIME_NegInfinity && end == TIME_NegInfinity) || start > end;
    }
    int IsInfinite() const { return start == TIME_NegInfinity && end == TIME_PosInfinity; }

    // Membership; the empty interval contains no time, not even TIME_NegInfinity.
    int InInterval(TimeValue t) const { return !Empty() && t >= start && t <= end; }
    int InInterval(const Interval& i) const {
        return !Empty() && !i.Empty() && i.start >= start && i.end <= end;
    }

    // Intersection; empty when the two do not overlap.
    Interval operator&(const Interval& i) const {
        if (Empty() || i.Empty()) {
            return Interval();
        }
        Interval r(std::max(start, i.start), std::min(end, i.end));
        return r.start > r.end ? Interval() : r;
    }
    Interval& operator&=(const Interval& i) { return *this = *this & i; }

    // Extends the interval to include t.
    Interval& operator+=(TimeValue t) {
        if (Empty()) {
            SetInstant(t);
        } else {
            start = std::min(start, t), end = std::max(end, t);
        }
        return *this;
    }

    int operator==(const Interval& i) const {
        return (Empty() && i.Empty()) || (start == i.start && end == i.end);
    }
    int operator!=(const Interval& i) const { return !(*this == i); }

private:
    TimeValue start, end;
};

#define FOREVER Interval(TIME_NegInfinity, TIME_PosInfinity)
#define NEVER Interval(TIME_NegInfinity, TIME_NegInfinity)
