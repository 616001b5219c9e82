#pragma once

#include "drawing/canvas.h"
#include "drawing/view.h"

#include <cstdint>
#include <string>

namespace tamrel::bench {

// A gear of the default data with the given number of teeth, as a compute run with the Xn
// reference leaves it for the drawing: the drawing geometry, the automatic tip and root diameter
// texts and the picture's coordinate system fitted to the gear.
struct FittedGear {
    ProgramState state;
    std::string tip;
    std::string root;
    UserScale view;
};

// Throws std::runtime_error when the run reports an error.
FittedGear fitGear(std::int16_t teeth);

}  // namespace tamrel::bench
