// The inspection aids: published cases, the balls' contact checked against a brute-force search of
// the flank helicoid, the verdicts, and the reasons for absent values.
#include "geometry/angles.h"
#include "geometry/profile_shift.h"
#include "inspection/inspection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace tamrel::inspection {
namespace {

constexpr BandValue Mid = BandValue::Mid, Min = BandValue::Min;

// One gear of 20 degrees pressure angle with the whole band at one profile shift, tip and root as
// the automatic run sets them; a span count and a ball where given.
InspectionInput gearInput(double mn, std::int16_t z, double betaDegrees, double xn,
                          std::optional<std::int16_t> k = {}, std::optional<double> ball = {}) {
    const double beta = RAD(betaDegrees), s = z > 0 ? mn : -mn;
    const double d = std::abs(z) * mn / std::cos(beta) + 2 * xn * mn, da = d + 2 * s;
    return {deriveGear(mn, RAD(20), z, beta), Band<double>::filled(xn), k, ball, da, da - 4.5 * s};
}

// The same with the lowest profile shift of the band and the tip diameter changed.
InspectionInput changed(InspectionInput in, double minXn, double tip) {
    in.xn[Min] = minXn;
    in.tipDiameter = tip;
    return in;
}

double mid(const BandOutcome& band) {
    return band[Mid].value();
}

// Each rounded to the decimals it is published with (the constant chord 1.3870 m at 0.7476 m for 20
// degrees and Xn 0); the three teeth recommended without a span count entered, measurable, no face
// width for a spur gear; no ball entered.
TEST(PublishedCases, ChordalToothSpanAndIdealPin) {
    const auto c = inspect(gearInput(10, 12, 0, 0.3)).chordal.value();
    const SpanInspection span = inspect(gearInput(2, 20, 0, 0, 3)).span.value();
    const Inspection one = inspect(gearInput(1, 20, 0, 0));
    const auto at = [](double v, double scale) { return std::round(v * scale) / scale; };
    const auto& constant = one.chordal.value();
    EXPECT_EQ(
        (std::vector{
            at(c.thickness[Mid], 1e4), at(c.height[Mid], 1e4), at(constant.constantChord[Mid], 1e4),
            at(constant.constantChordHeight[Mid], 1e4), at(XnToSM(2, RAD(20), 20, 0, 3, 0), 1e3),
            at(mid(span.contactDiameter), 1e2), at(one.ball.value().idealDiameter.value(), 1e5)}),
        (std::vector{17.8256, 13.6657, 1.3870, 0.7476, 15.321, 40.59, 1.72445}));
    EXPECT_EQ(std::tuple(one.span.value().recommendedTeeth.value(), span.measurable.value(),
                         span.faceWidth.value(), one.ball.value().centreDiameter[Mid].failure()),
              std::tuple(3, true, 0.0, Failure::NoBallDiameter));
}

// The argument of the minimum of f between lo and hi, by golden-section search.
template <typename F> double argMinimum(F f, double lo, double hi) {
    for (int i = 0; i < 200; ++i) {
        const double a = hi - 0.618034 * (hi - lo), b = lo + 0.618034 * (hi - lo);
        (f(a) < f(b) ? hi : lo) = f(a) < f(b) ? b : a;
    }
    return (lo + hi) / 2;
}

// Distance and radius of the point closest to (rc, 0, 0) on the involute helicoid bounding the
// tooth space centred on angle 0, built from the space width on the reference circle by a
// brute-force search over radius and axial position. Its own pi and involute keep it independent
// of the engine's formulas.
std::pair<double, double> closestFlankPoint(const InspectionInput& in, double rc, double ball) {
    const double pi = std::acos(-1.0), s = in.gear.z > 0 ? 1 : -1;
    const auto inv = [](double a) { return std::tan(a) - a; };
    const double alphaT = std::atan(std::tan(in.gear.alphaN) / std::cos(in.gear.beta));
    const double r = std::abs(in.gear.z) * in.gear.mn / std::cos(in.gear.beta) / 2,
                 rb = r * std::cos(alphaT);
    const double space = in.gear.mn * (pi / 2 - 2 * s * in.xn[Mid] * std::tan(in.gear.alphaN));
    const double halfSpace = space / std::cos(in.gear.beta) / (2 * r);
    const auto distance = [&](double rho, double w) {
        const double eta = halfSpace + s * (inv(std::acos(rb / rho)) - inv(alphaT));
        const double theta = w * std::tan(in.gear.beta) / r - eta;
        return std::hypot(rho * std::cos(theta) - rc, rho * std::sin(theta), w);
    };
    const auto overAxial = [&](double rho) {
        return distance(rho, argMinimum([&](double w) { return distance(rho, w); }, -ball, ball));
    };
    const double rho = argMinimum(overAxial, std::max(rb, rc - ball), rc + ball);
    return {overAxial(rho), rho};
}

// The entered ball on the engine's centre circle touches the flank (distance D/2) at the engine's
// contact diameter; the ideal ball touches it on d + 2 Xn mn. External and internal, odd and even,
// spur and helical.
TEST(HelicoidContact, BallsTouchWhereTheEngineSays) {
    for (InspectionInput in :
         {gearInput(3.175, 59, 15, -0.1445, {}, 5.5), gearInput(2, 30, 30, 0.5, {}, 4),
          gearInput(3.175, -59, 15, 0.2, {}, 5.5), gearInput(2, -40, 0, 0, {}, 3.5)}) {
        const double ideal = inspect(in).ball.value().idealDiameter.value();
        const double dy =
            std::abs(in.gear.z) * in.gear.mn / std::cos(in.gear.beta) + 2 * in.xn[Mid] * in.gear.mn;
        for (const auto& [ball, contact] : {std::pair{*in.ballDiameter, 0.0}, {ideal, dy}}) {
            in.ballDiameter = ball;
            const BallInspection b = inspect(in).ball.value();
            const auto [distance, radius] = closestFlankPoint(in, mid(b.centreDiameter) / 2, ball);
            EXPECT_NEAR(distance, ball / 2, 1e-9) << in.gear.z;
            EXPECT_NEAR(2 * radius, contact > 0 ? contact : mid(b.contactDiameter), 2e-6)
                << in.gear.z;
        }
    }
}

// Three teeth and a 3.5 ball touch near 40.6, on the flank; eight teeth touch past the 44 tip and
// a 2.5 ball sinks below it. An internal gear has a ball verdict but no span, chordal or flank
// values; its usable flank ends half a module inside its root circle.
TEST(Verdicts, SpanAndBallMeasureOnlyOnTheFlankAndBeyondTheTip) {
    const Inspection three = inspect(gearInput(2, 20, 0, 0, 3, 3.5));
    const Inspection wide = inspect(gearInput(2, 20, 0, 0, 8, 2.5));
    EXPECT_EQ(three.span.value().measurableTeeth.value(), (std::vector<std::int16_t>{1, 2, 3, 4}));
    EXPECT_EQ(
        std::tuple(three.span.value().measurable.value(), three.ball.value().measurable.value(),
                   mid(wide.span.value().contactDiameter) > 44,
                   mid(wide.ball.value().protrusion) < 0, wide.span.value().measurable.value(),
                   wide.ball.value().measurable.value()),
        std::tuple(true, true, true, true, false, false));
    const Inspection r = inspect(gearInput(2, -40, 0, 0, 5, 3.5));  // df 85
    EXPECT_EQ(
        std::tuple(r.span.failure(), r.chordal.failure(), r.flank.failure(),
                   r.ball.value().measurable.value()),
        std::tuple(Failure::InternalGear, Failure::InternalGear, Failure::InternalGear, true));
    EXPECT_EQ(r.usableFlank.value().to, 84);
}

// Helical gears with a band of +-0.05 about Xn: the recommended span's anvils touch nearer to
// d + 2 Xn mn than those of one tooth fewer or more, and the anvils' face width is the widest span
// of the band times sin(betaB).
TEST(Verdicts, HelicalSpanRecommendedAndItsFaceWidth) {
    for (const auto& [mn, z, beta, xn] :
         {std::tuple{3.175, 59, 15.0, -0.1445}, {2.0, 40, 30.0, 0.2}, {1.0, 25, 45.0, 0.0}}) {
        InspectionInput in = gearInput(mn, static_cast<std::int16_t>(z), beta, xn);
        in.xn = {{xn, xn, xn + 0.05, xn - 0.05}};
        const std::int16_t k = inspect(in).span.value().recommendedTeeth.value();
        const double dy = z * mn / std::cos(in.gear.beta) + 2 * xn * mn;
        const auto miss = [&](int teeth) {
            in.teethSpanned = static_cast<std::int16_t>(teeth);
            return std::abs(mid(inspect(in).span.value().contactDiameter) - dy);
        };
        EXPECT_LT(miss(k), std::min(miss(k - 1), miss(k + 1))) << z;
        const double alphaT = std::atan(std::tan(in.gear.alphaN) / std::cos(in.gear.beta));
        const double widest =
            XnToSM(mn / std::cos(in.gear.beta), alphaT, in.gear.z, in.gear.beta, k, xn + 0.05);
        in.teethSpanned = k;
        EXPECT_NEAR(inspect(in).span.value().faceWidth.value(),
                    widest * std::sin(std::atan(std::tan(in.gear.beta) * std::cos(alphaT))),
                    1e-12 * mn)
            << z;
    }
}

// The usable flank, the span verdict and the lowest ball centre of each input, or their reasons:
// no teeth, a NaN in the band, an overflow of the span (the form circle keeps its digits), an
// undercut up to the tip with no ball position, a tip not positive.
TEST(Verdicts, AbsentValuesGiveTheirReasons) {
    using F = std::optional<Failure>;
    const auto all = [](Failure f) { return std::array<F, 3>{f, f, f}; };
    const std::pair<InspectionInput, std::array<F, 3>> cases[] = {
        {gearInput(2, 0, 0, 0), all(Failure::InvalidGear)},
        {changed(gearInput(2, 20, 0, 0, 3, 3), NAN, 44), all(Failure::InvalidGear)},
        {gearInput(1e303, 30000, 0, 0),
         {std::nullopt, Failure::CalculationFailed, Failure::NoBallDiameter}},
        {changed(gearInput(2, 10, 0, 0, {}, 1), -3, 21),
         {Failure::NoUsableFlank, Failure::NoTeethSpanned, Failure::NoBallPosition}},
        {changed(gearInput(2, 20, 0, 0), 0, -1),
         {Failure::InvalidDiameters, Failure::NoTeethSpanned, Failure::NoBallDiameter}}};
    const auto why = [](const auto& outcome) {
        return outcome.hasValue() ? F() : F(outcome.failure());
    };
    for (const auto& [input, reasons] : cases) {
        const Inspection r = inspect(input);
        const F span = r.span.hasValue() ? why(r.span.value().measurable) : why(r.span);
        const F ball = r.ball.hasValue() ? why(r.ball.value().centreDiameter[Min]) : why(r.ball);
        EXPECT_EQ((std::array{why(r.usableFlank), span, ball}), reasons) << input.gear.z;
    }
}

}  // namespace
}  // namespace tamrel::inspection
