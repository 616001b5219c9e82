#include "cli/gear_converter.h"

#include "conversion/compute_run.h"
#include "conversion/program_state.h"

#include <utility>

namespace tamrel::cli {

GearConverter::GearConverter(NumberLocale locale)
    : locale_(std::move(locale)), startTip_(store_.textOf(Field::DKG)),
      startRoot_(store_.textOf(Field::DRG)) {}

const MemoryFieldStore& GearConverter::convert(const GearInput& input) {
    typeInput(input);
    // A new window per gear: nothing left for the drawing by an earlier run.
    ProgramState state;
    runConversion(store_, state, locale_);
    return store_;
}

void GearConverter::typeInput(const GearInput& input) {
    store_.setText(Field::MN, input.mn);
    store_.setText(Field::PN, input.pn);
    store_.setText(Field::ZG, input.zg);
    store_.setText(Field::BOG, input.bog);
    store_.setText(Field::ZMG, input.zmg);
    store_.setText(Field::DPG, input.dpg);
    store_.selectReference(input.reference);
    const auto q = static_cast<Quantity>(input.reference);
    store_.setText(reference(q), input.value);
    store_.setText(upperTolerance(q), input.upper);
    store_.setText(lowerTolerance(q), input.lower);
    // A failed run keeps the diameters, so they must be those of a new window, not the last gear's.
    store_.setAutoDiameter(input.autoDiameter);
    store_.setText(Field::DKG, input.autoDiameter ? startTip_ : input.dkg);
    store_.setText(Field::DRG, input.autoDiameter ? startRoot_ : input.drg);
}

}  // namespace tamrel::cli
