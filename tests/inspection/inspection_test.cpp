// The inspection aids: published cases, the balls' contact checked against a brute-force search of
// the flank helicoid, the verdicts, and the reasons for absent values.
#include "geometry/angles.h"
#include "geometry/profile_shift.h"
#include "inspection/inspection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tamrel::inspection {
namespace {

// One gear with the whole band at one profile shift, tip and root as the automatic run sets them;
// a span count, a ball and the lowest shift of the band where given.
InspectionInput gearInput(double mn, double alphaNDegrees, std::int16_t z, double betaDegrees,
                          double xn, std::optional<std::int16_t> k = {},
                          std::optional<double> ball = {}) {
    const double beta = RAD(betaDegrees);
    const double d = std::abs(z) * mn / std::cos(beta);
    const double s = z > 0 ? 1 : -1;
    return {mn,   RAD(alphaNDegrees),           z,
            beta, Band<double>::filled(xn),     k,
            ball, d + 2 * s * mn + 2 * xn * mn, d - 2 * s * 1.25 * mn + 2 * xn * mn};
}

double mid(const BandOutcome& band) {
    return band[BandValue::Mid].value();
}

TEST(PublishedCases, ChordalToothSpanAndIdealPin) {
    InspectionInput pinion = gearInput(10, 20, 12, 0, 0.3);
    pinion.tipDiameter = 146;
    const ChordalInspection c = inspect(pinion).chordal.value();
    EXPECT_NEAR(c.thickness[BandValue::Mid], 17.8256, 5e-5);
    EXPECT_NEAR(c.height[BandValue::Mid], 13.6657, 5e-5);

    EXPECT_EQ(inspect(gearInput(2, 20, 20, 0, 0)).span.value().recommendedTeeth.value(), 3);
    const SpanInspection span = inspect(gearInput(2, 20, 20, 0, 0, 3)).span.value();
    EXPECT_NEAR(XnToSM(2, RAD(20), 20, 0, 3, 0), 15.321, 5e-4);
    EXPECT_NEAR(mid(span.contactDiameter), 40.59, 5e-3);
    EXPECT_TRUE(span.measurable.value());
    EXPECT_EQ(span.faceWidth.value(), 0);

    const BallInspection ball = inspect(gearInput(1, 20, 20, 0, 0)).ball.value();
    EXPECT_NEAR(ball.idealDiameter.value(), 1.72445, 5e-6);
    EXPECT_EQ(ball.centreDiameter[BandValue::Mid].failure(), Failure::NoBallDiameter);
}

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

// The entered ball on the engine's centre circle touches the flank (distance D/2) at the engine's
// contact diameter; the ideal ball touches it on d + 2 Xn mn. External and internal, odd and even,
// spur and helical.
TEST(HelicoidContact, BallsTouchWhereTheEngineSays) {
    for (InspectionInput in :
         {gearInput(3.175, 20, 59, 15, -0.1445, {}, 5.5), gearInput(2, 20, 30, 30, 0.5, {}, 4),
          gearInput(3.175, 20, -59, 15, 0.2, {}, 5.5), gearInput(2, 20, -40, 0, 0, {}, 3.5)}) {
        SCOPED_TRACE(in.z);
        const double ideal = inspect(in).ball.value().idealDiameter.value();
        const double xn = in.xn[BandValue::Mid];
        const double dy = std::abs(in.z) * in.mn / std::cos(in.beta) + 2 * xn * in.mn;
        for (const auto& [ball, contact] : {std::pair{*in.ballDiameter, 0.0}, {ideal, dy}}) {
            in.ballDiameter = ball;
            const BallInspection b = inspect(in).ball.value();
            const auto [distance, radius] = closestFlankPoint(in, mid(b.centreDiameter) / 2, ball);
            EXPECT_NEAR(distance, ball / 2, 1e-9);
            EXPECT_NEAR(2 * radius, contact > 0 ? contact : mid(b.contactDiameter), 2e-6);
        }
    }
}

TEST(Verdicts, SpanAndBallMeasureOnlyOnTheFlankAndBeyondTheTip) {
    const Inspection three = inspect(gearInput(2, 20, 20, 0, 0, 3, 3.5));  // contacts near 40.6
    const Inspection wide = inspect(gearInput(2, 20, 20, 0, 0, 8, 2.5));   // past the tip; sunk
    EXPECT_TRUE(three.span.value().measurable.value());
    EXPECT_TRUE(three.ball.value().measurable.value());
    EXPECT_EQ(three.span.value().measurableTeeth.value(), (std::vector<std::int16_t>{1, 2, 3, 4}));
    EXPECT_GT(mid(wide.span.value().contactDiameter), 44);
    EXPECT_FALSE(wide.span.value().measurable.value());
    EXPECT_LT(mid(wide.ball.value().protrusion), 0);
    EXPECT_FALSE(wide.ball.value().measurable.value());

    const InspectionInput internal = gearInput(2, 20, -40, 0, 0, 5, 3.5);
    const Inspection result = inspect(internal);
    EXPECT_EQ(result.span.failure(), Failure::InternalGear);
    EXPECT_EQ(result.chordal.failure(), Failure::InternalGear);
    EXPECT_TRUE(result.ball.value().measurable.value());
    EXPECT_DOUBLE_EQ(result.usableFlank.value().to, internal.rootDiameter - 1);
}

// The usable flank, the span verdict and the lowest ball centre of each input, or their reasons.
TEST(Verdicts, AbsentValuesGiveTheirReasons) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    InspectionInput nanShift = gearInput(2, 20, 20, 0, 0, 3, 3),
                    undercut = gearInput(2, 20, 10, 0, 0, {}, 1);
    InspectionInput tipNotPositive = gearInput(2, 20, 20, 0, 0);
    nanShift.xn[BandValue::Min] = nan;
    undercut.xn[BandValue::Min] = -3;
    undercut.tipDiameter = 24;
    tipNotPositive.tipDiameter = -1;
    const std::pair<InspectionInput, std::array<Failure, 3>> cases[] = {
        {gearInput(2, 20, 0, 0, 0),
         {Failure::InvalidGear, Failure::InvalidGear, Failure::InvalidGear}},
        {nanShift, {Failure::InvalidGear, Failure::InvalidGear, Failure::InvalidGear}},
        {gearInput(1e306, 20, 30000, 0, 0),
         {Failure::CalculationFailed, Failure::CalculationFailed, Failure::CalculationFailed}},
        {undercut, {Failure::Undercut, Failure::NoTeethSpanned, Failure::NoBallPosition}},
        {tipNotPositive,
         {Failure::InvalidDiameters, Failure::NoTeethSpanned, Failure::NoBallDiameter}}};
    for (const auto& [input, reasons] : cases) {
        const Inspection r = inspect(input);
        EXPECT_EQ(r.usableFlank.failure(), reasons[0]) << input.z;
        EXPECT_EQ(r.span.hasValue() ? r.span.value().measurable.failure() : r.span.failure(),
                  reasons[1])
            << input.z;
        EXPECT_EQ(r.ball.hasValue() ? r.ball.value().centreDiameter[BandValue::Min].failure()
                                    : r.ball.failure(),
                  reasons[2])
            << input.z;
    }
}

}  // namespace
}  // namespace tamrel::inspection
