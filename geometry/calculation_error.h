#pragma once

#include <stdexcept>

namespace tamrel {

// A floating-point failure: an invalid operation, a division by zero, an overflow, the square
// root of a negative number, or the 16-bit overflow of a tooth count's magnitude.
class CalculationError : public std::runtime_error {
public:
    explicit CalculationError(const char* what) : std::runtime_error(what) {}
};

// Every failing IEEE operation on finite operands yields an infinity or a NaN, so checking each
// intermediate that could fail is exact and cannot be reordered away by the optimiser.
double requireFinite(double value, const char* what);

}  // namespace tamrel
