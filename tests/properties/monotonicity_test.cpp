// More profile shift means a thicker tooth: for an external gear the span measurement and the
// tooth thickness grow with Xn, and the dimension over (internal: between) pins grows wherever it
// is defined. Checked on the geometry routines for steps from 1e-6 to 1.

#include "random_gear.h"

#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamrel {
namespace {

using testing::RandomGear;

struct Step {
    double x1;
    double x2;
};

Step randomStep(const RandomGear& g, testing::GearSource& source) {
    return {g.xn, g.xn + std::pow(10.0, source.uniform(-6, 0))};
}

TEST(Monotonicity, SpanMeasurementAndToothThicknessGrowWithProfileShift) {
    testing::GearSource source;
    int external = 0;
    for (int i = 0; i < testing::GearCount; ++i) {
        const RandomGear g = source.next();
        const auto [x1, x2] = randomStep(g, source);
        const auto [mt, alphaT, beta] = testing::transverseOf(g);
        const double sn1 = XnToSN(mt, alphaT, beta, x1, g.z);
        const double sn2 = XnToSN(mt, alphaT, beta, x2, g.z);
        if (g.z < 0) {
            // An internal gear's tooth grows the other way: its space widens.
            ASSERT_LT(sn2, sn1) << "gear " << i;
            continue;
        }
        ++external;
        ASSERT_GT(XnToSM(mt, alphaT, g.z, beta, g.k, x2), XnToSM(mt, alphaT, g.z, beta, g.k, x1))
            << "gear " << i << ", x " << x1 << " -> " << x2;
        ASSERT_GT(sn2, sn1) << "gear " << i << ", x " << x1 << " -> " << x2;
    }
    EXPECT_GT(external, testing::GearCount / 2);
}

TEST(Monotonicity, DimensionOverPinsGrowsWithProfileShiftWhereDefined) {
    testing::GearSource source;
    int defined = 0;
    for (int i = 0; i < testing::GearCount; ++i) {
        const RandomGear g = source.next();
        const auto [x1, x2] = randomStep(g, source);
        const auto [mt, alphaT, beta] = testing::transverseOf(g);
        const double m1 = XnToDM(mt, alphaT, g.z, beta, g.dp, x1);
        const double m2 = XnToDM(mt, alphaT, g.z, beta, g.dp, x2);
        if (m1 == NoPinMeasure) {
            continue;
        }
        ++defined;
        // Once the pins reach outside the base circle, a larger shift keeps them there.
        ASSERT_NE(m2, NoPinMeasure) << "gear " << i << ", x " << x1 << " -> " << x2;
        ASSERT_GT(m2, m1) << "gear " << i << ", z " << g.z << ", x " << x1 << " -> " << x2;
    }
    EXPECT_GT(defined, testing::GearCount * 3 / 4);
}

}  // namespace
}  // namespace tamrel
