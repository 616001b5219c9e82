#include "geometry/calculation_error.h"

#include <cmath>

namespace tamrel {

double requireFinite(double value, const char* what) {
    if (!std::isfinite(value)) {
        throw CalculationError(what);
    }
    return value;
}

}  // namespace tamrel
