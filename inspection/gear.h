#pragma once

#include "inspection/inspection.h"

#include <cstdint>
#include <optional>

namespace tamrel::inspection {

// The gear as the inspection uses it: the entered values and the transverse values derived from
// them as a compute run derives them.
struct Gear {
    double mn;
    double alphaN;
    std::int16_t z;
    double beta;
    double mt;      // transverse module
    double alphaT;  // transverse pressure angle
    double zAbs;    // |z|
    double sgn;     // +1 external, -1 internal
    double d;       // reference diameter
    double db;      // base diameter
    double cosBetaB;
    double tanBetaB;  // of |beta|, so never negative

    bool external() const { return z > 0; }
};

// Empty when a gear value or a band value is unusable. Throws CalculationError when a derived
// value overflows.
std::optional<Gear> makeGear(const InspectionInput& input);

// Tip and root diameter both positive and finite.
bool diametersUsable(const InspectionInput& input);

}  // namespace tamrel::inspection
