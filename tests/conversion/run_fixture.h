#pragma once

#include "conversion/compute_run.h"
#include "conversion/fields.h"
#include "conversion/memory_field_store.h"
#include "tests/field_output.h"

#include <gtest/gtest.h>

#include <regex>

#include <string>
#include <vector>

namespace tamrel::testing {

// An in-memory window that also records the order in which a run writes its fields.
class RecordingStore : public MemoryFieldStore {
public:
    void setText(Field field, const std::string& text) override {
        writes.push_back(field);
        MemoryFieldStore::setText(field, text);
    }
    std::vector<Field> writes;
};

// A number as the run writes it: digits, the separator always, no exponent.
inline bool isProgramNumber(const std::string& text) {
    static const std::regex pattern(R"(-?[0-9]+\.[0-9]*)");
    return std::regex_match(text, pattern);
}

// The fields of the reference grid and the result columns.
inline std::vector<Field> gridFields() {
    std::vector<Field> fields;
    for (Quantity q : Quantities) {
        for (Field f : {reference(q), upperTolerance(q), lowerTolerance(q), middle(q), maximum(q),
                        minimum(q)}) {
            fields.push_back(f);
        }
    }
    return fields;
}

// One compute run on the window's start data, with the reference quantity and fields to change.
class ComputeRunTest : public ::testing::Test {
protected:
    void select(int quantity) { store.selectReference(quantity); }
    void set(Field field, const std::string& text) { store.setText(field, text); }
    std::string text(Field field) const { return store.text(field); }
    void compute() {
        store.writes.clear();
        runConversion(store, state, locale);
    }
    // The writes after the reset at the start of the run.
    std::vector<Field> writesAfterReset() const {
        constexpr std::size_t resetWrites = 1 + 12 + 9;
        return {store.writes.begin() + resetWrites, store.writes.end()};
    }
    void expectAllResults(const char* expected) const {
        for (Quantity q : Quantities) {
            for (Field f : {middle(q), maximum(q), minimum(q)}) {
                EXPECT_EQ(store.text(f), expected) << fieldName(f);
            }
        }
    }

    RecordingStore store;
    ProgramState state;
    NumberLocale locale;
};

}  // namespace tamrel::testing
