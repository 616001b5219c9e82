#pragma once

#include "conversion/fields.h"

#include <ostream>

namespace tamrel {

// Test messages name a field by its control name.
inline std::ostream& operator<<(std::ostream& out, Field f) {
    return out << fieldName(f);
}

}  // namespace tamrel
