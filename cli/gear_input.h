#pragma once

#include "conversion/fields.h"

#include <optional>
#include <string>
#include <string_view>

namespace tamrel::cli {

// One gear as a user would type it into the window: every value is the text of its field,
// passed on unchanged so that the compute run does its own checking.
struct GearInput {
    std::string mn;
    std::string pn;
    std::string zg;
    std::string bog;
    std::string zmg;  // empty when not given, as in a window whose field was cleared
    std::string dpg;
    Quantity reference = W;
    std::string value;
    std::string upper = "0";
    std::string lower = "0";
    // Unchecked "AUTO": the run keeps the typed tip and root diameters.
    bool autoDiameter = true;
    std::string dkg;
    std::string drg;
};

// "Xn", "W", "M" or "Sn" in any letter case, with blanks around allowed.
std::optional<Quantity> parseReference(std::string_view name);

// The short name of a quantity: "Xn", "W", "M", "Sn".
const char* referenceName(Quantity quantity);

}  // namespace tamrel::cli
