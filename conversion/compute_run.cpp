#include "conversion/compute_run.h"

#include "conversion/numeric_text.h"
#include "conversion/run_steps.h"
#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <cmath>
#include <limits>

namespace tamrel {

namespace run {

double numberOf(const FieldStore& store, Field field, const NumberLocale& locale) {
    // Only called after the field passed a numeric check.
    return parseNumber(store.text(field), locale).value_or(0);
}

std::int16_t toCount(double wholeNumber, const char* message) {
    if (wholeNumber < std::numeric_limits<std::int16_t>::min() ||
        wholeNumber > std::numeric_limits<std::int16_t>::max()) {
        throw RunStopped{message};
    }
    return static_cast<std::int16_t>(wholeNumber);
}

}  // namespace run

namespace {

using run::Transverse;

bool isNonZeroInteger(std::string_view text, const NumberLocale& locale) {
    return IsNegativeInteger(text, locale) || IsPositiveInteger(text, locale);
}

bool isNonZeroNumber(std::string_view text, const NumberLocale& locale) {
    return IsPositiveNumber(text, locale) || IsNegativeNumber(text, locale);
}

// Every result and every row that is not the reference shows the placeholder until computed.
void reset(FieldStore& store, ProgramState& state) {
    state.rotationAngle = 0;
    store.setText(Field::Error, "");
    for (Quantity q : Quantities) {
        store.setText(middle(q), Placeholder);
        store.setText(maximum(q), Placeholder);
        store.setText(minimum(q), Placeholder);
    }
    for (Quantity q : Quantities) {
        if (!store.isReferenceSelected(q)) {
            store.setText(reference(q), Placeholder);
            store.setText(upperTolerance(q), Placeholder);
            store.setText(lowerTolerance(q), Placeholder);
        }
    }
}

Transverse derive(const GearData& gear) {
    Transverse t;
    t.mt = requireFinite(gear.mn / std::cos(gear.beta), "transverse module");
    t.alphaT = std::atan(
        requireFinite(std::tan(gear.alphaN) / std::cos(gear.beta), "transverse pressure angle"));
    t.d = requireFinite(detail::absTeeth(gear.z) * t.mt, "reference diameter");
    t.db = requireFinite(std::cos(t.alphaT) * t.d, "base diameter");
    return t;
}

}  // namespace

GearData readGearData(const FieldStore& store, const NumberLocale& locale) {
    GearData gear;
    const double module =
        run::readChecked(store, Field::MN, isNonZeroNumber, locale, "ERROR:MN was wrong!");
    // A negative entry is a diametral pitch in teeth per inch.
    gear.mn = module > 0 ? module : requireFinite(-25.4 / module, "diametral pitch");
    gear.alphaN =
        RAD(run::readChecked(store, Field::PN, IsPositiveNumber, locale, "ERROR:PN was wrong!"));
    const double teeth =
        run::readChecked(store, Field::ZG, isNonZeroInteger, locale, "ERROR:ZG was wrong!");
    gear.z = run::toCount(teeth, "ERROR:ZG was wrong!");
    gear.beta = RAD(run::readChecked(store, Field::BOG, IsNumeric, locale, "ERROR:BOG was wrong!"));
    return gear;
}

void runConversion(FieldStore& store, ProgramState& state, const NumberLocale& locale) {
    reset(store, state);
    try {
        const GearData gear = readGearData(store, locale);
        const Transverse t = derive(gear);
        double xMid = 0;
        for (Quantity mode : Quantities) {
            if (store.isReferenceSelected(mode)) {
                xMid = run::runModeBlock(mode, store, gear, t, locale);
            }
        }
        run::finishRun(store, state, gear, t, xMid, locale);
    } catch (const RunStopped& stop) {
        store.setText(Field::Error, stop.message);
    } catch (const CalculationError&) {
        store.setText(Field::Error, CalculationFailedMessage);
    }
}

}  // namespace tamrel
