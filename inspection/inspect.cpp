#include "geometry/calculation_error.h"
#include "inspection/ball.h"
#include "inspection/chordal.h"
#include "inspection/gear.h"
#include "inspection/inspection.h"
#include "inspection/span.h"
#include "inspection/usable_flank.h"

namespace tamrel::inspection {

namespace {

// Runs one block; a floating-point failure anywhere in it leaves the block absent.
template <typename Block> auto guarded(Block block) -> Outcome<decltype(block())> {
    try {
        return block();
    } catch (const CalculationError&) {
        return Failure::CalculationFailed;
    }
}

Inspection failed(Failure why) {
    return {why, why, why, why, why};
}

}  // namespace

Inspection inspect(const InspectionInput& in) {
    if (!gearUsable(in)) {
        return failed(Failure::InvalidGear);
    }
    const Gear& g = in.gear;
    Inspection result = failed(Failure::InternalGear);
    try {
        result.flank = inspectFlank(g, in);
    } catch (const CalculationError&) {
        result.flank = Failure::CalculationFailed;
    }
    result.usableFlank = usableFlank(g, in, result.flank);
    result.ball = guarded([&] { return inspectBall(g, in, result.usableFlank); });
    if (g.external()) {
        result.span = guarded([&] { return inspectSpan(g, in, result.usableFlank); });
        if (diametersUsable(in)) {
            result.chordal = guarded([&] { return inspectChordal(g, in); });
        } else {
            result.chordal = Failure::InvalidDiameters;
        }
    }
    return result;
}

}  // namespace tamrel::inspection
