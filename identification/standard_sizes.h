#pragma once

#include "identification/identification.h"

#include <optional>
#include <vector>

// The sizes hobbed gears are made in: the standard modules and diametral pitches, pressure angles
// and hob dedenda.
namespace tamrel::identification {

// A module or diametral pitch with a pressure angle, and the normal base pitch pi mn cos(alphaN)
// they give.
struct StandardPair {
    System system;
    double module;          // mm
    double diametralPitch;  // teeth per inch; 0 for a module
    double pressureAngle;   // degrees
    double basePitch;       // mm
};

// Every standard module and diametral pitch with every standard pressure angle.
const std::vector<StandardPair>& standardPairs();

// The standard hob dedendum over the module nearest to `factor`, unless it is more than 0.1 away.
std::optional<double> standardDedendum(double factor);

}  // namespace tamrel::identification
