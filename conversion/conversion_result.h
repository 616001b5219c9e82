#pragma once

#include "conversion/band.h"
#include "conversion/inputs.h"
#include "geometry/gear.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tamrel {

// The columns of the reference grid: the reference row (value, upper and lower tolerance; the
// nominal value and the two deviations of a converted quantity) and the results MID, MAX, MIN.
enum class Column : std::uint8_t { Reference, Upper, Lower, Mid, Max, Min };
inline constexpr int ColumnCount = 6;
inline constexpr std::array<Column, ColumnCount> Columns{
    Column::Reference, Column::Upper, Column::Lower, Column::Mid, Column::Max, Column::Min};
// "reference", "upper", "lower", "mid", "max", "min".
const char* columnKey(Column c);
// The column a band value of a quantity fills: the nominal value is its reference.
Column columnOf(BandValue v);

// The placeholder of a value that is not computed or not available.
inline constexpr const char* Placeholder = "---";

// One value as its field shows it: the text, and the number that text reads back as (the value
// rounded to its displayed digits); no number for the placeholder or a text the run did not read.
struct Cell {
    std::optional<double> value;
    std::string text = Placeholder;
};

// How a run ended. A run that stops names the input it found wrong; the reference value is named
// by its quantity.
enum class Problem : std::uint8_t {
    None,
    Wrong,              // "ERROR:MN was wrong!"
    NotInteger,         // "ERROR:ZMG is not Integer!"
    BandNotPositive,    // "ERROR:SMG,S1,S2 was wrong!"
    OutOfReach,         // "Check your DM or DP please!"
    CalculationFailed,  // "ERROR:Calculation failed!"
};
struct Message {
    Problem problem = Problem::None;
    Input input = Input::MN;
    Quantity quantity = Xn;

    bool empty() const { return problem == Problem::None; }
    // The English text of the message line; empty after a successful run.
    std::string text() const;
};

// What the last successful run leaves for the drawing.
struct DrawingGeometry {
    double db = 0;
    double alphaT = 0;
    std::int16_t zAbs = 0;
    double xMid = 0;
    double beta = 0;
};

// The picture's user coordinate system, from its top-left to its bottom-right corner.
struct ViewFit {
    float left = 0, top = 0, right = 0, bottom = 0;
};

// What only a run that reaches its end leaves.
struct CompletedRun {
    Gear gear;
    std::optional<std::int16_t> teethSpanned;  // where W was available
    std::optional<double> ballDiameter;        // where M was available
    double xMid = 0;                           // the profile shift of the band's middle
    ViewFit view;

    DrawingGeometry drawingGeometry() const {
        return {gear.db, gear.alphaT, gear.zAbs(), xMid, gear.beta};
    }
};

// Everything one compute run publishes. A run that stops early keeps what it has written so far;
// every other value stays as the reset at the start of the run left it.
struct ConversionResult {
    // The state right after the reset: the placeholder everywhere except the reference row,
    // which holds what was typed, and the diameters as typed.
    explicit ConversionResult(const ConversionInput& input);

    Cell& cell(Quantity q, Column c) { return grid[q][static_cast<std::size_t>(c)]; }
    const Cell& cell(Quantity q, Column c) const { return grid[q][static_cast<std::size_t>(c)]; }
    // The reference quantity's own row: read by the run, never written.
    bool isTyped(Quantity q, Column c) const {
        return q == reference &&
               (c == Column::Reference || c == Column::Upper || c == Column::Lower);
    }

    std::optional<Quantity> reference;
    std::array<std::array<Cell, ColumnCount>, QuantityCount> grid;
    // The tip and root diameters in use: computed where the run sets them, else as typed.
    Cell tipDiameter;
    Cell rootDiameter;
    bool diametersComputed = false;
    Message message;
    std::optional<CompletedRun> completed;
};

}  // namespace tamrel
