// The form circle: the published value and the classic undercut limits, the generating roll
// simulated on the blank, and the verdicts of undercut pinions.
#include "geometry/angles.h"
#include "geometry/gear.h"
#include "inspection/form_circle.h"
#include "inspection/inspection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

namespace tamrel::inspection {
namespace {

// A gear and the rack that cuts it.
struct Cut {
    const char* name;
    double mn;
    std::int16_t z;
    double alphaDegrees;
    double betaDegrees;
    double xn;
    BasicRack rack;
};

FormCircle engineForm(const Cut& c) {
    const Gear g = deriveGear(c.mn, RAD(c.alphaDegrees), c.z, RAD(c.betaDegrees));
    return formCircle(g, c.rack, c.xn).value();
}

constexpr BasicRack isoA{};

// The undercut flag, and the diameter in inches to the published digits where one is published: a
// spur gear of diametral pitch 8 cut by a full-radius hob, 2.83938 in (the 72.1203 mm quoted with
// it is that rounded value converted; 72.12014 mm rounds to it). At Xn 0 the ISO 53 A rack
// undercuts below 17.097 teeth at 20 degrees and below 30.79 at 14.5; at 12 teeth and 20 degrees
// the smallest Xn without undercut is 0.2981 to four decimals.
TEST(FormCircle, PublishedValueAndUndercutLimits) {
    const std::tuple<Cut, double, bool> cases[] = {
        {{"DP 8, full radius", 25.4 / 8, 24, 20, 0, 0, {1.25, 0.471}}, 2.83938, false},
        {{"18 teeth at 20", 5, 18, 20, 0, 0, isoA}, 0, false},
        {{"17 teeth at 20", 5, 17, 20, 0, 0, isoA}, 0, true},
        {{"31 teeth at 14.5", 5, 31, 14.5, 0, 0, isoA}, 0, false},
        {{"30 teeth at 14.5", 5, 30, 14.5, 0, 0, isoA}, 0, true},
        {{"12 teeth, Xn 0.29815", 5, 12, 20, 0, 0.29815, isoA}, 0, false},
        {{"12 teeth, Xn 0.29805", 5, 12, 20, 0, 0.29805, isoA}, 0, true}};
    for (const auto& [cut, inches, undercut] : cases) {
        const FormCircle form = engineForm(cut);
        EXPECT_EQ(form.undercut, undercut) << cut.name;
        if (inches > 0) {
            EXPECT_EQ(std::round(form.diameter / 25.4 * 1e5) / 1e5, inches) << cut.name;
        }
    }
}

// Racks that cannot cut the gear as drawn, and gears the form circle is not for.
TEST(FormCircle, RefusesUnusableRacksAndGears) {
    const std::pair<Cut, Failure> cases[] = {
        {{"dedendum not a number", 2, 20, 20, 0, 0, {NAN, 0.38}}, Failure::InvalidGear},
        {{"negative tip radius", 2, 20, 20, 0, 0, {1.25, -0.1}}, Failure::InvalidGear},
        {{"rack reaching the axis", 2, 4, 20, 0, -1.1, isoA}, Failure::CalculationFailed},
        {{"internal gear", 2, -40, 20, 0, 0, isoA}, Failure::InternalGear}};
    for (const auto& [c, failure] : cases) {
        const Gear g = deriveGear(c.mn, RAD(c.alphaDegrees), c.z, RAD(c.betaDegrees));
        const Outcome<FormCircle> form = formCircle(g, c.rack, c.xn);
        EXPECT_EQ(form.hasValue() ? std::optional<Failure>() : form.failure(), failure) << c.name;
    }
}

// The generating roll on the blank, in the transverse section: one tooth of the rack, drawn in the
// normal section by its two flanks, its tip line and its tip fillets, slides by s along the line
// rolling on the reference circle while the blank turns by s / r; a blank point is cut when the
// tooth covers it at some travel. The involute is the one its flank generates through the pitch
// point. Its own pi and involute; the motion searched by brute force.
class GeneratingRoll {
public:
    explicit GeneratingRoll(const Cut& c)
        : mn_(c.mn), cosBeta_(std::cos(c.betaDegrees * pi_ / 180)),
          tanAlpha_(std::tan(c.alphaDegrees * pi_ / 180)), alphaT_(std::atan(tanAlpha_ / cosBeta_)),
          r_(c.z * c.mn / cosBeta_ / 2), rb_(r_ * std::cos(alphaT_)),
          tip_((c.rack.dedendum - c.xn) * c.mn), rho_(c.rack.tipRadius * c.mn),
          centreDepth_(tip_ - rho_),
          centreAlong_(-centreDepth_ * tanAlpha_ - rho_ * std::hypot(1, tanAlpha_)),
          filletStart_(centreDepth_ + rho_ * tanAlpha_ / std::hypot(1, tanAlpha_)),
          middle_(c.xn * c.mn * tanAlpha_ - pi_ * c.mn / 4), tipRadius_(r_ + (1 + c.xn) * c.mn) {}

    // Where the surviving flank leaves the involute: below it the involute's points are either cut
    // (undercut) or never reached, standing inside the fillet the tooth leaves.
    FormCircle form() const {
        double low = rb_ * (1 + 1e-9), high = tipRadius_;
        EXPECT_TRUE(leaves(low));
        EXPECT_FALSE(leaves(high));
        for (int step = 0; step < 45; ++step) {
            const double mid = (low + high) / 2;
            (leaves(mid) ? low : high) = mid;
        }
        return {low + high, deepest(low, involute(low)) < 0};
    }

private:
    // The flank of the tooth at the depth w (not below its tip), as a distance along the rack.
    double edge(double w) const {
        const double q = (w - centreDepth_) / rho_;
        return w <= filletStart_ ? -w * tanAlpha_
                                 : centreAlong_ + rho_ * std::sqrt(std::max(0.0, 1 - q * q));
    }

    // How far the blank point lies outside the tooth along the rack, in the normal section, when
    // the rack has travelled by s; negative inside.
    double outside(double radius, double theta, double s) const {
        const double turned = theta - s / r_;
        const double depth = r_ - radius * std::sin(turned);
        const double along = (radius * std::cos(turned) - s) * cosBeta_;
        const double e = edge(std::min(depth, tip_));
        return std::max({depth - tip_, along - e, 2 * middle_ - along - e});
    }

    // The least of outside over the roll: a scan of nearly half a turn either side of the point's
    // passage under the pitch point, each local minimum refined by golden section.
    double deepest(double radius, double theta) const {
        const auto at = [&](double s) { return outside(radius, theta, s); };
        constexpr int n = 3000;
        const double first = r_ * (theta - pi_ / 2 - 3.1), step = 6.2 * r_ / n;
        std::vector<double> scan(n + 1);
        for (int i = 0; i <= n; ++i)
            scan[i] = at(first + i * step);
        double least = *std::min_element(scan.begin(), scan.end());
        for (int i = 1; i < n; ++i) {
            if (scan[i] > scan[i - 1] || scan[i] > scan[i + 1]) {
                continue;
            }
            double lo = first + (i - 1) * step, hi = first + (i + 1) * step;
            for (int k = 0; k < 80; ++k) {
                const double a = hi - golden_ * (hi - lo), b = lo + golden_ * (hi - lo);
                (at(a) < at(b) ? hi : lo) = at(a) < at(b) ? b : a;
            }
            least = std::min(least, at((lo + hi) / 2));
        }
        return least;
    }

    double involute(double radius) const {
        const auto inv = [](double a) { return std::tan(a) - a; };
        return pi_ / 2 + inv(alphaT_) - inv(std::acos(rb_ / radius));
    }

    // The involute point is no longer exactly touched by the tooth.
    bool leaves(double radius) const {
        return std::abs(deepest(radius, involute(radius))) > 1e-11 * mn_;
    }

    static constexpr double golden_ = 0.6180339887498949;
    const double pi_ = std::acos(-1.0);
    double mn_, cosBeta_, tanAlpha_, alphaT_, r_, rb_, tip_, rho_, centreDepth_, centreAlong_,
        filletStart_, middle_, tipRadius_;
};

// Undercut and clean, spur and helical, profile-shifted, three racks, a sharp-cornered one, and one
// whose flanks meet above its fillets.
TEST(FormCircle, AgreesWithTheGeneratingRollSimulated) {
    const Cut cases[] = {{"undercut spur pinion", 2, 12, 20, 0, 0, isoA},
                         {"spur just above the limit", 1, 18, 20, 0, 0, isoA},
                         {"deeply undercut, negative shift", 2, 10, 20, 0, -0.5, isoA},
                         {"undercut helical", 1.5, 8, 20, 20, -0.2, isoA},
                         {"helical, clean", 3.175, 12, 20, 30, 0, isoA},
                         {"rack 1.4/0.2, undercut", 1, 20, 20, 0, 0, {1.4, 0.2}},
                         {"rack 1.4/0.2, helical, clean", 2, 40, 20, 15, 0.3, {1.4, 0.2}},
                         {"rack 1.35/0.47, undercut", 1, 30, 14.5, 0, 0, {1.35, 0.47}},
                         {"rack 1.35/0.47, helical, undercut", 4, 16, 14.5, 25, 0.2, {1.35, 0.47}},
                         {"sharp rack corner, undercut", 1, 14, 25, 0, -0.3, {1.25, 0}},
                         {"rack pointed above its fillets", 1, 30, 30, 0, 0.2, {1.5, 0.05}},
                         {"rack pointed, undercut", 1.25, 12, 30, 10, -0.3, {1.5, 0.25}}};
    for (const Cut& c : cases) {
        const FormCircle engine = engineForm(c), rolled = GeneratingRoll(c).form();
        EXPECT_NEAR(engine.diameter, rolled.diameter, 1e-4 * c.mn) << c.name;
        EXPECT_EQ(engine.undercut, rolled.undercut) << c.name;
    }
}

// Pinions of 12 teeth at Xn 0 with a band to -0.02, undercut by the ISO 53 A rack, get span and
// ball verdicts from their largest form circle up: at 14.5 degrees one tooth spanned touches inside
// the undercut, two above it.
TEST(FormCircle, UndercutPinionsGetVerdicts) {
    const std::tuple<const char*, double, std::int16_t, double, std::tuple<bool, bool, bool>>
        cases[] = {{"20 degrees, one tooth, ball 3.5", 20, 1, 3.5, {true, false, true}},
                   {"14.5 degrees, one tooth, ball 3.5", 14.5, 1, 3.5, {false, true, true}},
                   {"14.5 degrees, two teeth, ball 3", 14.5, 2, 3, {true, false, false}}};
    for (const auto& [name, alpha, k, ball, verdicts] : cases) {
        const InspectionInput in{
            deriveGear(2, RAD(alpha), 12, 0), {{0, -0.01, 0, -0.02}}, k, ball, 28, 19};
        const Inspection r = inspect(in);
        double largest = 0;
        for (const BandValue v : BandValues) {
            EXPECT_TRUE(r.flank.value().undercut[v]) << name;
            largest = std::max(largest, r.flank.value().formDiameter[v].value());
        }
        EXPECT_EQ(r.usableFlank.value().from, largest) << name;
        const auto& contact = r.span.value().contactDiameter;
        const bool inUndercut = std::any_of(BandValues.begin(), BandValues.end(), [&](BandValue v) {
            return contact[v].value() < largest;
        });
        EXPECT_EQ(std::tuple(r.span.value().measurable.value(), inUndercut,
                             r.ball.value().measurable.value()),
                  verdicts)
            << name;
    }
}

}  // namespace
}  // namespace tamrel::inspection
