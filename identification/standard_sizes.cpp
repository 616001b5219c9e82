#include "identification/standard_sizes.h"

#include "geometry/angles.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tamrel::identification {

namespace {

// ISO 54 modules, first and second choice (6.5 included, which the standard asks to avoid but
// gears have), with the usual values below 1 mm.
constexpr std::array<double, 47> Modules{
    0.3,  0.35, 0.4,  0.45, 0.5,  0.55, 0.6, 0.7, 0.75, 0.8, 0.9, 1,  1.125, 1.25, 1.375, 1.5,
    1.75, 2,    2.25, 2.5,  2.75, 3,    3.5, 4,   4.5,  5,   5.5, 6,  6.5,   7,    8,     9,
    10,   11,   12,   14,   16,   18,   20,  22,  25,   28,  32,  36, 40,    45,   50};
// The common diametral pitches, coarse and fine.
constexpr std::array<double, 30> DiametralPitches{1,  1.25, 1.5, 1.75, 2,  2.25, 2.5, 3,  3.5, 4,
                                                  5,  6,    7,   8,    9,  10,   11,  12, 14,  16,
                                                  18, 20,   22,  24,   28, 32,   36,  40, 48,  64};
constexpr std::array<double, 7> PressureAngles{14.5, 15, 17.5, 20, 22.5, 25, 30};
constexpr std::array<double, 5> Dedenda{1.25, 1.3, 1.35, 1.4, 1.5};
constexpr double DedendumReach = 0.1;

std::vector<StandardPair> makePairs() {
    std::vector<StandardPair> pairs;
    for (double angle : PressureAngles) {
        const double cosine = std::cos(RAD(angle));
        for (double mn : Modules) {
            pairs.push_back({System::Module, mn, 0, angle, PI * mn * cosine});
        }
        for (double dp : DiametralPitches) {
            const double mn = 25.4 / dp;
            pairs.push_back({System::DiametralPitch, mn, dp, angle, PI * mn * cosine});
        }
    }
    return pairs;
}

}  // namespace

const std::vector<StandardPair>& standardPairs() {
    static const std::vector<StandardPair> pairs = makePairs();
    return pairs;
}

std::optional<double> standardDedendum(double factor) {
    const double* nearest =
        std::min_element(Dedenda.begin(), Dedenda.end(), [factor](double x, double y) {
            return std::abs(x - factor) < std::abs(y - factor);
        });
    if (std::abs(*nearest - factor) <= DedendumReach) {
        return *nearest;
    }
    return std::nullopt;
}

}  // namespace tamrel::identification
