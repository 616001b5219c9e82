#include "geometry/angles.h"

#include "geometry/calculation_error.h"

#include <cmath>
#include <utility>

namespace tamrel {

namespace {

ArcinvFailureNotifier& arcinvNotifier() {
    static ArcinvFailureNotifier notifier;
    return notifier;
}

}  // namespace

void setArcinvFailureNotifier(ArcinvFailureNotifier notifier) {
    arcinvNotifier() = std::move(notifier);
}

double RAD(double degrees) {
    return requireFinite((degrees / 180) * PI, "RAD");
}

double INV(double angle) {
    return requireFinite(std::tan(angle) - angle, "INV");
}

double ARCINV(double involute) {
    double lo = -PI / 2;
    double hi = PI / 2;
    double m = 0;
    for (int step = 1; step <= 100; ++step) {
        const double t = std::tan(m) - m;
        // Comparing with a NaN is an invalid operation; tan stays finite between the bounds.
        if (std::isnan(t) || std::isnan(involute)) {
            if (const auto& notify = arcinvNotifier()) {
                notify();
            }
            return m;
        }
        if (t < involute) {
            lo = m;
            m = (hi + m) / 2;
        } else {
            hi = m;
            m = (lo + m) / 2;
        }
    }
    return m;
}

double ARCCOS(double x) {
    if (x == 1.0) {
        return 0;
    }
    const double s = requireFinite(std::sqrt(-(x * x) + 1), "ARCCOS: argument outside [-1, 1]");
    const double ratio = requireFinite(-x / s, "ARCCOS: division by zero");
    return atan(ratio) + 2 * std::atan(1.0);
}

}  // namespace tamrel
