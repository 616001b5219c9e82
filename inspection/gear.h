#pragma once

#include "geometry/gear.h"
#include "inspection/inspection.h"

#include <cstdint>
#include <optional>

namespace tamrel::inspection {

// Empty when a gear value or a band value is unusable. Throws CalculationError when a derived
// value overflows.
std::optional<Gear> makeGear(const InspectionInput& input);

// Tip and root diameter both positive and finite.
bool diametersUsable(const InspectionInput& input);

}  // namespace tamrel::inspection
