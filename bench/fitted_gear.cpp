#include "fitted_gear.h"

#include "conversion/compute_run.h"
#include "conversion/fields.h"

#include <stdexcept>

namespace tamrel::bench {

FittedGear fitGear(std::int16_t teeth) {
    MemoryFieldStore store;
    // The Xn reference converts for any number of teeth; the start values of W and M suit 59.
    store.selectReference(Quantity::Xn);
    store.setText(Field::ZG, std::to_string(teeth));
    FittedGear gear;
    runConversion(store, gear.state, NumberLocale{});
    const std::string error = store.text(Field::Error);
    if (!error.empty() || !store.coordinates().set) {
        throw std::runtime_error("compute run for " + std::to_string(teeth) + " teeth: " + error);
    }
    gear.tip = store.text(Field::DKG);
    gear.root = store.text(Field::DRG);
    const MemoryFieldStore::Coordinates& c = store.coordinates();
    gear.view = {c.x1, c.y1, c.x2 - c.x1, c.y2 - c.y1};
    return gear;
}

}  // namespace tamrel::bench
