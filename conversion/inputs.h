#pragma once

#include "conversion/number_locale.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tamrel {

// The four measures of tooth size, in the order of the reference grid.
enum Quantity : int { Xn = 0, W = 1, M = 2, Sn = 3 };
inline constexpr int QuantityCount = 4;
inline constexpr std::array<Quantity, QuantityCount> Quantities{Xn, W, M, Sn};

struct QuantityInfo {
    const char* name;         // "Xn", "W", "M", "Sn": command line, batch columns, grid rows
    const char* messageName;  // how a message names its entered value: "SMG"
    const char* startValue;   // the reference value a new window shows
};
const QuantityInfo& describe(Quantity q);

// The texts a compute run reads: the gear, the selected quantity's reference row, and the tip and
// root diameters it keeps when they are typed.
enum class Input : std::uint8_t { MN, PN, ZG, BOG, ZMG, DPG, Value, Upper, Lower, DKG, DRG };
inline constexpr int InputCount = static_cast<int>(Input::DRG) + 1;
inline constexpr std::array<Input, InputCount> Inputs{
    Input::MN,    Input::PN,    Input::ZG,    Input::BOG, Input::ZMG, Input::DPG,
    Input::Value, Input::Upper, Input::Lower, Input::DKG, Input::DRG};

struct InputInfo {
    const char* shortName;    // "MN"; the window's field is "Text" and this, except the grid's
    const char* key;          // the command-line option without "--" and the batch column
    const char* messageName;  // how a message names it; null where the quantity names it
    const char* meaning;      // what it is, for help texts
    const char* startText;    // what a new window shows; null where the quantity decides
    bool required;            // the command line needs it for every gear
};
const InputInfo& describe(Input input);

// Everything one compute run reads, as typed. A new one is a new window's: the default gear, W as
// the reference quantity with its start row, automatic diameters; numbers with the locale's
// decimal separator.
struct ConversionInput {
    explicit ConversionInput(NumberLocale numberLocale = {});

    std::string& operator[](Input input) { return texts[static_cast<std::size_t>(input)]; }
    const std::string& operator[](Input input) const {
        return texts[static_cast<std::size_t>(input)];
    }
    // Selects the reference quantity and types its start row, as a click on its button in a new
    // window leaves it.
    void selectReference(Quantity q);

    std::array<std::string, InputCount> texts;
    std::optional<Quantity> reference = W;  // empty: no reference button selected
    bool automaticDiameters = true;
    NumberLocale locale;
    // The outer size of the picture the view is fitted to; whether the fitted view fits single
    // precision decides whether the run succeeds.
    double pictureWidth = 513;
    double pictureHeight = 257;
};

}  // namespace tamrel
