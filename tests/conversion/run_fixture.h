#pragma once

#include "conversion/compute_run.h"
#include "conversion/field_names.h"
#include "conversion/memory_field_store.h"

#include <gtest/gtest.h>

#include <regex>

#include <string>
#include <vector>

namespace tamrel::testing {

// An in-memory window that also records the order in which a run writes its fields.
class RecordingStore : public MemoryFieldStore {
public:
    void setText(std::string_view field, const std::string& text) override {
        writes.emplace_back(field);
        MemoryFieldStore::setText(field, text);
    }
    std::vector<std::string> writes;
};

// A number as the run writes it: digits, the separator always, no exponent.
inline bool isProgramNumber(const std::string& text) {
    static const std::regex pattern(R"(-?[0-9]+\.[0-9]*)");
    return std::regex_match(text, pattern);
}

// The fields of the reference grid and the result columns.
inline std::vector<std::string> gridFields() {
    std::vector<std::string> fields;
    for (int i = 0; i < QuantityCount; ++i) {
        fields.push_back(field::reference(i));
        fields.push_back(field::upperTolerance(i));
        fields.push_back(field::lowerTolerance(i));
        for (const char* result : field::results[i]) {
            fields.emplace_back(result);
        }
    }
    return fields;
}

// One compute run on the window's start data, with the reference quantity and fields to change.
class ComputeRunTest : public ::testing::Test {
protected:
    void select(int quantity) { store.selectReference(quantity); }
    void set(const std::string& field, const std::string& text) { store.setText(field, text); }
    std::string text(const std::string& field) const { return store.text(field); }
    void compute() {
        store.writes.clear();
        runConversion(store, state, locale);
    }
    // The writes after the reset at the start of the run.
    std::vector<std::string> writesAfterReset() const {
        constexpr std::size_t resetWrites = 1 + 12 + 9;
        return {store.writes.begin() + resetWrites, store.writes.end()};
    }
    void expectAllResults(const char* expected) const {
        for (const auto& row : field::results) {
            for (const char* f : row) {
                EXPECT_EQ(store.text(f), expected) << f;
            }
        }
    }

    RecordingStore store;
    ProgramState state;
    NumberLocale locale;
};

}  // namespace tamrel::testing
