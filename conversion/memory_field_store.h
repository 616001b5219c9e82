#pragma once

#include "conversion/field_store.h"

#include <array>
#include <string>
#include <string_view>

namespace tamrel {

// A FieldStore held in memory, filled with the window's start values: the default gear, W as the
// reference quantity, "---" in every result field, Check1 checked, a 513 by 257 picture area.
class MemoryFieldStore : public FieldStore {
public:
    struct Coordinates {
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        bool set = false;
    };

    explicit MemoryFieldStore(std::string_view decimalSeparator = ".");

    std::string text(Field field) const override { return textOf(field); }
    void setText(Field field, const std::string& text) override { texts_[indexOf(field)] = text; }
    bool isReferenceSelected(int index) const override { return index == selectedReference_; }
    bool isAutoDiameterChecked() const override { return autoDiameter_; }
    double pictureOuterWidth() const override { return pictureWidth_; }
    double pictureOuterHeight() const override { return pictureHeight_; }
    void setPictureCoordinates(float x1, float y1, float x2, float y2) override {
        coordinates_ = {x1, y1, x2, y2, true};
    }

    // The text of a field without copying it.
    const std::string& textOf(Field field) const { return texts_[indexOf(field)]; }
    void selectReference(int index) { selectedReference_ = index; }
    int selectedReference() const { return selectedReference_; }
    void setAutoDiameter(bool checked) { autoDiameter_ = checked; }
    void setPictureSize(double width, double height) {
        pictureWidth_ = width;
        pictureHeight_ = height;
    }
    const Coordinates& coordinates() const { return coordinates_; }

private:
    std::array<std::string, FieldCount> texts_;
    int selectedReference_ = Quantity::W;
    bool autoDiameter_ = true;
    double pictureWidth_ = 513;
    double pictureHeight_ = 257;
    Coordinates coordinates_;
};

}  // namespace tamrel
