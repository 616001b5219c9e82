#include "inspection/chordal.h"

#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <cmath>

namespace tamrel::inspection {

// The normal section of a helical tooth is measured like a spur tooth of the virtual gear with
// zv = |z| / cos^3(beta) teeth; the half tooth angle on its reference circle is psi. The constant
// chord is where the basic rack touches both flanks, independent of the tooth count.
ChordalInspection inspectChordal(const Gear& g, const InspectionInput& in) {
    const double cosBeta = std::cos(g.beta);
    const double zv = g.zAbs() / (cosBeta * cosBeta * cosBeta);
    const double ha = (in.tipDiameter - g.d) / 2;
    const double sinAlpha = std::sin(g.alphaN);
    const double cosAlpha = std::cos(g.alphaN);
    ChordalInspection c{};
    for (const BandValue v : BandValues) {
        const double xn = in.xn[v];
        const double psi = PI / (2 * zv) + 2 * xn * std::tan(g.alphaN) / zv;
        c.thickness[v] = requireFinite(zv * g.mn * std::sin(psi), "chordal thickness");
        c.height[v] = requireFinite(zv * g.mn * (1 - std::cos(psi)) / 2 + ha, "chordal height");
        const double sn = XnToSN(g.mt, g.alphaT, g.beta, xn, g.z);
        c.constantChord[v] = requireFinite(sn * cosAlpha * cosAlpha, "constant chord");
        c.constantChordHeight[v] =
            requireFinite(ha - sn * sinAlpha * cosAlpha / 2, "constant chord height");
    }
    return c;
}

}  // namespace tamrel::inspection
