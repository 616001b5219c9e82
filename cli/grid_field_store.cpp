#include "cli/grid_field_store.h"

#include "cli/result_fields.h"
#include "conversion/field_names.h"
#include "conversion/memory_field_store.h"

namespace tamrel::cli {

namespace {

// The window's field names share the prefix "Text"; their length and the characters after it and
// at the end tell them apart well enough for a table this size, at the cost of a few operations.
std::size_t hashOf(std::string_view name) {
    if (name.size() < 6) {
        return name.size();
    }
    const auto at = [&name](std::size_t i) { return static_cast<unsigned char>(name[i]); };
    return name.size() * 131 + at(4) * 31 + at(5) * 7 + at(name.size() - 2) * 3 +
           at(name.size() - 1);
}

}  // namespace

GridFieldStore::GridFieldStore() {
    slots_.fill(EmptySlot);
    const std::array<const char*, 6> gearFields{field::MN,  field::PN,  field::ZG,
                                                field::BOG, field::ZMG, field::DPG};
    std::size_t next = 0;
    for (const char* name : gearFields) {
        names_[next++] = name;
    }
    for (const std::string& name : resultFields()) {
        names_[next++] = name;
    }
    const MemoryFieldStore window;
    for (std::size_t i = 0; i < TableFieldCount; ++i) {
        texts_[i] = window.text(names_[i]);
        std::size_t slot = hashOf(names_[i]) % SlotCount;
        while (slots_[slot] != EmptySlot) {
            slot = (slot + 1) % SlotCount;
        }
        slots_[slot] = static_cast<unsigned char>(i);
    }
    selectedReference_ = window.selectedReference();
    autoDiameter_ = window.isAutoDiameterChecked();
    pictureWidth_ = window.pictureOuterWidth();
    pictureHeight_ = window.pictureOuterHeight();
}

std::size_t GridFieldStore::indexOf(std::string_view field) const {
    for (std::size_t slot = hashOf(field) % SlotCount; slots_[slot] != EmptySlot;
         slot = (slot + 1) % SlotCount) {
        if (names_[slots_[slot]] == field) {
            return slots_[slot];
        }
    }
    return TableFieldCount;
}

const std::string& GridFieldStore::textOf(std::string_view field) const {
    static const std::string none;
    const std::size_t index = indexOf(field);
    if (index < TableFieldCount) {
        return texts_[index];
    }
    const auto found = others_.find(field);
    return found == others_.end() ? none : found->second;
}

void GridFieldStore::setText(std::string_view field, const std::string& text) {
    const std::size_t index = indexOf(field);
    if (index < TableFieldCount) {
        texts_[index] = text;
    } else {
        others_[std::string(field)] = text;
    }
}

}  // namespace tamrel::cli
