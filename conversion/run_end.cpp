#include "conversion/number_format.h"
#include "conversion/numeric_text.h"
#include "conversion/run_steps.h"
#include "geometry/calculation_error.h"

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

// A view floor(1.2 d) millimetres high, centred on the gear, y upward, with the picture's
// aspect ratio.
ViewFit fitView(const ConversionInput& in, double d) {
    const float scaleHeight = toSingle(std::floor(d * 1.2));
    const float scaleWidth =
        toSingle(in.pictureWidth * static_cast<double>(scaleHeight) / in.pictureHeight);
    return {-scaleWidth / 2, scaleHeight / 2, scaleWidth / 2, -scaleHeight / 2};
}

// A diameter as its field shows it.
Cell shownDiameter(double value, const NumberLocale& locale) {
    std::string text = formatPlain(value, locale);
    return {parseNumber(text, locale), std::move(text)};
}

}  // namespace

void finishRun(const ConversionInput& in, const Gear& gear, const ModeOutcome& mode,
               ConversionResult& result) {
    const double s = gear.z > 0 ? 1 : -1;
    const double shift = gear.mn * (2 * mode.xMid);
    const double tip = floorToFourDecimals(2 * s * gear.mn + gear.d + shift);
    const double root = floorToFourDecimals(gear.d - 2 * s * 1.25 * gear.mn + shift);
    Cell tipCell = shownDiameter(tip, in.locale);
    Cell rootCell = shownDiameter(root, in.locale);
    const ViewFit view = fitView(in, gear.d);

    if (in.automaticDiameters) {
        result.tipDiameter = std::move(tipCell);
        result.rootDiameter = std::move(rootCell);
        result.diametersComputed = true;
    }
    result.completed = CompletedRun{gear, mode.teethSpanned, mode.ballDiameter, mode.xMid, view};
}

}  // namespace tamrel::run
