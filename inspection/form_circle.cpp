#include "inspection/form_circle.h"

#include "geometry/angles.h"
#include "geometry/calculation_error.h"

#include <algorithm>
#include <cmath>

namespace tamrel::inspection {

namespace {

// The generating roll, in the transverse section. The rack's rolling line touches the reference
// circle (radius r) at the pitch point; a rack point lies at u along that line and at the depth w
// below it, towards the axis. The flank that generates the involute is u = -w tan(alphaT), through
// the pitch point at zero travel. When the rack has travelled by s the gear has turned by s / r,
// and a point of the rack's outline generates the gear where its normal passes through the pitch
// point.
//
// The tip fillet is a circle of radius rho in the normal section, tangent to the flank and to the
// tip line at the depth H; the transverse section stretches it along the rack into an ellipse with
// the semi-axis rho / cos(beta). Its points are numbered by the direction tau of the normal-section
// normal: alphaN where the fillet leaves the flank, pi/2 where it meets the tip line. The
// transverse normal is then (cos(tau) cos(beta), sin(tau)).
class Fillet {
public:
    Fillet(const Gear& g, double xn, double tipDepth, double rho)
        : r_(g.d / 2), rb_(g.db / 2), rho_(rho), cosBeta_(std::cos(g.beta)),
          centreDepth_(tipDepth - rho),
          centreAlong_((-centreDepth_ * std::tan(g.alphaN) - rho / std::cos(g.alphaN)) / cosBeta_),
          middle_((xn * g.mn * std::tan(g.alphaN) - PI * g.mn / 4) / cosBeta_),
          invAlphaT_(INV(g.alphaT)) {}

    double baseRadius() const { return rb_; }

    // The radius of the point the fillet generates at tau, squared, and the polar angle by which it
    // stands off the involute on the rack's side (negative: cut into the tooth). With the contact
    // at a along the rolling line the rack has travelled s = a - u, and the point's polar angle is
    // pi/2 - atan(a / (r - w)) + s / r; the involute's is pi/2 + inv(alphaT) - inv(alphaY) at the
    // same radius.
    struct Point {
        double radius2;
        double offInvolute;
    };
    Point at(double tau) const {
        const double sinT = std::sin(tau);
        const double cosT = std::cos(tau);
        const double w = centreDepth_ + rho_ * sinT;
        const double u = centreAlong_ + rho_ / cosBeta_ * cosT;
        const double along = w * cosBeta_ * cosT / sinT;
        const double y = r_ - w;
        const double radius2 = along * along + y * y;
        const double tanY = std::sqrt(std::max(0.0, radius2 - rb_ * rb_)) / rb_;
        const double angle = (along - u) / r_ - std::atan(along / y);
        return {radius2, angle - invAlphaT_ + (tanY - std::atan(tanY))};
    }

    // The fillet's point at tau belongs to the rack: it lies on this side of the middle of the
    // rack's tooth, whose half thickness is pi mn / 4 on the datum line xn mn above the rolling
    // line. Beyond the middle a fillet larger than the full radius would be cut off by the other;
    // a sharp tip is the rack's own, even when it is the point where its flanks meet.
    bool onRack(double tau) const {
        return rho_ == 0 || centreAlong_ + rho_ / cosBeta_ * std::cos(tau) >= middle_;
    }

    // The searches need the radius to fall strictly as tau grows. Its two legs do: r - w while the
    // tip line stays short of the axis (H < r), and a = w cos(beta) cot(tau) >= 0, whose derivative
    // is -cos(beta) (wc + rho sin^3(tau)) / sin^2(tau), while the fillet's centre lies deeper than
    // -rho sin^3(alphaN). Only a rack reaching the gear's axis, or a gear of one or two teeth with
    // a large fillet, fails this.
    bool radiusFalls(double tipDepth, double alphaN) const {
        const double s = std::sin(alphaN);
        return tipDepth < r_ && centreDepth_ + rho_ * s * s * s > 0;
    }

private:
    double r_;
    double rb_;
    double rho_;
    double cosBeta_;
    double centreDepth_;
    double centreAlong_;
    double middle_;
    double invAlphaT_;
};

// The root of f between a < b, where fa = f(a) and fb = f(b) have opposite signs, by the Illinois
// variant of regula falsi: each step replaces the end whose sign the new point shares, so the root
// stays bracketed and the search cannot fail; halving the value kept at an end that survives twice
// keeps the convergence superlinear. The standard library offers no root finder.
template <typename F> double rootBetween(F f, double a, double b, double fa, double fb) {
    int kept = 0;  // the end kept by the last step: -1 a, +1 b
    for (int step = 0; step < 100 && b - a > 1e-15 * b; ++step) {
        double c = b - fb * (b - a) / (fb - fa);
        if (!(c > a && c < b)) {
            c = a + (b - a) / 2;
        }
        const double fc = f(c);
        if (fc == 0) {
            return c;
        }
        if ((fc > 0) == (fa > 0)) {
            a = c;
            fa = fc;
            fb = kept == 1 ? fb / 2 : fb;
            kept = 1;
        } else {
            b = c;
            fb = fc;
            fa = kept == -1 ? fa / 2 : fa;
            kept = -1;
        }
    }
    return a + (b - a) / 2;
}

// The undercut flank: the trochoid the fillet generates crosses the involute, which starts there.
//
// The radius falls strictly with tau (Fillet::radiusFalls), from the point where the fillet leaves
// the flank to the rack's tip: the first lies outside the base circle (it is the flank's end, whose
// roll length from the base circle is not zero), the second inside it (an undercut rack reaches
// deeper than r sin^2(alphaT) >= r (1 - cos(alphaT))). So tau_b, where the trochoid meets the base
// circle, is the single root of radius^2 - rb^2 on [alphaN, pi/2]. Between alphaN and tau_b the
// trochoid runs from the rack's side of the involute (the flank's end lies on the involute's second
// branch, beyond its cusp) to the tooth's side of the cusp, so the distance off the involute
// changes sign. It falls all the way, as the trochoid's polar angle falls while the involute's
// rises towards the cusp: shown by sampling wide ranges of gears and racks against a simulation of
// the generating roll, not proven, so the crossing is single. Both searches keep a bracket
// (rootBetween). When the undercut is so slight that an end's sign is lost in rounding, the
// crossing lies on the base circle to well within 1e-10 of its radius.
Outcome<double> undercutDiameter(const Fillet& fillet, double alphaN) {
    const double rb2 = fillet.baseRadius() * fillet.baseRadius();
    const auto outside = [&](double tau) { return fillet.at(tau).radius2 - rb2; };
    const double top = PI / 2;
    const double outsideLow = outside(alphaN);
    const double outsideTop = outside(top);
    if (!(outsideLow > 0 && outsideTop < 0)) {
        return 2 * fillet.baseRadius();
    }
    const double tauBase = rootBetween(outside, alphaN, top, outsideLow, outsideTop);
    const auto off = [&](double tau) { return fillet.at(tau).offInvolute; };
    const double offLow = off(alphaN);
    const double offBase = off(tauBase);
    if (!(offLow > 0 && offBase < 0)) {
        return 2 * fillet.baseRadius();
    }
    const double tau = rootBetween(off, alphaN, tauBase, offLow, offBase);
    if (!fillet.onRack(tau)) {
        return Failure::InvalidGear;
    }
    return std::max(2 * fillet.baseRadius(), 2 * std::sqrt(fillet.at(tau).radius2));
}

// The rack's tooth is pi mn / 2 thick on its datum line and narrows by 2 tan(alphaN) per unit of
// depth. When its straight flanks meet before they reach the tip fillets, hFaP0 - rhoaP0 (1 - sin
// alphaN) below the datum line, the tooth cuts with that point: a sharp tip pi / (4 tan(alphaN))
// deep.
BasicRack cuttingRack(const BasicRack& rack, double alphaN) {
    const double pointDepth = PI / (4 * std::tan(alphaN));
    const double flankEnd = rack.dedendum - rack.tipRadius * (1 - std::sin(alphaN));
    return flankEnd > pointDepth ? BasicRack{pointDepth, 0} : rack;
}

}  // namespace

bool rackUsable(const BasicRack& rack) {
    return std::isfinite(rack.dedendum) && rack.dedendum > 0 && std::isfinite(rack.tipRadius) &&
           rack.tipRadius >= 0;
}

// The rack's straight flank ends where its tip fillet begins, at the height
// hF = (hFaP0 - rhoaP0 (1 - sin alphaN)) mn above the rack tip, i.e. hF - xn mn inside the rack
// line that rolls on the reference circle. Heights are the same in the normal and the transverse
// section, so in the transverse section this end point meets the line of action at
// (hF - xn mn) / sin(alphaT) from the pitch point, and generates the involute at the roll length
// g = r sin(alphaT) - (hF - xn mn) / sin(alphaT) from the base circle: dF = 2 sqrt(rb^2 + g^2).
// A negative g means the flank's end passes the interference point: the fillet cuts the involute
// away (undercut), and the involute starts where the fillet's trochoid crosses it.
Outcome<FormCircle> formCircle(const Gear& gear, const BasicRack& given, double xn) {
    if (!gear.external()) {
        return Failure::InternalGear;
    }
    if (!rackUsable(given)) {
        return Failure::InvalidGear;
    }
    const BasicRack rack = cuttingRack(given, gear.alphaN);
    const double sinAlphaT = std::sin(gear.alphaT);
    const double flankEnd =
        gear.mn * (rack.dedendum - rack.tipRadius * (1 - std::sin(gear.alphaN))) - xn * gear.mn;
    const double roll = gear.d / 2 * sinAlphaT - flankEnd / sinAlphaT;
    if (!(roll < 0)) {
        const double rb = gear.db / 2;
        const double squares = rb * rb + roll * roll;
        // Squares of a module near the limits of a double lose their digits; hypot keeps them.
        const double radius = std::isnormal(rb * rb) && std::isfinite(squares)
                                  ? std::sqrt(squares)
                                  : std::hypot(rb, roll);
        // Halving a base diameter of a few subnormal units rounds; the circle stays on it.
        return FormCircle{requireFinite(std::max(gear.db, 2 * radius), "form diameter"), false};
    }
    const double tipDepth = requireFinite(gear.mn * rack.dedendum - xn * gear.mn, "rack tip");
    const Fillet fillet(gear, xn, tipDepth, gear.mn * rack.tipRadius);
    if (!fillet.radiusFalls(tipDepth, gear.alphaN)) {
        return Failure::CalculationFailed;
    }
    const Outcome<double> diameter = undercutDiameter(fillet, gear.alphaN);
    if (!diameter.hasValue()) {
        return diameter.failure();
    }
    // The involute starts on or outside the base circle; a module of a few units in the last place
    // of a double (subnormal) rounds the search below it.
    return FormCircle{requireFinite(std::max(gear.db, diameter.value()), "form diameter"), true};
}

}  // namespace tamrel::inspection
