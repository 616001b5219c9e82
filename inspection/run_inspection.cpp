#include "inspection/run_inspection.h"

#include "conversion/gear_data.h"
#include "conversion/numeric_text.h"
#include "geometry/calculation_error.h"

#include <array>
#include <cmath>
#include <limits>

namespace tamrel::inspection {

namespace {

constexpr std::array<std::pair<BandValue, Field>, 4> XnBand{{
    {BandValue::Nominal, reference(Xn)},
    {BandValue::Mid, middle(Xn)},
    {BandValue::Max, maximum(Xn)},
    {BandValue::Min, minimum(Xn)},
}};

// The span count as the run accepts it outside its own mode: a whole positive 16-bit number.
std::optional<std::int16_t> teethSpanned(const FieldStore& store, const NumberLocale& locale) {
    const auto k = parseNumber(store.text(Field::ZMG), locale);
    if (!k || !(*k > 0) || *k != std::floor(*k) || *k > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*k);
}

std::optional<double> ballDiameter(const FieldStore& store, const NumberLocale& locale) {
    const auto d = parseNumber(store.text(Field::DPG), locale);
    return d && *d > 0 ? d : std::nullopt;
}

}  // namespace

std::optional<InspectionInput> inspectionInput(const FieldStore& store,
                                               const NumberLocale& locale) {
    if (!store.text(Field::Error).empty()) {
        return std::nullopt;
    }
    GearData gear;
    try {
        gear = readGearData(store, locale);
    } catch (const RunStopped&) {
        return std::nullopt;
    } catch (const CalculationError&) {
        return std::nullopt;
    }
    InspectionInput input{gear.mn, gear.alphaN, gear.z, gear.beta, Band<double>::filled(0),
                          teethSpanned(store, locale), ballDiameter(store, locale),
                          // An unusable diameter reaches the engine as 0, which it reports.
                          parseNumber(store.text(Field::DKG), locale).value_or(0),
                          parseNumber(store.text(Field::DRG), locale).value_or(0)};
    for (const auto& [value, field] : XnBand) {
        const auto xn = parseNumber(store.text(field), locale);
        if (!xn) {
            return std::nullopt;
        }
        input.xn[value] = *xn;
    }
    return input;
}

const char* failureText(Failure failure) {
    switch (failure) {
    case Failure::InvalidGear:
        return "the gear data or the band are unusable";
    case Failure::InvalidDiameters:
        return "the tip or root diameter is not a positive number";
    case Failure::InternalGear:
        return "only for external gears";
    case Failure::NoTeethSpanned:
        return "no number of teeth spanned from 1 to the number of teeth less one";
    case Failure::NoBallDiameter:
        return "no ball or pin diameter";
    case Failure::NoBallPosition:
        return "the ball has no position outside the base circle";
    case Failure::ContactBelowBaseCircle:
        return "the contact lies inside the base circle";
    case Failure::TooFewTeeth:
        return "too few teeth to span";
    case Failure::NoUsableFlank:
        return "the form circle reaches the tip: no usable flank";
    case Failure::CalculationFailed:
        break;
    }
    return "the calculation failed";
}

}  // namespace tamrel::inspection
