#pragma once

#include "cli/inspection_report.h"
#include "cli/options.h"
#include "conversion/memory_field_store.h"
#include "conversion/number_locale.h"

#include <array>
#include <optional>
#include <ostream>
#include <string>

namespace tamrel::cli {

// Runs compute runs as a freshly opened window would: the gear's texts typed into the fields, its
// reference quantity selected, then one press of the compute button. One store is reused for
// every gear; each conversion sets every field a run reads or keeps, so nothing of one gear can
// show in the next.
class GearConverter {
public:
    explicit GearConverter(NumberLocale locale)
        : locale_(std::move(locale)), store_(locale_.decimalSeparator) {}

    void convert(const GearInput& input);

    // The text of a field after the last run.
    const std::string& text(Field field) const { return store_.textOf(field); }

    // The inspection aids of the last run (see inspectionJson); nothing when it ended with a
    // message.
    std::optional<Json> inspection() const;

private:
    NumberLocale locale_;
    MemoryFieldStore store_;
    // A failed run keeps the diameters, so they must be those of a new window, not the last gear's.
    const std::string startTip_ = store_.textOf(Field::DKG);
    const std::string startRoot_ = store_.textOf(Field::DRG);
};

// The fields a compute run writes, from the Xn reference row to TextError, in the window's order:
// the keys of the JSON and the result columns of a batch.
inline constexpr auto ResultFields = [] {
    std::array<Field, FieldCount - indexOf(Field::RefXn)> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i] = static_cast<Field>(indexOf(Field::RefXn) + static_cast<int>(i));
    }
    return fields;
}();

// The reference grid as the English window shows it after a run: a header row, one row per
// quantity (reference value, both deviations, MID, MAX, MIN), then the tip and root diameters
// and the message line, and the inspection table when given. Columns are aligned with blanks;
// every cell is the field's exact text.
void writeGrid(const GearConverter& converter, const std::optional<Json>& inspection,
               const NumberLocale& locale, std::ostream& out);

// One JSON object whose keys are the window's field names ("TextS(0)" ... "TextError") and whose
// values are their texts after the run, in the window's order, then "inspection" when given.
void writeJson(const GearConverter& converter, const std::optional<Json>& inspection,
               std::ostream& out);

}  // namespace tamrel::cli
