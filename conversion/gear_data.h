#pragma once

#include "conversion/field_store.h"
#include "conversion/number_locale.h"

#include <cstdint>
#include <string>

namespace tamrel {

// The gear data of the fields as a compute run reads them: a negative module (a diametral pitch in
// teeth per inch) turned into a module, the angles in radians.
struct GearData {
    double mn = 0;
    double alphaN = 0;
    std::int16_t z = 0;
    double beta = 0;
};

// Thrown by a failed input check; the run writes the message into TextError and ends.
struct RunStopped {
    std::string message;
};

// Reads and checks the gear data in the order of the run's messages. Throws RunStopped for the
// first field that does not qualify and CalculationError when a diametral pitch overflows.
GearData readGearData(const FieldStore& store, const NumberLocale& locale);

}  // namespace tamrel
