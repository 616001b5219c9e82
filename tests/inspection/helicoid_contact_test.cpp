#include "gear_case.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamrel::inspection {
namespace {

const double pi = std::acos(-1.0);

template <typename F> double argMinimum(F f, double lo, double hi) {
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 200; ++i) {
        const double a = hi - g * (hi - lo);
        const double b = lo + g * (hi - lo);
        (f(a) < f(b) ? hi : lo) = (f(a) < f(b) ? b : a);
    }
    return (lo + hi) / 2;
}

// Distance and radius of the point closest to (rc, 0, 0) on the involute helicoid bounding the
// tooth space centred on angle 0, built from the tooth thickness on the reference circle by a
// brute-force search over radius and axial position, independently of the engine's pin formulas.
std::pair<double, double> closestFlankPoint(const InspectionInput& in, double rc, double ball) {
    const double alphaT = std::atan(std::tan(in.alphaN) / std::cos(in.beta));
    const double r = std::abs(in.z) * in.mn / std::cos(in.beta) / 2;
    const double rb = r * std::cos(alphaT);
    const double s = in.z > 0 ? 1 : -1;
    const double tooth = in.mn * (pi / 2 + 2 * s * in.xn[BandValue::Mid] * std::tan(in.alphaN));
    const double halfSpace = (pi * in.mn - tooth) / std::cos(in.beta) / (2 * r);
    const auto inv = [](double a) { return std::tan(a) - a; };
    const auto squared = [&](double rho, double w) {
        const double eta = halfSpace + s * (inv(std::acos(rb / rho)) - inv(alphaT));
        const double theta = w * std::tan(in.beta) / r - eta;
        const double dx = rho * std::cos(theta) - rc;
        const double dy = rho * std::sin(theta);
        return dx * dx + dy * dy + w * w;
    };
    const auto overAxial = [&](double rho) {
        return squared(rho, argMinimum([&](double w) { return squared(rho, w); }, -ball, ball));
    };
    const double rho = argMinimum(overAxial, std::max(rb, rc - ball), rc + ball);
    return {std::sqrt(overAxial(rho)), rho};
}

struct BallCase {
    const char* name;
    double mn, alphaN;
    std::int16_t z;
    double beta, xn, ball;
};

class HelicoidContact : public ::testing::TestWithParam<BallCase> {};

// The entered ball on the engine's centre circle touches the flank (distance D/2) at the engine's
// contact diameter; the ideal ball touches it on d + 2 Xn mn.
TEST_P(HelicoidContact, BallsTouchWhereTheEngineSays) {
    const BallCase& c = GetParam();
    InspectionInput in = testing::gearInput(c.mn, c.alphaN, c.z, c.beta, c.xn);
    const double ideal = inspect(in).ball.value().idealDiameter.value();
    const double dy = std::abs(c.z) * c.mn / std::cos(in.beta) + 2 * c.xn * c.mn;
    for (const auto& [ball, contact] : {std::pair{c.ball, 0.0}, std::pair{ideal, dy}}) {
        in.ballDiameter = ball;
        const BallInspection b = inspect(in).ball.value();
        const auto [distance, radius] =
            closestFlankPoint(in, testing::mid(b.centreDiameter) / 2, ball);
        EXPECT_NEAR(distance, ball / 2, 1e-9);
        EXPECT_NEAR(2 * radius, contact > 0 ? contact : testing::mid(b.contactDiameter), 2e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gears, HelicoidContact,
    ::testing::Values(BallCase{"HelicalExternalOdd", 3.175, 20, 59, 15, -0.1445, 5.5},
                      BallCase{"HelicalExternalSteep", 2, 20, 30, 30, 0.5, 4},
                      BallCase{"HelicalInternal", 3.175, 20, -59, 15, 0.2, 5.5},
                      BallCase{"SpurInternal", 2, 20, -40, 0, 0, 3.5}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tamrel::inspection
