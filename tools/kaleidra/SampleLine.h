// One sample of `kaleidra eval`, read from a JSON line.
#pragma once

#include <array>
#include <string>

struct SampleLine {
    int mtlNum = 0;                     // the material ID
    int node = 0;                       // the scene node's handle
    float uvw99 = 0.0f;                 // the tile value: third coordinate of channel 99
    std::array<float, 3> uvw{0, 0, 0};  // channel 0
    int time = 0;                       // in ticks
};

// Parses {"mtlNum":int,"node":int,"uvw99":number,"uvw":[u,v,w],"time":int}; missing fields
// stay 0. Throws std::runtime_error saying what is wrong (not JSON, not an object, a field of
// the wrong type or out of range, a field this format does not have).
SampleLine ParseSampleLine(const std::string& text);
