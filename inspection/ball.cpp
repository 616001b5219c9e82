#include "inspection/ball.h"

#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"
#include "inspection/usable_flank.h"

#include <algorithm>
#include <cmath>

namespace tamrel::inspection {

namespace {

struct BallPlace {
    Outcome<double> centre;
    Outcome<double> contact;
};

// The ball touches the involute helicoid on a normal that lies in a base tangent plane, inclined
// by betaB; projected into the transverse plane it runs along the tangent from the base circle
// through the centre, (D/2) cos(betaB) short of it (internal gears: beyond it).
BallPlace placeBall(const Gear& g, double ball, double xn) {
    const double phi = detail::pinCentreAngle(g.mt, g.alphaT, g.z, g.beta, ball, xn);
    if (!(phi > 0)) {
        return {Failure::NoBallPosition, Failure::NoBallPosition};
    }
    // The centre circle exactly as XnToDM forms it before adding the ball.
    const double db = detail::baseDiameter(g.mt, g.alphaT, g.z);
    const double centre = requireFinite(db / std::cos(phi), "ball centre");
    const double rb = db / 2;
    const double roll = rb * std::tan(phi) - g.sgn() * (ball / 2) * g.cosBetaB;
    if (roll < 0) {
        return {centre, Failure::ContactBelowBaseCircle};
    }
    return {centre, requireFinite(2 * std::sqrt(rb * rb + roll * roll), "ball contact")};
}

// With t = D cos(betaB) / db and the target contact at pressure angle ay, the centre's angle phi
// satisfies tan(phi) = tan(ay) + s t and inv(phi) = u0 + s t / cos^2(betaB), s = +1 external and
// -1 internal, u0 the pin involute without the ball term. Eliminating phi:
//   f(t) = atan(tan(ay) + s t) + s t tan^2(betaB) - (tan(ay) - u0) = 0,
// s f is increasing and concave on the way to its root, so Newton's method from t = 0 converges
// monotonically (spur gears in one step beyond the first).
Outcome<double> idealBall(const Gear& g, double xMid) {
    const double dy = g.d + 2 * xMid * g.mn;
    if (!(dy > g.db)) {
        return Failure::ContactBelowBaseCircle;
    }
    const double tanAy = std::sqrt(dy * dy - g.db * g.db) / g.db;
    const double u0 =
        INV(g.alphaT) - g.sgn() * PI / (2 * g.zAbs()) + 2 * xMid * std::tan(g.alphaN) / g.zAbs();
    const double target = tanAy - u0;
    const double tan2 = g.tanBetaB * g.tanBetaB;
    const auto f = [&](double t) {
        return std::atan(tanAy + g.sgn() * t) + g.sgn() * t * tan2 - target;
    };
    if (!(g.sgn() * f(0) < 0)) {
        return Failure::NoBallPosition;
    }
    double t = 0;
    for (int step = 0; step < 100; ++step) {
        const double a = tanAy + g.sgn() * t;
        const double slope = g.sgn() / (1 + a * a) + g.sgn() * tan2;
        const double dt = requireFinite(f(t) / slope, "ideal ball");
        t -= dt;
        if (std::abs(dt) <= 1e-15 * t) {
            break;
        }
    }
    if (!(tanAy + g.sgn() * t > 0)) {
        return Failure::NoBallPosition;
    }
    return requireFinite(t * g.db / g.cosBetaB, "ideal ball");
}

Outcome<double> protrusion(const Gear& g, const InspectionInput& in, double centre, double ball) {
    if (!diametersUsable(in)) {
        return Failure::InvalidDiameters;
    }
    const double da = in.tipDiameter;
    const double p = g.external() ? (centre + ball - da) / 2 : (da - (centre - ball)) / 2;
    return requireFinite(p, "protrusion");
}

bool measures(const BallInspection& b, const Outcome<FlankRange>& flank) {
    return std::all_of(BandValues.begin(), BandValues.end(), [&](BandValue v) {
        return b.contactDiameter[v].hasValue() && b.protrusion[v].hasValue() &&
               onFlank(flank.value(), b.contactDiameter[v].value()) && b.protrusion[v].value() > 0;
    });
}

}  // namespace

BallInspection inspectBall(const Gear& g, const InspectionInput& in,
                           const Outcome<FlankRange>& flank) {
    const auto noBall = BandOutcome::filled(Failure::NoBallDiameter);
    BallInspection b{idealBall(g, in.xn[BandValue::Mid]), noBall, noBall, noBall,
                     Failure::NoBallDiameter};
    const double ball = in.ballDiameter.value_or(0);
    if (!(ball > 0 && std::isfinite(ball))) {
        return b;
    }
    for (const BandValue v : BandValues) {
        const BallPlace place = placeBall(g, ball, in.xn[v]);
        b.centreDiameter[v] = place.centre;
        b.contactDiameter[v] = place.contact;
        b.protrusion[v] =
            place.centre.hasValue() ? protrusion(g, in, place.centre.value(), ball) : place.centre;
    }
    if (flank.hasValue()) {
        b.measurable = measures(b, flank);
    } else {
        b.measurable = flank.failure();
    }
    return b;
}

}  // namespace tamrel::inspection
