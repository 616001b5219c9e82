// More profile shift means a thicker tooth: for an external gear the span measurement and the
// tooth thickness grow with Xn, and the dimension over (internal: between) pins grows wherever it
// is defined. Checked on the geometry routines for steps from 1e-6 to 1.

#include "random_gear.h"

#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamrel {
namespace {

TEST(Monotonicity, ToothSizeGrowsWithProfileShift) {
    testing::GearSource source;
    int external = 0;
    int pinsDefined = 0;
    for (int i = 0; i < testing::GearCount; ++i) {
        const testing::RandomGear g = source.next();
        const double x1 = g.xn;
        const double x2 = x1 + std::pow(10.0, source.uniform(-6, 0));
        const auto [mt, alphaT, beta] = testing::transverseOf(g);
        const double sn1 = XnToSN(mt, alphaT, beta, x1, g.z);
        const double sn2 = XnToSN(mt, alphaT, beta, x2, g.z);
        // An internal gear's tooth grows the other way: its space widens.
        ASSERT_TRUE(g.z > 0 ? sn2 > sn1 : sn2 < sn1) << "gear " << i << ": " << sn1 << ", " << sn2;
        if (g.z > 0) {
            ++external;
            ASSERT_GT(XnToSM(mt, alphaT, g.z, beta, g.k, x2),
                      XnToSM(mt, alphaT, g.z, beta, g.k, x1))
                << "gear " << i;
        }
        const double m1 = XnToDM(mt, alphaT, g.z, beta, g.dp, x1);
        const double m2 = XnToDM(mt, alphaT, g.z, beta, g.dp, x2);
        if (m1 != NoPinMeasure) {
            ++pinsDefined;
            // Once the pins reach outside the base circle, a larger shift keeps them there.
            ASSERT_NE(m2, NoPinMeasure) << "gear " << i;
            ASSERT_GT(m2, m1) << "gear " << i;
        }
    }
    EXPECT_GT(external, testing::GearCount / 2);
    EXPECT_GT(pinsDefined, testing::GearCount * 3 / 4);
}

}  // namespace
}  // namespace tamrel
