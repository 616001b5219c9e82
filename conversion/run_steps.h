#pragma once

// The steps of one compute run, shared by its translation units.

#include "conversion/conversion_result.h"
#include "conversion/inputs.h"
#include "geometry/gear.h"

#include <cstdint>
#include <optional>

namespace tamrel::run {

// Thrown by a failed input check: the run shows the message and ends.
struct RunStopped {
    Message message;
};

inline Message wrong(Input input) {
    return {Problem::Wrong, input};
}

// The number of an input that passes `accepted`; otherwise the run stops with `otherwise`.
template <typename Predicate>
double readChecked(const ConversionInput& in, Input input, Predicate accepted, Message otherwise);

// A 16-bit count from a whole number, or the run stops with `otherwise`.
std::int16_t toCount(double wholeNumber, Message otherwise);

// What the block of the reference quantity leaves for the end of the run.
struct ModeOutcome {
    double xMid = 0;  // the profile shift of the band's middle
    std::optional<std::int16_t> teethSpanned;
    std::optional<double> ballDiameter;
};

// Runs the block of reference quantity `mode`, writing each value into `result` the moment it is
// computed.
ModeOutcome runModeBlock(Quantity mode, const ConversionInput& in, const Gear& gear,
                         ConversionResult& result);

// The end of a successful run: the automatic diameters and the fitted view. Computes everything
// before it stores anything, so a failure leaves `result` as it was.
void finishRun(const ConversionInput& in, const Gear& gear, const ModeOutcome& mode,
               ConversionResult& result);

double numberOf(const ConversionInput& in, Input input);

template <typename Predicate>
double readChecked(const ConversionInput& in, Input input, Predicate accepted, Message otherwise) {
    if (!accepted(in[input], in.locale)) {
        throw RunStopped{otherwise};
    }
    return numberOf(in, input);
}

}  // namespace tamrel::run
