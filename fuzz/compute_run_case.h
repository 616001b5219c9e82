#pragma once

// One fuzz case of the compute run: how raw bytes become what a user typed into the window. The
// fuzzer and the regression tests share this decoding, so a saved crash file replays exactly.
//
// The input is text. Its first line is a control line:
//   byte 0  reference quantity, (byte - '0') mod 5: 0 Xn, 1 W, 2 M, 3 Sn, 4 no button selected
//   byte 1  automatic diameters, (byte - '0') mod 2: 1 on
//   byte 2  decimal separator, (byte - '0') mod 3: 0 ".", 1 ",", 2 the Arabic one (two bytes)
//   bytes 3, 4  the basic rack of the inspection aids: dedendum (byte - '0') / 32 modules, tip
//           radius (byte - '0') / 64 modules, each of its byte's 256 values
// A missing byte keeps a new window's state (W, on, ".") and ISO 53 A. Each further line is the
// text of one input, in the order MN, PN, ZG, BOG, ZMG, DPG, the reference row's value, upper and
// lower tolerance, DKG, DRG; the lines that are missing leave a new window's texts in place.
//
// checkedRun() performs one run of a fuzz case and describes the first rule it breaks of what must
// hold after any compute run, whatever was typed, so the fuzzer and the regression tests judge a
// run the same way. After a successful run the inspection aids of its band are checked too. The
// rules are plain code: the fuzzer runs them on every case.

#include "conversion/compute_run.h"
#include "conversion/conversion_result.h"
#include "conversion/inputs.h"
#include "conversion/numeric_text.h"
#include "inspection/run_inspection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

namespace tamrel::fuzzing {

inline constexpr int NoReference = 4;

struct FuzzCase {
    ConversionInput input;
    inspection::BasicRack rack;
};

inline FuzzCase decodeFuzzCase(std::string_view data) {
    const std::size_t controlEnd = std::min(data.find('\n'), data.size());
    const std::string_view control = data.substr(0, controlEnd);
    // A control byte as a small choice; digits map to themselves, so seed files stay readable.
    const auto choice = [control](std::size_t index, int options, int fallback) {
        return index < control.size() ? static_cast<unsigned char>(control[index] - '0') % options
                                      : fallback;
    };
    FuzzCase c{ConversionInput(NumberLocale{std::array{".", ",", "\xD9\xAB"}[choice(2, 3, 0)]}),
               {}};
    ConversionInput& in = c.input;
    c.rack.dedendum = control.size() > 3 ? choice(3, 256, 0) / 32.0 : c.rack.dedendum;
    c.rack.tipRadius = control.size() > 4 ? choice(4, 256, 0) / 64.0 : c.rack.tipRadius;
    const int reference = choice(0, 5, W);
    // With no reference selected the row of Xn is typed, though the run will not read it.
    in.selectReference(reference == NoReference ? Xn : static_cast<Quantity>(reference));
    if (reference == NoReference) {
        in.reference.reset();
    }
    in.automaticDiameters = choice(1, 2, 1) == 1;
    std::size_t start = controlEnd + 1;
    for (Input i : Inputs) {
        if (start > data.size())
            break;
        const std::size_t end = std::min(data.find('\n', start), data.size());
        in[i] = std::string(data.substr(start, end - start));
        start = end + 1;
    }
    return c;
}

// Whether a text is a number as a run writes it: an optional minus, an integer part without
// leading zeros, then the separator and a fraction of at most `maxDecimals` digits that does not
// end in 0 (a result always writes the separator, a diameter only before a fraction); at most
// fifteen significant digits; no negative zero.
inline bool isWrittenNumber(std::string_view text, const std::string& separator, bool result) {
    const std::size_t maxDecimals = result ? 16 : 4;
    const bool negative = !text.empty() && text[0] == '-';
    text.remove_prefix(negative ? 1 : 0);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const std::size_t integerDigits =
        std::find_if_not(text.begin(), text.end(), isDigit) - text.begin();
    if (integerDigits == 0 || (integerDigits > 1 && text[0] == '0'))
        return false;
    std::string digits(text.substr(0, integerDigits));
    std::string_view rest = text.substr(integerDigits);
    if (rest.substr(0, separator.size()) == separator) {
        rest.remove_prefix(separator.size());
        if (rest.size() > maxDecimals || !std::all_of(rest.begin(), rest.end(), isDigit) ||
            (!rest.empty() && rest.back() == '0') || (!result && rest.empty()))
            return false;
        digits += rest;
    } else if (result || !rest.empty()) {
        return false;
    }
    const std::size_t first = digits.find_first_not_of('0');
    const std::size_t significant =
        first == std::string::npos ? 0 : digits.find_last_not_of('0') - first + 1;
    return significant <= 15 && (!negative || significant > 0);
}

// A cell is the placeholder with no number, or a written number with the number it reads back as.
inline bool isSoundCell(const Cell& cell, const NumberLocale& locale, bool result) {
    if (cell.text == Placeholder)
        return !cell.value;
    return isWrittenNumber(cell.text, locale.decimalSeparator, result) &&
           cell.value == parseNumber(cell.text, locale);
}

// What is wrong with the inspection aids of a run: a value that is not finite, or a form circle
// outside the base and tip circles.
inline std::string checkedInspection(const inspection::InspectionInput& in) {
    const inspection::Inspection aids = inspection::inspect(in);
    bool finite = true;
    const auto check = [&finite](const inspection::Outcome<double>& value) {
        finite = finite && (!value.hasValue() || std::isfinite(value.value()));
    };
    const auto checkBand = [&check](const auto& band) {
        for (BandValue v : BandValues)
            check(band[v]);
    };
    if (aids.usableFlank.hasValue()) {
        check(aids.usableFlank.value().from);
        check(aids.usableFlank.value().to);
    }
    if (aids.flank.hasValue()) {
        checkBand(aids.flank.value().formDiameter);
        for (BandValue v : BandValues) {
            const auto& form = aids.flank.value().formDiameter[v];
            if (form.hasValue() && !(form.value() >= in.gear.db && form.value() < in.tipDiameter))
                return "a form diameter lies outside the base and the tip circle";
        }
    }
    if (aids.span.hasValue()) {
        checkBand(aids.span.value().contactDiameter);
        check(aids.span.value().faceWidth);
    }
    if (aids.ball.hasValue()) {
        const inspection::BallInspection& ball = aids.ball.value();
        check(ball.idealDiameter);
        for (const auto* band : {&ball.centreDiameter, &ball.contactDiameter, &ball.protrusion})
            checkBand(*band);
    }
    if (aids.chordal.hasValue()) {
        const inspection::ChordalInspection& c = aids.chordal.value();
        for (const auto* band : {&c.thickness, &c.height, &c.constantChord, &c.constantChordHeight})
            checkBand(*band);
    }
    return finite ? "" : "an inspection value is not finite";
}

// Runs the case and returns what is wrong with the result, or an empty text.
inline std::string checkedRun(const FuzzCase& c) {
    const ConversionInput& in = c.input;
    const ConversionResult run = runConversion(in);
    const bool succeeded = run.message.empty();
    if (succeeded != run.completed.has_value())
        return "the message and the end of the run disagree: " + run.message.text();
    for (Quantity q : Quantities) {
        for (Column c : Columns) {
            const Cell& cell = run.cell(q, c);
            const std::string name = std::string(describe(q).name) + "." + columnKey(c);
            if (run.isTyped(q, c)) {
                const Input typed = c == Column::Reference ? Input::Value
                                    : c == Column::Upper   ? Input::Upper
                                                           : Input::Lower;
                if (cell.text != in[typed])
                    return name + " does not hold what was typed";
                continue;
            }
            if (!isSoundCell(cell, in.locale, true))
                return name + " holds \"" + cell.text + "\"";
            // After a successful run Xn and Sn are always computed and the reference quantity
            // shows its own band; only W and M may be unavailable.
            const bool mustHoldNumber = q == Xn || q == Sn || q == run.reference;
            if (succeeded && run.reference && mustHoldNumber && !cell.value)
                return name + " holds no number after a successful run";
        }
    }
    for (const auto& [cell, input] :
         {std::pair{&run.tipDiameter, Input::DKG}, std::pair{&run.rootDiameter, Input::DRG}}) {
        const bool computed = succeeded && in.automaticDiameters;
        if (computed != run.diametersComputed ||
            (computed ? !isSoundCell(*cell, in.locale, false) : cell->text != in[input]))
            return std::string(describe(input).shortName) + " holds \"" + cell->text + "\"";
    }
    if (succeeded) {
        const ViewFit& v = run.completed->view;
        if (!std::isfinite(double(v.left) + v.top + v.right + v.bottom))
            return "a successful run left no usable view";
        if (auto aids = inspection::inspectionInput(run)) {
            aids->rack = c.rack;
            return checkedInspection(*aids);
        }
    }
    return "";
}

}  // namespace tamrel::fuzzing
