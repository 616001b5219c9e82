#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <cmath>

namespace tamrel {

namespace {

// S = |Z| * INV(PS) + (ZM - 0.5) * PI, the product formed first.
double involuteTerm(double PS, std::int16_t Z, std::int16_t ZM) {
    const double absZ = detail::absTeeth(Z);
    const double teethTerm = requireFinite(absZ * INV(PS), "involute term");
    return requireFinite(teethTerm + (static_cast<double>(ZM) - 0.5) * PI, "involute term");
}

}  // namespace

double XnToSM(double MS, double PS, std::int16_t Z, double BO, std::int16_t ZM, double XN) {
    const double cosBetaB = detail::cosBaseHelix(PS, BO);
    const double S = involuteTerm(PS, Z, ZM);
    const double Wt = S * (std::cos(PS) * MS) + (2 * XN) * std::sin(PS) * MS * std::cos(BO);
    return requireFinite(requireFinite(Wt, "XnToSM") * cosBetaB, "XnToSM");
}

double XnFromSM(double MS, double PS, std::int16_t Z, double BO, std::int16_t ZM, double SM) {
    const double cosBetaB = detail::cosBaseHelix(PS, BO);
    const double S = involuteTerm(PS, Z, ZM);
    const double Wt = requireFinite(SM / cosBetaB, "XnFromSM");
    const double numerator = requireFinite(Wt - S * (std::cos(PS) * MS), "XnFromSM");
    return requireFinite(numerator / 2 / std::sin(PS) / MS / std::cos(BO), "XnFromSM");
}

}  // namespace tamrel
