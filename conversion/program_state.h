#pragma once

#include <cstdint>

namespace tamrel {

// What the last successful compute run leaves for the drawing. db = 0 means no run has
// succeeded yet.
struct DrawingGeometry {
    double db = 0;
    double alphaT = 0;
    std::int16_t zAbs = 0;
    double xMid = 0;
    double beta = 0;
};

// The program-wide values outside the window's controls.
struct ProgramState {
    DrawingGeometry drawingGeometry;
    // Rotation of the drawn gear in radians, single precision; every compute run resets it.
    float rotationAngle = 0;
};

}  // namespace tamrel
