#pragma once

#include "cli/gear_input.h"
#include "conversion/memory_field_store.h"
#include "conversion/number_locale.h"

#include <array>
#include <string>
#include <string_view>

namespace tamrel::cli {

// Runs compute runs as a freshly opened window would: the gear's texts typed into the fields, its
// reference quantity selected, then one press of the compute button. One store is reused for
// every gear; each conversion sets every field a run reads or keeps, so nothing of one gear can
// show in the next.
class GearConverter {
public:
    explicit GearConverter(NumberLocale locale);

    // The store after the run; valid until the next call.
    const MemoryFieldStore& convert(const GearInput& input);

    // The text of a field after the last run.
    const std::string& text(Field field) const { return store_.textOf(field); }

    const NumberLocale& locale() const { return locale_; }

private:
    void typeInput(const GearInput& input);

    NumberLocale locale_;
    MemoryFieldStore store_;
    // The diameters a new window shows before its first successful run.
    std::string startTip_;
    std::string startRoot_;
};

}  // namespace tamrel::cli
