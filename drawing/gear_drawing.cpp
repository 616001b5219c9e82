#include "drawing/gear_drawing.h"

#include "conversion/numeric_text.h"
#include "geometry/angles.h"
#include "geometry/calculation_error.h"

#include <cfloat>
#include <cmath>
#include <stdexcept>

namespace tamrel {

namespace {

// 2 x PI, the full turn of the circle and tooth-pitch formulas.
constexpr double FullTurn = 6.28318530717958;

// The largest coordinate magnitude DrawGear hands over. Every coordinate it draws lies within the
// largest of its radii, up to the rounding of a few operations; the margin, far larger than that
// rounding, keeps each one a finite float.
constexpr double CoordinateLimit = static_cast<double>(FLT_MAX) * (1 - 1e-6);

using FlankMatrix = FixedMatrix<FlankPoints, 3>;

// Everything the drawing of one gear needs, computed and checked before the first drawing call.
struct GearPlan {
    GearDiameters diameters;
    double referenceRadius = 0;
    FlankMatrix flankA;
    FlankMatrix flankB;
};

bool withinLimit(double radius) {
    return std::fabs(radius) <= CoordinateLimit;
}

template <int Rows, int Columns> bool allFinite(const FixedMatrix<Rows, Columns>& m) {
    for (int i = 0; i < Rows; ++i) {
        for (int j = 0; j < Columns; ++j) {
            if (!std::isfinite(m(i, j))) {
                return false;
            }
        }
    }
    return true;
}

// The flanks and radii of a drawable gear, or nothing when some coordinate would not be a finite
// float: circle points lie within their radius; flank points within dOuter / 2, and turning them
// by a finite angle keeps them there.
std::optional<GearPlan> planGear(double db, double alphaT, std::int16_t zAbs, double xt,
                                 const GearDiameters& diameters, float rotationAngle) {
    GearPlan plan;
    plan.diameters = diameters;
    plan.referenceRadius = db / std::cos(alphaT) / 2;
    for (double radius : {db / 2, plan.referenceRadius, diameters.outer / 2, diameters.inner / 2}) {
        if (!withinLimit(radius)) {
            return std::nullopt;
        }
    }
    if (!std::isfinite(rotationAngle)) {
        return std::nullopt;
    }
    try {
        const ToothFlanks flanks = BuildToothFlanks(db, alphaT, zAbs, xt, diameters.outer);
        if (!std::isfinite(flanks.baseToothAngle)) {
            return std::nullopt;
        }
        plan.flankA = ToFixed<FlankPoints, 3>(flanks.flankA);
        plan.flankB = ToFixed<FlankPoints, 3>(flanks.flankB);
    } catch (const CalculationError&) {
        return std::nullopt;
    }
    if (!allFinite(plan.flankA) || !allFinite(plan.flankB)) {
        return std::nullopt;
    }
    return plan;
}

// DrawPolyline for a turned flank whose coordinates planGear has already checked.
void drawFlank(Canvas& canvas, const FlankMatrix& points) {
    canvas.plotPoint(static_cast<float>(points(0, 0)), static_cast<float>(points(0, 1)));
    for (int i = 1; i < FlankPoints; ++i) {
        canvas.lineTo(static_cast<float>(points(i, 0)), static_cast<float>(points(i, 1)));
    }
}

// Steps 7 and 8: the four circles and the centre point.
void drawCirclesAndCentre(Canvas& canvas, double db, const GearPlan& plan) {
    DrawCircle(canvas, 0, 0, db / 2);
    DrawCircle(canvas, 0, 0, plan.referenceRadius);
    canvas.setPenColor(Blue);
    DrawCircle(canvas, 0, 0, plan.diameters.outer / 2);
    DrawCircle(canvas, 0, 0, plan.diameters.inner / 2);
    canvas.setPenColor(Black);

    const std::array<double, 2> centre = {0, 0};
    DrawPoint(canvas, centre);
}

// Step 9: both flanks of every tooth. Both flanks of a tooth turn by the same angle, so one
// rotation matrix serves the two products.
void drawTeeth(Canvas& canvas, std::int16_t zAbs, const GearPlan& plan, float rotationAngle) {
    for (std::int16_t i = 0; i < zAbs; ++i) {
        const double angle = (-FullTurn / zAbs) * i - rotationAngle;
        const Matrix3x3 turn = RotMatrix3x3(angle);
        drawFlank(canvas, MatMul(plan.flankA, turn));
        drawFlank(canvas, MatMul(plan.flankB, turn));
    }
}

}  // namespace

std::optional<GearDiameters> ReadGearDiameters(std::string_view tipText, std::string_view rootText,
                                               const NumberLocale& locale) {
    if (!IsPositiveNumber(rootText, locale) || !IsPositiveNumber(tipText, locale)) {
        return std::nullopt;
    }
    const std::optional<double> dkg = parseNumber(tipText, locale);
    const std::optional<double> drg = parseNumber(rootText, locale);
    if (!dkg || !drg) {
        return std::nullopt;
    }
    if (*drg < *dkg) {
        return GearDiameters{*dkg, *drg};
    }
    return GearDiameters{*drg, *dkg};
}

double BaseToothAngle(double alphaT, std::int16_t zAbs, double xt) {
    return (4 * xt * std::tan(alphaT) + PI) / zAbs + 2 * INV(alphaT);
}

ToothFlanks BuildToothFlanks(double db, double alphaT, std::int16_t zAbs, double xt,
                             double dOuter) {
    ToothFlanks flanks;
    flanks.flankA = Matrix(FlankPoints, 3);
    Matrix flankB(FlankPoints, 3);
    for (std::int16_t i = 0; i < FlankPoints; ++i) {
        const double d = (dOuter - db) * i / 19 + db;
        const double a = ARCCOS(db / d);
        const double t = INV(a);
        flanks.flankA(i, 0) = std::sin(t) * d / 2;
        flanks.flankA(i, 1) = std::cos(t) * d / 2;
        flanks.flankA(i, 2) = 1;
        flankB(i, 0) = -(std::sin(t) * d / 2);
        flankB(i, 1) = std::cos(t) * d / 2;
        flankB(i, 2) = 1;
    }
    flanks.baseToothAngle = BaseToothAngle(alphaT, zAbs, xt);
    flanks.flankB = MatMul(flankB, RotMatrix(-flanks.baseToothAngle));
    return flanks;
}

float ToCanvasCoordinate(double value) {
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX))) {
        throw CalculationError("drawing coordinate beyond single precision");
    }
    return static_cast<float>(value);
}

void DrawCircle(Canvas& canvas, double x0, double y0, double r) {
    canvas.plotPoint(ToCanvasCoordinate(x0), ToCanvasCoordinate(y0 + r));
    for (std::int16_t c = 1; c <= 360; ++c) {
        const double u = FullTurn / 360 * c;
        canvas.lineTo(ToCanvasCoordinate(std::sin(u) * r + x0),
                      ToCanvasCoordinate(std::cos(u) * r + y0));
    }
}

void DrawPoint(Canvas& canvas, const std::array<double, 2>& v) {
    canvas.plotPoint(ToCanvasCoordinate(v[0]), ToCanvasCoordinate(v[1]));
}

void DrawPolyline(Canvas& canvas, const Matrix& points) {
    if (points.rows() == 0) {
        return;
    }
    if (points.columns() < 2) {
        throw std::invalid_argument("DrawPolyline: a point matrix needs columns x and y");
    }
    canvas.plotPoint(ToCanvasCoordinate(points(0, 0)), ToCanvasCoordinate(points(0, 1)));
    for (std::int16_t i = 1; i < points.rows(); ++i) {
        canvas.lineTo(ToCanvasCoordinate(points(i, 0)), ToCanvasCoordinate(points(i, 1)));
    }
}

void DrawGear(Canvas& canvas, double db, double alphaT, std::int16_t zAbs, double xt,
              std::string_view tipText, std::string_view rootText, float rotationAngle,
              const NumberLocale& locale) {
    canvas.clear();

    const std::optional<GearDiameters> diameters = ReadGearDiameters(tipText, rootText, locale);
    if (!diameters) {
        return;
    }
    // A base diameter that is not positive (or NaN) has no flank construction,
    // and without a tooth there is no pitch.
    if (!(db > 0) || zAbs < 1) {
        return;
    }
    if (diameters->outer < db) {
        return;
    }

    const std::optional<GearPlan> plan = planGear(db, alphaT, zAbs, xt, *diameters, rotationAngle);
    if (!plan) {
        return;  // the picture stays empty
    }
    drawCirclesAndCentre(canvas, db, *plan);
    drawTeeth(canvas, zAbs, *plan, rotationAngle);
}

}  // namespace tamrel
