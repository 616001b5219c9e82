#include "cli/gear_converter.h"

#include "conversion/compute_run.h"
#include "conversion/field_names.h"
#include "conversion/program_state.h"

#include <utility>

namespace tamrel::cli {

GearConverter::GearConverter(NumberLocale locale)
    : locale_(std::move(locale)), startTip_(store_.textOf(field::DKG)),
      startRoot_(store_.textOf(field::DRG)) {
    for (int i = 0; i < QuantityCount; ++i) {
        referenceRows_[i] = {field::reference(i), field::upperTolerance(i),
                             field::lowerTolerance(i)};
    }
}

const GridFieldStore& GearConverter::convert(const GearInput& input) {
    typeInput(input);
    // A new window per gear: nothing left for the drawing by an earlier run.
    ProgramState state;
    runConversion(store_, state, locale_);
    return store_;
}

void GearConverter::typeInput(const GearInput& input) {
    store_.setText(field::MN, input.mn);
    store_.setText(field::PN, input.pn);
    store_.setText(field::ZG, input.zg);
    store_.setText(field::BOG, input.bog);
    store_.setText(field::ZMG, input.zmg);
    store_.setText(field::DPG, input.dpg);
    store_.selectReference(input.reference);
    const auto& row = referenceRows_[input.reference];
    store_.setText(row[0], input.value);
    store_.setText(row[1], input.upper);
    store_.setText(row[2], input.lower);
    // A failed run keeps the diameters, so they must be those of a new window, not the last gear's.
    store_.setAutoDiameter(input.autoDiameter);
    store_.setText(field::DKG, input.autoDiameter ? startTip_ : input.dkg);
    store_.setText(field::DRG, input.autoDiameter ? startRoot_ : input.drg);
}

}  // namespace tamrel::cli
