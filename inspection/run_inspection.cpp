#include "inspection/run_inspection.h"

namespace tamrel::inspection {

std::optional<InspectionInput> inspectionInput(const ConversionResult& run) {
    if (!run.completed || !run.message.empty()) {
        return std::nullopt;
    }
    const CompletedRun& done = *run.completed;
    InspectionInput input{done.gear, Band<double>::filled(0), done.teethSpanned, done.ballDiameter,
                          // An unusable diameter reaches the engine as 0, which it reports.
                          run.tipDiameter.value.value_or(0), run.rootDiameter.value.value_or(0)};
    for (BandValue v : BandValues) {
        const auto xn = run.cell(Xn, columnOf(v)).value;
        if (!xn) {
            return std::nullopt;
        }
        input.xn[v] = *xn;
    }
    return input;
}

}  // namespace tamrel::inspection
