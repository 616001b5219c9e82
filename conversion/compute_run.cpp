#include "conversion/compute_run.h"

#include "conversion/numeric_text.h"
#include "conversion/run_steps.h"
#include "geometry/angles.h"
#include "geometry/calculation_error.h"

#include <limits>

namespace tamrel {

namespace run {

double numberOf(const ConversionInput& in, Input input) {
    // Only called after the text passed a numeric check.
    return parseNumber(in[input], in.locale).value_or(0);
}

std::int16_t toCount(double wholeNumber, Message otherwise) {
    if (wholeNumber < std::numeric_limits<std::int16_t>::min() ||
        wholeNumber > std::numeric_limits<std::int16_t>::max()) {
        throw RunStopped{otherwise};
    }
    return static_cast<std::int16_t>(wholeNumber);
}

}  // namespace run

namespace {

using run::readChecked;
using run::wrong;

bool isNonZeroInteger(std::string_view text, const NumberLocale& locale) {
    return IsNegativeInteger(text, locale) || IsPositiveInteger(text, locale);
}

bool isNonZeroNumber(std::string_view text, const NumberLocale& locale) {
    return IsPositiveNumber(text, locale) || IsNegativeNumber(text, locale);
}

// The gear data in the order of their messages; a negative module is a diametral pitch in teeth
// per inch.
Gear readGear(const ConversionInput& in) {
    const double module = readChecked(in, Input::MN, isNonZeroNumber, wrong(Input::MN));
    const double mn = module > 0 ? module : requireFinite(-25.4 / module, "diametral pitch");
    const double alphaN = RAD(readChecked(in, Input::PN, IsPositiveNumber, wrong(Input::PN)));
    const double teeth = readChecked(in, Input::ZG, isNonZeroInteger, wrong(Input::ZG));
    const std::int16_t z = run::toCount(teeth, wrong(Input::ZG));
    const double beta = RAD(readChecked(in, Input::BOG, IsNumeric, wrong(Input::BOG)));
    return deriveGear(mn, alphaN, z, beta);
}

}  // namespace

ConversionResult runConversion(const ConversionInput& in) {
    ConversionResult result(in);
    try {
        const Gear gear = readGear(in);
        run::ModeOutcome mode;
        if (in.reference) {
            mode = run::runModeBlock(*in.reference, in, gear, result);
        }
        run::finishRun(in, gear, mode, result);
    } catch (const run::RunStopped& stop) {
        result.message = stop.message;
    } catch (const CalculationError&) {
        result.message = {Problem::CalculationFailed};
    }
    return result;
}

}  // namespace tamrel
