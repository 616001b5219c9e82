#pragma once

// The steps of one compute run, shared by its translation units.

#include "conversion/field_store.h"
#include "conversion/gear_data.h"
#include "conversion/number_locale.h"
#include "conversion/program_state.h"

#include <cstdint>
#include <string>

namespace tamrel::run {

// Derived once per run, before any conversion.
struct Transverse {
    double mt = 0;
    double alphaT = 0;
    double d = 0;
    double db = 0;
};

// Stops the run with `message` unless the field passes `accepted`; returns its value.
template <typename Predicate>
double readChecked(const FieldStore& store, Field field, Predicate accepted,
                   const NumberLocale& locale, const char* message);

// The number of a field that has passed a numeric check.
double numberOf(const FieldStore& store, Field field, const NumberLocale& locale);

// A 16-bit count from a whole number, or the run stops with `message`.
std::int16_t toCount(double wholeNumber, const char* message);

// Runs the block of reference quantity `mode` and returns the profile shift of the middle value.
double runModeBlock(Quantity mode, FieldStore& store, const GearData& gear, const Transverse& t,
                    const NumberLocale& locale);

// The end of a successful run: drawing geometry, automatic diameters, coordinate fit.
void finishRun(FieldStore& store, ProgramState& state, const GearData& gear, const Transverse& t,
               double xMid, const NumberLocale& locale);

template <typename Predicate>
double readChecked(const FieldStore& store, Field field, Predicate accepted,
                   const NumberLocale& locale, const char* message) {
    if (!accepted(store.text(field), locale)) {
        throw RunStopped{message};
    }
    return numberOf(store, field, locale);
}

}  // namespace tamrel::run
