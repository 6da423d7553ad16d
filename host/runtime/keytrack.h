// The animation of one parameter value: keys in time order, interpolated linearly (integers
// rounded to the nearest) or held until the next key (booleans).
#pragma once

#include <vector>

#include "interval.h"
#include "iparamb2.h"

class KeyTrack {
public:
    bool Empty() const { return keys.empty(); }
    int Count() const { return static_cast<int>(keys.size()); }
    TimeValue KeyTime(int k) const;

    // Adds a key at t, or replaces the value of the key already there.
    void SetKey(TimeValue t, const PB2Value& v);
    void Clear() { keys.clear(); }

    // The value at t of a parameter of base type `base`. Before the first key the first key's
    // value holds, after the last the last's.
    PB2Value Value(TimeValue t, ParamType2 base) const;
    // The largest interval around t over which Value stays what it is at t: the instant t
    // where the value is changing, the span of equal neighbouring keys, open-ended before the
    // first and after the last key.
    Interval Validity(TimeValue t, ParamType2 base) const;

    // Shifts every key by to - from (channel by channel for colours).
    void Offset(const PB2Value& from, const PB2Value& to, ParamType2 base);
    // Gives every key the value v.
    void SetAll(const PB2Value& v);

private:
    struct Key {
        TimeValue t;
        PB2Value v;
    };

    Interval LinearValidity(TimeValue t, ParamType2 base) const;
    Interval StepValidity(TimeValue t, ParamType2 base) const;

    std::vector<Key> keys;
};
