#include "geometry/gear.h"

#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <cmath>

namespace tamrel {

Gear deriveGear(double mn, double alphaN, std::int16_t z, double beta) {
    Gear g;
    g.mn = mn;
    g.alphaN = alphaN;
    g.z = z;
    g.beta = beta;
    g.mt = requireFinite(mn / std::cos(beta), "transverse module");
    g.alphaT =
        std::atan(requireFinite(std::tan(alphaN) / std::cos(beta), "transverse pressure angle"));
    g.d = requireFinite(detail::absTeeth(z) * g.mt, "reference diameter");
    g.db = requireFinite(std::cos(g.alphaT) * g.d, "base diameter");
    g.cosBetaB = detail::cosBaseHelix(g.alphaT, beta);
    g.tanBetaB = std::tan(std::abs(beta)) * std::cos(g.alphaT);
    return g;
}

}  // namespace tamrel
