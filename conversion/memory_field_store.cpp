#include "conversion/memory_field_store.h"

#include "conversion/field_names.h"

#include <array>

namespace tamrel {

MemoryFieldStore::MemoryFieldStore() {
    fields_ = {
        {field::MN, "3.175"},     {field::PN, "20"},        {field::ZG, "59"},
        {field::BOG, "15"},       {field::ZMG, "8"},        {field::DPG, "5.5"},
        {field::DKG, "200.2831"}, {field::DRG, "185.9956"}, {field::Error, ""},
    };
    const std::array<const char*, QuantityCount> startReferences{"-0.1445", "72.8801", "200.7889",
                                                                 "4.6533"};
    for (int i = 0; i < QuantityCount; ++i) {
        fields_[field::reference(i)] = startReferences[i];
        fields_[field::upperTolerance(i)] = "0";
        fields_[field::lowerTolerance(i)] = "0";
        for (const char* result : field::results[i]) {
            fields_[result] = Placeholder;
        }
    }
}

std::string MemoryFieldStore::text(std::string_view field) const {
    const auto found = fields_.find(field);
    return found == fields_.end() ? std::string{} : found->second;
}

void MemoryFieldStore::setText(std::string_view field, const std::string& text) {
    fields_[std::string(field)] = text;
}

bool MemoryFieldStore::isReferenceSelected(int index) const {
    return index == selectedReference_;
}

void MemoryFieldStore::setPictureCoordinates(float x1, float y1, float x2, float y2) {
    coordinates_ = {x1, y1, x2, y2, true};
}

void MemoryFieldStore::setPictureSize(double width, double height) {
    pictureWidth_ = width;
    pictureHeight_ = height;
}

}  // namespace tamrel
