#pragma once

#include "geometry/gear.h"
#include "inspection/inspection.h"

#include <cstdint>
#include <optional>

namespace tamrel::inspection {

// The gear's module, angles and tooth count, the band and the rack are usable.
bool gearUsable(const InspectionInput& input);

// Tip and root diameter both positive and finite.
bool diametersUsable(const InspectionInput& input);

}  // namespace tamrel::inspection
