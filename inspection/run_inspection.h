#pragma once

#include "conversion/field_store.h"
#include "conversion/number_locale.h"
#include "inspection/inspection.h"

#include <optional>

namespace tamrel::inspection {

// The inspection input of the gear and band a successful compute run leaves in the fields: the
// gear data read as the run reads them, the band's profile shifts (nominal TextS(0), mid TextSXn,
// max TextSXn1, min TextSXn2), the span count and ball diameter where the run could use them, and
// the tip and root diameters in use. Nothing when TextError holds a message or the fields hold no
// run's results.
std::optional<InspectionInput> inspectionInput(const FieldStore& store, const NumberLocale& locale);

// Why a quantity is absent, in English.
const char* failureText(Failure failure);

}  // namespace tamrel::inspection
