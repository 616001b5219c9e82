#pragma once

#include "conversion/field_store.h"

#include <map>
#include <string>

namespace tamrel {

// A FieldStore held in memory, filled with the window's start values: the default gear, W as the
// reference quantity, "---" in every result field, Check1 checked, a 513 by 257 picture area.
class MemoryFieldStore : public FieldStore {
public:
    struct Coordinates {
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        bool set = false;
    };

    MemoryFieldStore();

    std::string text(std::string_view field) const override;
    void setText(std::string_view field, const std::string& text) override;
    bool isReferenceSelected(int index) const override;
    bool isAutoDiameterChecked() const override { return autoDiameter_; }
    double pictureOuterWidth() const override { return pictureWidth_; }
    double pictureOuterHeight() const override { return pictureHeight_; }
    void setPictureCoordinates(float x1, float y1, float x2, float y2) override;

    void selectReference(int index) { selectedReference_ = index; }
    int selectedReference() const { return selectedReference_; }
    void setAutoDiameter(bool checked) { autoDiameter_ = checked; }
    void setPictureSize(double width, double height);
    const Coordinates& coordinates() const { return coordinates_; }
    // Every field and its text, ordered by name.
    const std::map<std::string, std::string, std::less<>>& fields() const { return fields_; }

private:
    std::map<std::string, std::string, std::less<>> fields_;
    int selectedReference_ = 1;
    bool autoDiameter_ = true;
    double pictureWidth_ = 513;
    double pictureHeight_ = 257;
    Coordinates coordinates_;
};

}  // namespace tamrel
