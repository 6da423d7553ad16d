// The sample generator: the linear congruential recurrence of the platform runtime's
// srand/rand. It lives on the caller's stack, so render threads never share a state and a
// nested map that reseeds its own generator cannot disturb the caller's draws.
#pragma once

#include <cstdint>

class SampleRandom {
public:
    explicit SampleRandom(std::uint32_t seed) : state(seed) {}

    // The next draw, an integer in [0, 32767].
    int Next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFFu);
    }

    static constexpr int kMaxDraw = 32767;

private:
    std::uint32_t state;
};
