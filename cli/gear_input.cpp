#include "cli/gear_input.h"

#include "cli/text_helpers.h"

#include <array>

namespace tamrel::cli {

namespace {

constexpr std::array<const char*, QuantityCount> Names{"Xn", "W", "M", "Sn"};

}  // namespace

std::optional<Quantity> parseReference(std::string_view name) {
    name = trimBlanks(name);
    for (int i = 0; i < QuantityCount; ++i) {
        if (equalsIgnoringCase(name, Names[i])) {
            return static_cast<Quantity>(i);
        }
    }
    return std::nullopt;
}

const char* referenceName(Quantity quantity) {
    return Names[quantity];
}

}  // namespace tamrel::cli
