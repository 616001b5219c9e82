#include "fitted_gear.h"

#include "conversion/compute_run.h"

#include <stdexcept>

namespace tamrel::bench {

FittedGear fitGear(std::int16_t teeth) {
    ConversionInput input;
    // The Xn reference converts for any number of teeth; the start values of W and M suit 59.
    input.selectReference(Xn);
    input[Input::ZG] = std::to_string(teeth);
    const ConversionResult run = runConversion(input);
    if (!run.completed) {
        throw std::runtime_error("compute run for " + std::to_string(teeth) +
                                 " teeth: " + run.message.text());
    }
    FittedGear gear;
    gear.state.drawingGeometry = run.completed->drawingGeometry();
    gear.tip = run.tipDiameter.text;
    gear.root = run.rootDiameter.text;
    const ViewFit& v = run.completed->view;
    gear.view = {v.left, v.top, v.right - v.left, v.bottom - v.top};
    return gear;
}

}  // namespace tamrel::bench
