#include "WoodTexture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

struct Species {
    float light[3];
    float dark[3];
    float rings;  // grain stripes across the board
    int knots;
};

// Oak, walnut, cherry, ash, teak, maple.
constexpr Species kSpecies[kWoodSpecies] = {
    {{0.80f, 0.62f, 0.41f}, {0.56f, 0.39f, 0.22f}, 7.0f, 1},
    {{0.47f, 0.32f, 0.21f}, {0.27f, 0.17f, 0.10f}, 9.0f, 2},
    {{0.74f, 0.45f, 0.30f}, {0.52f, 0.28f, 0.17f}, 6.0f, 1},
    {{0.87f, 0.78f, 0.62f}, {0.66f, 0.55f, 0.39f}, 11.0f, 0},
    {{0.68f, 0.48f, 0.27f}, {0.47f, 0.31f, 0.15f}, 8.0f, 2},
    {{0.91f, 0.80f, 0.62f}, {0.76f, 0.62f, 0.43f}, 5.0f, 1},
};

constexpr double kPi = 3.14159265358979323846;

std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::uint32_t h =
        a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double Random01(std::uint32_t seed, std::uint32_t i, std::uint32_t j) {
    return Hash(seed, i, j) / 4294967296.0;
}

// Smooth value noise in [0, 1], periodic in x with the given period (in lattice cells) so that
// nothing jumps where a texture is tiled along the board.
double ValueNoise(std::uint32_t seed, double x, double y, int periodX) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const double tx = x - fx;
    const double ty = y - fy;
    const double sx = tx * tx * (3.0 - 2.0 * tx);
    const double sy = ty * ty * (3.0 - 2.0 * ty);
    auto lattice = [&](double ix, double iy) {
        const long long wrapped = static_cast<long long>(ix) % periodX;
        const auto i = static_cast<std::uint32_t>(wrapped < 0 ? wrapped + periodX : wrapped);
        return Random01(seed, i, static_cast<std::uint32_t>(static_cast<long long>(iy)));
    };
    const double a = lattice(fx, fy) + (lattice(fx + 1, fy) - lattice(fx, fy)) * sx;
    const double b = lattice(fx, fy + 1) + (lattice(fx + 1, fy + 1) - lattice(fx, fy + 1)) * sx;
    return a + (b - a) * sy;
}

double Fbm(std::uint32_t seed, double x, double y, int periodX) {
    double sum = 0.0;
    double amplitude = 0.5;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * ValueNoise(seed + static_cast<std::uint32_t>(octave), x, y, periodX);
        x *= 2.0;
        y *= 2.0;
        periodX *= 2;
        amplitude *= 0.5;
    }
    return sum / 0.9375;
}

float Mix(float a, float b, double t) {
    return static_cast<float>(a + (b - a) * t);
}

}  // namespace

Image MakeWoodTexture(int index) {
    const Species& species = kSpecies[index];
    const auto seed = static_cast<std::uint32_t>(1000 + index * 7919);
    Image image(kWoodWidth, kWoodHeight);

    struct Knot {
        double x, y, radius;
    };
    Knot knots[2];
    for (int k = 0; k < species.knots; ++k) {
        const auto kk = static_cast<std::uint32_t>(k);
        knots[k] = {(0.2 + 0.6 * Random01(seed, 101, kk)) * kWoodWidth,
                    (0.25 + 0.5 * Random01(seed, 102, kk)) * kWoodHeight,
                    (0.05 + 0.04 * Random01(seed, 103, kk)) * kWoodHeight};
    }

    for (int y = 0; y < kWoodHeight; ++y) {
        for (int x = 0; x < kWoodWidth; ++x) {
            const double u = static_cast<double>(x) / kWoodWidth;
            const double v = static_cast<double>(y) / kWoodHeight;
            // Growth rings cut lengthwise: stripes across v that drift slowly along u.
            double t = v * species.rings + 1.6 * Fbm(seed, u * 3.0, v * 2.0, 3);
            double knotShade = 0.0;
            for (int k = 0; k < species.knots; ++k) {
                const double dx = (x - knots[k].x) / (knots[k].radius * 2.2);
                const double dy = (y - knots[k].y) / knots[k].radius;
                const double d2 = dx * dx + dy * dy;
                t += 2.5 * std::exp(-d2 * 0.35);  // the grain swirls around the knot
                if (d2 < 1.0) {
                    const double d = std::sqrt(d2);
                    knotShade = std::max(knotShade, (1.0 - d) * (0.75 + 0.25 * std::sin(d * 18.0)));
                }
            }
            const double stripe = std::pow(0.5 + 0.5 * std::sin(2.0 * kPi * t), 2.5);
            const double fibre = ValueNoise(seed + 17, u * 160.0, v * 48.0, 160);
            const double blotch = Fbm(seed + 31, u * 4.0, v * 3.0, 4);
            double dark = 0.65 * stripe + 0.25 * blotch + 0.12 * fibre;
            dark = std::min(1.0, dark);
            float* p = image.Pixel(x, y);
            for (int c = 0; c < 3; ++c) {
                float value = Mix(species.light[c], species.dark[c], dark);
                value = Mix(value, species.dark[c] * 0.55f, std::min(1.0, knotShade));
                p[c] = value;
            }
            p[3] = 1.0f;
        }
    }
    return image;
}
