#pragma once

#include "conversion/conversion_result.h"
#include "inspection/inspection.h"

#include <optional>

namespace tamrel::inspection {

// The inspection input of the gear and band a completed compute run leaves: its gear, the band's
// profile shifts as their fields show them, the span count and ball diameter where the run could
// use them, and the tip and root diameters in use. Nothing when the run stopped or computed no
// profile shift.
std::optional<InspectionInput> inspectionInput(const ConversionResult& run);

}  // namespace tamrel::inspection
