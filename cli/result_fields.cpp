#include "cli/result_fields.h"

#include "conversion/field_names.h"

namespace tamrel::cli {

namespace {

std::array<std::string, ResultFieldCount> orderedFields() {
    std::array<std::string, ResultFieldCount> names;
    std::size_t next = 0;
    for (int i = 0; i < QuantityCount; ++i) {
        names[next++] = field::reference(i);
        names[next++] = field::upperTolerance(i);
        names[next++] = field::lowerTolerance(i);
        for (const char* result : field::results[i]) {
            names[next++] = result;
        }
    }
    names[next++] = field::DKG;
    names[next++] = field::DRG;
    names[next++] = field::Error;
    return names;
}

}  // namespace

const std::array<std::string, ResultFieldCount>& resultFields() {
    static const std::array<std::string, ResultFieldCount> names = orderedFields();
    return names;
}

}  // namespace tamrel::cli
