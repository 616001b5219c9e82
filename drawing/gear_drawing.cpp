#include "drawing/gear_drawing.h"

#include "conversion/numeric_text.h"
#include "geometry/angles.h"
#include "geometry/calculation_error.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <optional>

namespace tamrel {

namespace {

// 2 x PI, the full turn of the circle and tooth-pitch formulas.
constexpr double FullTurn = 6.28318530717958;

// The largest coordinate magnitude DrawGear hands over. Every coordinate it draws lies within the
// largest of its radii, up to the rounding of a few operations; the margin, far larger than that
// rounding, keeps each one a finite float.
constexpr double CoordinateLimit = static_cast<double>(FLT_MAX) * (1 - 1e-6);

constexpr int FlankPoints = 20;

// A row of three doubles. A point row holds x, y and the homogeneous 1.
using Row = std::array<double, 3>;
using Flank = std::array<Row, FlankPoints>;
using Rotation = std::array<Row, 3>;

// The matrix that turns a point row (x, y, 1) by t radians anticlockwise (y upwards).
Rotation RotMatrix(double t) {
    return {{{std::cos(t), std::sin(t), 0}, {-std::sin(t), std::cos(t), 0}, {0, 0, 1}}};
}

// The product a x b, each entry accumulated from 0 in the order k = 0, 1, 2.
Flank MatMul(const Flank& a, const Rotation& b) {
    Flank c;
    for (int i = 0; i < FlankPoints; ++i) {
        for (int j = 0; j < 3; ++j) {
            double sum = 0;
            for (int k = 0; k < 3; ++k) {
                sum = sum + a[i][k] * b[k][j];
            }
            c[i][j] = sum;
        }
    }
    return c;
}

// dOuter is the larger of the two diameters, dInner the other.
struct Diameters {
    double outer;
    double inner;
};

std::optional<Diameters> readDiameters(std::string_view tipText, std::string_view rootText,
                                       const NumberLocale& locale) {
    const std::optional<double> dkg = parseNumber(tipText, locale);
    const std::optional<double> drg = parseNumber(rootText, locale);
    if (!dkg || !drg || !(*dkg > 0) || !(*drg > 0)) {
        return std::nullopt;
    }
    if (*drg < *dkg) {
        return Diameters{*dkg, *drg};
    }
    return Diameters{*drg, *dkg};
}

// Everything the drawing of one gear needs, computed and checked before the first drawing call.
struct GearPlan {
    Diameters diameters;
    double referenceRadius = 0;
    Flank flankA;
    Flank flankB;
};

// Flank A from the base circle to dOuter in equal steps of diameter; flank B its mirror image,
// turned clockwise by the angular thickness of a tooth on the base circle. Throws
// CalculationError when ARCCOS or INV fail.
void buildFlanks(GearPlan& plan, double db, double alphaT, std::int16_t zAbs, double xt) {
    const double dOuter = plan.diameters.outer;
    Flank flankB;
    for (int i = 0; i < FlankPoints; ++i) {
        const double d = (dOuter - db) * i / 19 + db;
        const double t = INV(ARCCOS(db / d));
        plan.flankA[i] = {std::sin(t) * d / 2, std::cos(t) * d / 2, 1};
        flankB[i] = {-(std::sin(t) * d / 2), std::cos(t) * d / 2, 1};
    }
    const double baseToothAngle = (4 * xt * std::tan(alphaT) + PI) / zAbs + 2 * INV(alphaT);
    if (!std::isfinite(baseToothAngle)) {
        throw CalculationError("base tooth angle out of range");
    }
    plan.flankB = MatMul(flankB, RotMatrix(-baseToothAngle));
}

// The flanks and radii of a drawable gear, or nothing when some coordinate would not be a finite
// float: circle points lie within their radius; flank points within dOuter / 2, and turning them
// by a finite angle keeps them there.
std::optional<GearPlan> planGear(double db, double alphaT, std::int16_t zAbs, double xt,
                                 const Diameters& diameters, float rotationAngle) {
    GearPlan plan;
    plan.diameters = diameters;
    plan.referenceRadius = db / std::cos(alphaT) / 2;
    for (double radius : {db / 2, plan.referenceRadius, diameters.outer / 2, diameters.inner / 2}) {
        if (!(std::fabs(radius) <= CoordinateLimit)) {
            return std::nullopt;
        }
    }
    if (!std::isfinite(rotationAngle)) {
        return std::nullopt;
    }
    try {
        buildFlanks(plan, db, alphaT, zAbs, xt);
    } catch (const CalculationError&) {
        return std::nullopt;
    }
    return plan;
}

// Plots (x0, y0 + r), then draws 360 lines clockwise from the top (y upwards).
void drawCircle(Canvas& canvas, double x0, double y0, double r) {
    canvas.plotPoint(static_cast<float>(x0), static_cast<float>(y0 + r));
    for (int c = 1; c <= 360; ++c) {
        const double u = FullTurn / 360 * c;
        canvas.lineTo(static_cast<float>(std::sin(u) * r + x0),
                      static_cast<float>(std::cos(u) * r + y0));
    }
}

// The polyline through the rows of a flank; column 2 is not used.
void drawFlank(Canvas& canvas, const Flank& points) {
    canvas.plotPoint(static_cast<float>(points[0][0]), static_cast<float>(points[0][1]));
    for (int i = 1; i < FlankPoints; ++i) {
        canvas.lineTo(static_cast<float>(points[i][0]), static_cast<float>(points[i][1]));
    }
}

void drawCirclesAndCentre(Canvas& canvas, double db, const GearPlan& plan) {
    drawCircle(canvas, 0, 0, db / 2);
    drawCircle(canvas, 0, 0, plan.referenceRadius);
    canvas.setPenColor(Blue);
    drawCircle(canvas, 0, 0, plan.diameters.outer / 2);
    drawCircle(canvas, 0, 0, plan.diameters.inner / 2);
    canvas.setPenColor(Black);
    canvas.plotPoint(0, 0);
}

// Both flanks of every tooth, tooth i turned i pitches clockwise. Both flanks of a tooth turn by
// the same angle, so one rotation matrix serves the two products.
void drawTeeth(Canvas& canvas, std::int16_t zAbs, const GearPlan& plan, float rotationAngle) {
    for (std::int16_t i = 0; i < zAbs; ++i) {
        const double angle = (-FullTurn / zAbs) * i - rotationAngle;
        const Rotation turn = RotMatrix(angle);
        drawFlank(canvas, MatMul(plan.flankA, turn));
        drawFlank(canvas, MatMul(plan.flankB, turn));
    }
}

}  // namespace

void DrawGear(Canvas& canvas, double db, double alphaT, std::int16_t zAbs, double xt,
              std::string_view tipText, std::string_view rootText, float rotationAngle,
              const NumberLocale& locale) {
    canvas.clear();

    const std::optional<Diameters> diameters = readDiameters(tipText, rootText, locale);
    // A base diameter that is not positive (or NaN) has no flank construction, and without a
    // tooth there is no pitch.
    if (!diameters || !(db > 0) || zAbs < 1 || diameters->outer < db) {
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
