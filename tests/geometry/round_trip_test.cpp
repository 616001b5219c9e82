#include "default_gear.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

#include <random>

namespace tamrel {
namespace {

struct RandomGear {
    testing::Transverse transverse;
    double beta;
    std::int16_t z;
    std::int16_t k;
    double dp;
    double xn;
};

// Spur and helical, external and internal, odd and even tooth counts, from a fixed seed.
class GearSource {
public:
    RandomGear next() {
        const double mn = uniform(0.5, 12);
        const double alphaN = uniform(14.5, 30);
        const double betaDegrees = coin() ? 0 : uniform(-40, 40);
        auto z = static_cast<std::int16_t>(std::uniform_int_distribution<int>(8, 400)(engine_));
        if (coin()) {
            z = static_cast<std::int16_t>(-z);
        }
        const auto k = static_cast<std::int16_t>(std::uniform_int_distribution<int>(2, 9)(engine_));
        return {testing::transverse(mn, alphaN, betaDegrees),
                RAD(betaDegrees),
                z,
                k,
                mn * uniform(1.4, 2.0),
                uniform(-0.5, 1.0)};
    }

private:
    double uniform(double lo, double hi) {
        return std::uniform_real_distribution<>(lo, hi)(engine_);
    }
    bool coin() { return std::bernoulli_distribution(0.5)(engine_); }
    std::mt19937_64 engine_{20261206};
};

constexpr int GearCount = 20000;

TEST(RoundTrip, SpanMeasurementGivesBackTheProfileShift) {
    GearSource source;
    for (int i = 0; i < GearCount; ++i) {
        const auto g = source.next();
        const auto [MS, PS] = g.transverse;
        const double w = XnToSM(MS, PS, g.z, g.beta, g.k, g.xn);
        ASSERT_NEAR(XnFromSM(MS, PS, g.z, g.beta, g.k, w), g.xn, 1e-12) << "gear " << i;
    }
}

TEST(RoundTrip, ToothThicknessGivesBackTheProfileShift) {
    GearSource source;
    for (int i = 0; i < GearCount; ++i) {
        const auto g = source.next();
        const auto [MS, PS] = g.transverse;
        const double sn = XnToSN(MS, PS, g.beta, g.xn, g.z);
        ASSERT_NEAR(XnFromSN(MS, PS, g.beta, sn, g.z), g.xn, 1e-12) << "gear " << i;
    }
}

TEST(RoundTrip, DimensionOverPinsGivesBackTheProfileShiftWhereDefined) {
    GearSource source;
    int defined = 0;
    for (int i = 0; i < GearCount; ++i) {
        const auto g = source.next();
        const auto [MS, PS] = g.transverse;
        const double m = XnToDM(MS, PS, g.z, g.beta, g.dp, g.xn);
        if (m == NoPinMeasure) {
            continue;
        }
        ++defined;
        ASSERT_NEAR(XnFromDM(MS, PS, g.z, g.beta, g.dp, m), g.xn, 1e-12) << "gear " << i;
    }
    EXPECT_GT(defined, GearCount / 2);
}

}  // namespace
}  // namespace tamrel
