#include "drawing/matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>

namespace tamrel {
namespace {

TEST(RotMatrix, APointRowTurnsAnticlockwiseForPositiveAngles) {
    Matrix p(1, 3);
    p(0, 0) = 1;
    p(0, 1) = 0;
    p(0, 2) = 1;
    const Matrix q = MatMul(p, RotMatrix(std::atan(1.0) * 2));  // a quarter turn
    EXPECT_NEAR(q(0, 0), 0.0, 1e-15);
    EXPECT_NEAR(q(0, 1), 1.0, 1e-15);
    EXPECT_EQ(q(0, 2), 1.0);

    const Matrix back = MatMul(q, RotMatrix(-std::atan(1.0) * 2));
    EXPECT_NEAR(back(0, 0), 1.0, 1e-15);
    EXPECT_NEAR(back(0, 1), 0.0, 1e-15);
}

TEST(MatMul, AccumulatesFromZeroInTheOrderOfK) {
    // 0 + 1e16 = 1e16; 1e16 + 1 rounds back to 1e16 (ties to even); 1e16 - 1e16 = 0. Any other
    // order (or a fused multiply-add) would give 1.
    Matrix a(1, 3);
    a(0, 0) = 1e16;
    a(0, 1) = 1;
    a(0, 2) = -1e16;
    Matrix b(3, 1);
    b(0, 0) = 1;
    b(1, 0) = 1;
    b(2, 0) = 1;
    EXPECT_EQ(MatMul(a, b)(0, 0), 0.0);
}

}  // namespace
}  // namespace tamrel
