#include "drawing/gear_drawing.h"

#include "conversion/numeric_text.h"
#include "geometry/angles.h"
#include "geometry/calculation_error.h"

#include <cfloat>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace tamrel {

namespace {

// 2 x PI, the full turn of the circle and tooth-pitch formulas.
constexpr double FullTurn = 6.28318530717958;

// A canvas that only records what would be drawn, so that DrawGear can compute and check the
// whole picture before it touches the real canvas.
class PlannedDrawing : public Canvas {
public:
    void clear() override { operations_.clear(); }
    void setPenColor(Rgb color) override { operations_.push_back({Kind::Pen, color, 0, 0}); }
    void plotPoint(float x, float y) override { operations_.push_back({Kind::Point, 0, x, y}); }
    void lineTo(float x, float y) override { operations_.push_back({Kind::Line, 0, x, y}); }
    UserScale userScale() const override { return {}; }
    void setUserScale(const UserScale&) override {}

    void reserve(std::size_t count) { operations_.reserve(count); }

    void replayOnto(Canvas& canvas) const {
        for (const Operation& operation : operations_) {
            switch (operation.kind) {
            case Kind::Pen:
                canvas.setPenColor(operation.color);
                break;
            case Kind::Point:
                canvas.plotPoint(operation.x, operation.y);
                break;
            case Kind::Line:
                canvas.lineTo(operation.x, operation.y);
                break;
            }
        }
    }

private:
    enum class Kind : unsigned char { Pen, Point, Line };
    struct Operation {
        Kind kind;
        Rgb color;
        float x;
        float y;
    };
    std::vector<Operation> operations_;
};

// Steps 7 to 9 of DrawGear: circles, centre point and the flanks of every tooth.
void DrawOutline(Canvas& canvas, double db, double alphaT, std::int16_t zAbs,
                 const GearDiameters& diameters, const ToothFlanks& flanks, float rotationAngle) {
    DrawCircle(canvas, 0, 0, db / 2);
    DrawCircle(canvas, 0, 0, db / std::cos(alphaT) / 2);
    canvas.setPenColor(Blue);
    DrawCircle(canvas, 0, 0, diameters.outer / 2);
    DrawCircle(canvas, 0, 0, diameters.inner / 2);
    canvas.setPenColor(Black);

    const std::array<double, 2> centre = {0, 0};
    DrawPoint(canvas, centre);

    for (std::int16_t i = 0; i < zAbs; ++i) {
        const double angle = (-FullTurn / zAbs) * i - rotationAngle;
        DrawPolyline(canvas, MatMul(flanks.flankA, RotMatrix(angle)));
        DrawPolyline(canvas, MatMul(flanks.flankB, RotMatrix(angle)));
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

    PlannedDrawing plan;
    try {
        const ToothFlanks flanks = BuildToothFlanks(db, alphaT, zAbs, xt, diameters->outer);
        plan.reserve(4 * 361 + 2 + 1 + static_cast<std::size_t>(zAbs) * 2 * FlankPoints);
        DrawOutline(plan, db, alphaT, zAbs, *diameters, flanks, rotationAngle);
    } catch (const CalculationError&) {
        return;  // the picture stays empty
    }
    plan.replayOnto(canvas);
}

}  // namespace tamrel
