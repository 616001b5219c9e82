#pragma once

#include "conversion/field_store.h"

#include <array>
#include <map>
#include <string>
#include <string_view>

namespace tamrel::cli {

// A FieldStore for converting many gears quickly: the window's fields sit in a fixed table found
// by a small hash, so reading and writing a field costs no tree search and, for short texts, no
// allocation. It starts with the same values as a new window (those of MemoryFieldStore).
class GridFieldStore : public FieldStore {
public:
    GridFieldStore();

    std::string text(std::string_view field) const override { return textOf(field); }
    void setText(std::string_view field, const std::string& text) override;
    bool isReferenceSelected(int index) const override { return index == selectedReference_; }
    bool isAutoDiameterChecked() const override { return autoDiameter_; }
    double pictureOuterWidth() const override { return pictureWidth_; }
    double pictureOuterHeight() const override { return pictureHeight_; }
    void setPictureCoordinates(float, float, float, float) override {}

    // The text of a field without copying it; empty for a field that was never set.
    const std::string& textOf(std::string_view field) const;
    void selectReference(int index) { selectedReference_ = index; }
    void setAutoDiameter(bool checked) { autoDiameter_ = checked; }

    static constexpr std::size_t TableFieldCount = 33;

private:
    static constexpr std::size_t SlotCount = 128;
    static constexpr unsigned char EmptySlot = 0xFF;

    // The table index of a field, or TableFieldCount for a name outside the table.
    std::size_t indexOf(std::string_view field) const;

    std::array<std::string, TableFieldCount> names_;
    std::array<std::string, TableFieldCount> texts_;
    std::array<unsigned char, SlotCount> slots_;
    // Any other name the run might use, so that no text is ever lost.
    std::map<std::string, std::string, std::less<>> others_;
    int selectedReference_ = 1;
    bool autoDiameter_ = true;
    double pictureWidth_ = 0;
    double pictureHeight_ = 0;
};

}  // namespace tamrel::cli
