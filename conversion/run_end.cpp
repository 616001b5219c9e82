#include "conversion/number_format.h"
#include "conversion/run_steps.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <cmath>
#include <limits>

namespace tamrel::run {

namespace {

// Cut, not rounded, to four decimals (floor, also for negative values).
double floorToFourDecimals(double value) {
    return requireFinite(std::floor(requireFinite(value * 10000, "diameter")) / 10000, "diameter");
}

float toSingle(double value) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) {
        throw CalculationError("coordinate beyond single precision");
    }
    return static_cast<float>(value);
}

struct CoordinateFit {
    float left, top, right, bottom;
};

// A view floor(1.2 d) millimetres high, centred on the gear, y upward, with the picture's
// aspect ratio.
CoordinateFit fitCoordinates(const FieldStore& store, double d) {
    const float scaleHeight = toSingle(std::floor(d * 1.2));
    const float scaleWidth = toSingle(store.pictureOuterWidth() * static_cast<double>(scaleHeight) /
                                      store.pictureOuterHeight());
    return {-scaleWidth / 2, scaleHeight / 2, scaleWidth / 2, -scaleHeight / 2};
}

}  // namespace

void finishRun(FieldStore& store, ProgramState& state, const GearData& gear, const Transverse& t,
               double xMid, const NumberLocale& locale) {
    // Everything is computed before anything is stored, so a failure changes nothing.
    const DrawingGeometry geometry{t.db, t.alphaT, detail::absTeeth(gear.z), xMid, gear.beta};
    const double s = gear.z > 0 ? 1 : -1;
    const double shift = gear.mn * (2 * xMid);
    const double tip = floorToFourDecimals(2 * s * gear.mn + t.d + shift);
    const double root = floorToFourDecimals(t.d - 2 * s * 1.25 * gear.mn + shift);
    const std::string tipText = formatPlain(tip, locale);
    const std::string rootText = formatPlain(root, locale);
    const CoordinateFit fit = fitCoordinates(store, t.d);

    state.drawingGeometry = geometry;
    if (store.isAutoDiameterChecked()) {
        store.setText(Field::DKG, tipText);
        store.setText(Field::DRG, rootText);
    }
    store.setPictureCoordinates(fit.left, fit.top, fit.right, fit.bottom);
}

}  // namespace tamrel::run
