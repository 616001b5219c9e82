#include "drawing/matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof(double)) == 0;
}

TEST(FixedMatrix, RotMatrix3x3HasTheEntriesOfRotMatrix) {
    for (double t : {0.0, -0.0, 0.3, -1.7, 1e6, -0.0825884}) {
        const Matrix r = RotMatrix(t);
        const Matrix3x3 f = RotMatrix3x3(t);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                EXPECT_TRUE(sameBits(f(i, j), r(i, j))) << t << " (" << i << ", " << j << ")";
            }
        }
    }
}

// The products the drawing forms for every tooth: exactly those of MatMul, including the signs
// of zeros and the order of accumulation.
TEST(FixedMatrix, MatMulGivesTheValuesOfMatMul) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> value(-1e3, 1e3);
    for (int trial = 0; trial < 200; ++trial) {
        Matrix a(20, 3);
        for (int i = 0; i < 20; ++i) {
            a(i, 0) = trial % 5 == 0 ? -0.0 : value(rng);
            a(i, 1) = value(rng) * 1e13;
            a(i, 2) = 1;
        }
        const double t = value(rng);
        const Matrix expected = MatMul(a, RotMatrix(t));
        const FixedMatrix<20, 3> product = MatMul(ToFixed<20, 3>(a), RotMatrix3x3(t));
        for (int i = 0; i < 20; ++i) {
            for (int j = 0; j < 3; ++j) {
                ASSERT_TRUE(sameBits(product(i, j), expected(i, j)))
                    << "trial " << trial << " (" << i << ", " << j << ")";
            }
        }
    }
    // 0 + 1e16 = 1e16; 1e16 + 1 rounds back to 1e16; 1e16 - 1e16 = 0, as for MatMul.
    FixedMatrix<1, 3> a;
    a(0, 0) = 1e16;
    a(0, 1) = 1;
    a(0, 2) = -1e16;
    FixedMatrix<3, 1> ones;
    ones(0, 0) = ones(1, 0) = ones(2, 0) = 1;
    EXPECT_EQ(MatMul(a, ones)(0, 0), 0.0);
}

}  // namespace
}  // namespace tamrel
