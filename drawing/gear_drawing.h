#pragma once

#include "conversion/number_locale.h"
#include "drawing/canvas.h"
#include "drawing/matrix.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tamrel {

// Clears the canvas and draws the transverse outline of the gear: base, reference, tip and root
// circles, the centre point and both involute flanks of every tooth, turned clockwise by
// rotationAngle. The tip and root diameters come as the texts of TextDKG and TextDRG; unless both
// are positive numbers and the larger reaches the base circle, the picture stays empty.
//
// The picture is either the whole gear or empty (cleared only): it also stays empty when db is not
// positive, when zAbs < 1, when INV or ARCCOS fail, or when any coordinate would lie beyond the
// single-precision range. Everything is computed and checked before the first drawing call; a
// refused call leaves the pen colour as it was. A drawn gear leaves the pen black.
void DrawGear(Canvas& canvas, double db, double alphaT, std::int16_t zAbs, double xt,
              std::string_view tipText, std::string_view rootText, float rotationAngle,
              const NumberLocale& locale);

// The pieces of the construction, exposed for tests and for reuse.

// The two diameters of the drawing: outer is the larger, inner the other.
struct GearDiameters {
    double outer = 0;
    double inner = 0;
};

// Steps 2 and 3: both texts must pass IsPositiveNumber; then DKG = tip and DRG = root, and
// dOuter = DKG, dInner = DRG if DRG < DKG, otherwise dOuter = DRG, dInner = DKG.
std::optional<GearDiameters> ReadGearDiameters(std::string_view tipText, std::string_view rootText,
                                               const NumberLocale& locale);

// (4 x xt x tan(alphaT) + PI) / zAbs + 2 x INV(alphaT): the angular thickness of one tooth on the
// base circle. Throws CalculationError when INV fails.
double BaseToothAngle(double alphaT, std::int16_t zAbs, double xt);

// The number of points of a flank.
inline constexpr int FlankPoints = 20;

// Steps 5 and 6: flankA as built, flankB mirrored and already turned by -baseToothAngle.
struct ToothFlanks {
    Matrix flankA;
    Matrix flankB;
    double baseToothAngle = 0;
};

// Builds the two 20-row flank matrices from the base circle to dOuter and turns flank B by the
// base tooth angle. Expects 0 < db <= dOuter (as DrawGear ensures); throws CalculationError when
// ARCCOS or INV fail.
ToothFlanks BuildToothFlanks(double db, double alphaT, std::int16_t zAbs, double xt, double dOuter);

// A coordinate as handed to the canvas: the double converted to single precision. Throws
// CalculationError for a NaN or a magnitude beyond the largest finite float.
float ToCanvasCoordinate(double value);

// The drawing procedures. Each converts its coordinates with ToCanvasCoordinate, so a
// coordinate beyond single precision throws CalculationError before it reaches the canvas (the
// calls made before it stay made; DrawGear checks everything first).

// Plots (x0, y0 + r), then draws 360 lines to (sin u x r + x0, cos u x r + y0) with
// u = 6.28318530717958 / 360 x c for c = 1 to 360: clockwise from the top (y upwards).
void DrawCircle(Canvas& canvas, double x0, double y0, double r);

// Plots the point (v(0), v(1)).
void DrawPoint(Canvas& canvas, const std::array<double, 2>& v);

// Plots row 0 of the point matrix, then draws a line to each further row in order; column 2 is
// not used. A matrix without rows draws nothing; one with fewer than two columns throws
// std::invalid_argument.
void DrawPolyline(Canvas& canvas, const Matrix& points);

}  // namespace tamrel
