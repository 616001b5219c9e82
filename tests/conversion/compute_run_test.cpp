// One compute run on a new window's input: the messages of the input checks, every text of a
// default run in each mode, what stays after a run that stops part way, the band columns,
// measures left out, what the end of a run leaves for the drawing, and the fuzzer's invariants.
#include "conversion/compute_run.h"
#include "conversion/number_format.h"
#include "fuzz/compute_run_case.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace tamrel {
namespace {

using Typed = std::vector<std::pair<Input, std::string>>;

ConversionInput typedInput(std::optional<Quantity> reference, const Typed& typed) {
    ConversionInput in;
    in.selectReference(reference.value_or(Xn));
    in.reference = reference;
    for (const auto& [input, text] : typed)
        in[input] = text;
    return in;
}

// The texts of cells named like "Ref W", "Max Sn", joined by "|".
std::string texts(const ConversionResult& run, const std::vector<std::pair<Column, Quantity>>& at) {
    std::string joined;
    for (const auto& [column, q] : at)
        joined += run.cell(q, column).text + "|";
    return joined.substr(0, joined.size() - 1);
}

// Every cell a run writes, as "Column/Quantity=text", cells holding the placeholder left out.
std::string written(const ConversionResult& run) {
    std::string shown;
    for (Quantity q : Quantities) {
        for (Column c : Columns) {
            if (!run.isTyped(q, c) && run.cell(q, c).text != Placeholder)
                shown += std::string(columnKey(c)) + "/" + describe(q).name + " ";
        }
    }
    return shown;
}

constexpr auto Ref = Column::Reference, Upper = Column::Upper, Lower = Column::Lower;
constexpr auto Mid = Column::Mid, Max = Column::Max, Min = Column::Min;

// A failed check (or arithmetic that fails before any result) shows its message, leaves every
// result and every other row at "---", keeps the typed row and the typed diameters, and leaves
// nothing for the drawing. Each check once: the forms a number may not take are the reader's.
TEST(ComputeRun, AFailedCheckStopsWithItsMessageAndNoResults) {
    // clang-format off
    const std::tuple<const char*, Quantity, Typed, const char*> cases[] = {
        {"ModuleZero", W, {{Input::MN, "0"}}, "ERROR:MN was wrong!"},
        {"PressureAngleZero", W, {{Input::PN, "0"}}, "ERROR:PN was wrong!"},
        {"TeethFraction", W, {{Input::ZG, "59.5"}}, "ERROR:ZG was wrong!"},
        {"TeethZero", W, {{Input::ZG, "0"}}, "ERROR:ZG was wrong!"},
        {"TeethBeyond16Bits", W, {{Input::ZG, "40000"}}, "ERROR:ZG was wrong!"},
        {"HelixEmpty", W, {{Input::BOG, ""}}, "ERROR:BOG was wrong!"},
        {"OnlyTheFirstBadField", W, {{Input::PN, "x"}, {Input::ZG, "x"}, {Input::BOG, "x"}},
            "ERROR:PN was wrong!"},
        {"ShiftNotANumber", Xn, {{Input::Value, "abc"}}, "ERROR:Xn was wrong!"},
        {"UpperEmpty", Xn, {{Input::Upper, ""}}, "ERROR:S1 was wrong!"},
        {"LowerPlaceholder", Xn, {{Input::Lower, "---"}}, "ERROR:S2 was wrong!"},
        {"SpanCountFraction", W, {{Input::ZMG, "8.5"}}, "ERROR:ZMG is not Integer!"},
        {"SpanCountZero", W, {{Input::ZMG, "0"}}, "ERROR:ZMG was wrong!"},
        {"SpanWithAComma", W, {{Input::Value, "1,5"}}, "ERROR:SMG was wrong!"},
        {"SpanMiddleNotPositive", W, {{Input::Value, "1"}, {Input::Upper, "0"},
            {Input::Lower, "-2"}}, "ERROR:SMG,S1,S2 was wrong!"},
        {"SpanCountBeforeTheSpan", W, {{Input::ZMG, ""}, {Input::Value, ""}},
            "ERROR:ZMG was wrong!"},
        {"PinZero", M, {{Input::DPG, "0"}}, "ERROR:DPG was wrong!"},
        {"DimensionMiddleNegative", M, {{Input::Value, "-200"}}, "ERROR:DMG,S1,S2 was wrong!"},
        {"ThicknessEmpty", Sn, {{Input::Value, ""}}, "ERROR:SNG was wrong!"},
        {"OptionalSpanCountMustFit", Xn, {{Input::ZMG, "40000"}}, "ERROR:ZMG was wrong!"},
        {"GearDataBeforeTheRow", Sn, {{Input::BOG, "?"}, {Input::Value, "?"}},
            "ERROR:BOG was wrong!"},
        {"TeethWithoutAPositiveTwin", W, {{Input::ZG, "-32768"}}, "ERROR:Calculation failed!"}};
    // clang-format on
    for (const auto& [name, reference, typed, message] : cases) {
        ConversionInput in = typedInput(reference, typed);
        in.automaticDiameters = false;
        in[Input::DKG] = "1";
        const ConversionResult run = runConversion(in);
        EXPECT_EQ(run.message.text(), message) << name;
        EXPECT_EQ(written(run), "") << name;
        EXPECT_EQ(texts(run, {{Ref, reference}, {Upper, reference}, {Lower, reference}}),
                  in[Input::Value] + "|" + in[Input::Upper] + "|" + in[Input::Lower])
            << name;
        EXPECT_EQ(run.tipDiameter.text, "1") << name;
        EXPECT_FALSE(run.completed) << name;
    }
}

// The default gear in each mode, fed with the values of the Xn run: the texts are pinned, and a
// band without tolerances has zero deviations and equal columns.
TEST(ComputeRun, TheDefaultGearInEachModeShowsItsPinnedTexts) {
    using Cells = std::map<std::pair<Column, Quantity>, std::string>;
    // clang-format off
    const std::tuple<Quantity, const char*, Cells, const char*> cases[] = {
        {Xn, "-0.1445", {{{Mid, Xn}, "-0.1445"}, {{Ref, W}, "72.8800566449046"},
            {{Mid, W}, "72.8800566449046"}, {{Ref, M}, "200.788795636128"},
            {{Ref, Sn}, "4.65330834986698"}}, "199.3655|185.078"},
        {W, "72.8801", {{{Mid, W}, "72.8801"}, {{Ref, Xn}, "-0.144480037508883"},
            {{Mid, Xn}, "-0.144480037508883"}, {{Ref, M}, "200.788916325961"},
            {{Ref, Sn}, "4.65335448739579"}}, "199.3656|185.0781"},
        {M, "200.789", {{{Mid, M}, "200.789"}, {{Ref, Xn}, "-0.144466197504977"},
            {{Ref, W}, "72.8801300581068"}}, "199.3657|185.0782"},
        {Sn, "4.6533", {{{Mid, Sn}, "4.6533"}, {{Ref, Xn}, "-0.144503612767085"},
            {{Ref, W}, "72.8800487985962"}, {{Ref, M}, "200.788773793901"}}, "199.3655|185.078"}};
    // clang-format on
    for (const auto& [reference, typed, expected, diameters] : cases) {
        const ConversionResult run = runConversion(typedInput(reference, {{Input::Value, typed}}));
        const std::string mode = describe(reference).name;
        EXPECT_EQ(run.message.text(), "") << mode;
        for (const auto& [at, shown] : expected)
            EXPECT_EQ(run.cell(at.second, at.first).text, shown)
                << mode << ": " << columnKey(at.first) << ' ' << describe(at.second).name;
        for (Quantity q : Quantities) {
            if (q != reference) {
                EXPECT_EQ(texts(run, {{Upper, q}, {Lower, q}}), "0.|0.") << describe(q).name;
            }
            EXPECT_EQ(texts(run, {{Mid, q}, {Max, q}}), texts(run, {{Min, q}, {Mid, q}})) << mode;
        }
        EXPECT_EQ(run.tipDiameter.text + "|" + run.rootDiameter.text, diameters) << mode;
        EXPECT_TRUE(run.diametersComputed) << mode;
    }
}

// What a run writes and its message. A run that stops part way keeps what it wrote before, in the
// order of its mode: where the dimension over pins leaves the pins' reach, and where arithmetic
// overflows. Without a span count or pin diameter, or with pins out of reach, a measure stays
// "---" and the run goes on without a message.
TEST(ComputeRun, ARunWritesWhatItReachesInTheOrderOfItsMode) {
    const char *const pins = "Check your DM or DP please!", *const failed =
                                                                "ERROR:Calculation failed!";
    // clang-format off
    const std::tuple<const char*, Quantity, Typed, const char*, const char*> cases[] = {
        // M + S1 = 140.7889 lies inside the base circle: the nominal pass stands in the rows.
        {"PinsOutOfReachAtTheMax", M, {{Input::Value, "200.7889"}, {Input::Upper, "-60"}}, pins,
         "reference/Xn reference/W reference/Sn "},
        // The max pass and its deviations stand; M's own band would follow the min pass.
        {"PinsOutOfReachAtTheMin", M, {{Input::Value, "200.7889"}, {Input::Lower, "-60"}}, pins,
         "reference/Xn upper/Xn max/Xn reference/W upper/W max/W reference/Sn upper/Sn max/Sn "},
        {"PinsOutOfReachFromTheStart", M, {{Input::Value, "150"}}, pins, ""},
        // The own band first; the nominal Sn overflows.
        {"ThicknessOverflowsInTheNominalPass", Xn, {{Input::Value, "1e308"}}, failed,
         "mid/Xn max/Xn min/Xn "},
        // The own band and the nominal pass stand; the max pass overflows at its first step.
        {"OverflowInTheMaxPass", W, {{Input::Upper, "1.7e308"}}, failed,
         "reference/Xn mid/W max/W min/W reference/M reference/Sn "},
        {"NoSpanCountNoPins", Xn, {{Input::ZMG, ""}, {Input::DPG, "0"}}, "",
         "mid/Xn max/Xn min/Xn reference/Sn upper/Sn lower/Sn mid/Sn max/Sn min/Sn "},
        // A span count that is not a whole number is absent outside its own mode.
        {"SpanCountNotWhole", Xn, {{Input::ZMG, "8.5"}}, "", "mid/Xn max/Xn min/Xn reference/M "
         "upper/M lower/M mid/M max/M min/M reference/Sn upper/Sn lower/Sn mid/Sn max/Sn min/Sn "},
        // Xn -2 puts the pin centre inside the base circle; the band's other values reach.
        {"PinCentreInsideTheBaseCircle", Xn, {{Input::Value, "-2"}, {Input::Upper, "2"},
         {Input::Lower, "1.9"}}, "", "mid/Xn max/Xn min/Xn reference/W upper/W lower/W mid/W max/W "
         "min/W mid/M max/M min/M reference/Sn upper/Sn lower/Sn mid/Sn max/Sn min/Sn "}};
    // clang-format on
    for (const auto& [name, reference, typed, message, shown] : cases) {
        const ConversionResult run = runConversion(typedInput(reference, typed));
        EXPECT_EQ(run.message.text(), message) << name;
        EXPECT_EQ(written(run), shown) << name;
    }
    // A span count or pin diameter left out does not reach the inspection aids either.
    const ConversionResult run =
        runConversion(typedInput(Xn, {{Input::ZMG, ""}, {Input::DPG, "0"}}));
    EXPECT_FALSE(run.completed->teethSpanned);
    EXPECT_FALSE(run.completed->ballDiameter);
}

TEST(ComputeRun, DiametralPitchAndAnInternalGearWithTolerancesInEitherOrder) {
    // A diametral pitch of 8 is a module of 25.4 / 8 = 3.175: the same results.
    ConversionResult run = runConversion(typedInput(W, {{Input::MN, "-8"}}));
    EXPECT_EQ(run.message.text() + "|" + texts(run, {{Mid, Xn}}), "|-0.144480037508883");
    // S1 below S2 on an internal gear of the other hand: the band columns follow the tolerances
    // without swapping, and a positive shift makes the tooth thinner.
    run = runConversion(typedInput(Xn, {{Input::ZG, "-59"},
                                        {Input::BOG, "-15"},
                                        {Input::Value, "0"},
                                        {Input::Upper, "-0.1"},
                                        {Input::Lower, "0.1"}}));
    EXPECT_EQ(texts(run, {{Max, Xn}, {Min, Xn}, {Mid, Xn}}), "-0.1|0.1|0.");
    EXPECT_EQ(run.completed->drawingGeometry().zAbs, 59);
    EXPECT_GT(run.cell(Sn, Max).value, run.cell(Sn, Min).value);
    // A deviation is formed from the values as their fields show them, and each value is the
    // number its text reads back as.
    const double upper = std::stod(run.cell(W, Max).text) - std::stod(run.cell(W, Ref).text);
    EXPECT_EQ(run.cell(W, Upper).text, formatResult(upper, NumberLocale{}));
    EXPECT_EQ(run.cell(W, Max).value, std::stod(run.cell(W, Max).text));
}

// The end of a successful run: tip and root diameters cut to four decimals (an internal gear has
// its tip inside and its root outside the reference circle) or left as typed, and the geometry and
// view of the drawing. Arithmetic that fails (a module so large that the picture's
// single-precision coordinates overflow) ends the run with its own message and leaves none of
// that.
TEST(ComputeRun, RunEndSetsTheDiametersAndTheDrawing) {
    ConversionResult run = runConversion(typedInput(Xn, {{Input::Value, "0"}}));
    EXPECT_EQ(run.tipDiameter.text + "|" + run.rootDiameter.text, "200.2831|185.9956");
    EXPECT_EQ(run.tipDiameter.value, 200.2831);
    run = runConversion(typedInput(Xn, {}));
    const DrawingGeometry g = run.completed->drawingGeometry();
    EXPECT_EQ(std::tuple(std::round(g.db * 1e6), std::round(g.alphaT * 1e10), g.zAbs, g.xMid,
                         std::round(g.beta * 1e13)),
              std::tuple(181477027.0, 3603563240.0, 59, -0.1445, 2617993877991.0));
    // floor(1.2 d) = 232 mm high, the picture's aspect ratio, centred, y upward.
    const ViewFit& v = run.completed->view;
    const float width = static_cast<float>(513.0 * 232.0 / 257.0);
    EXPECT_EQ(std::vector<float>({v.left, v.top, v.right, v.bottom}),
              std::vector<float>({-width / 2, 116, width / 2, -116}));
    ConversionInput narrow = typedInput(Xn, {});
    narrow.pictureWidth = 257;
    EXPECT_EQ(runConversion(narrow).completed->view.right, 116);

    run = runConversion(typedInput(Xn, {{Input::MN, "1e300"}}));
    EXPECT_EQ(std::tuple(run.message.text(), run.completed.has_value(), run.tipDiameter.text),
              std::tuple("ERROR:Calculation failed!", false, "200.2831"));

    run = runConversion(typedInput(Xn, {{Input::ZG, "-59"}, {Input::Value, "0"}}));
    EXPECT_EQ(run.tipDiameter.text + "|" + run.rootDiameter.text, "187.5831|201.8706");

    ConversionInput typed =
        typedInput(Xn, {{Input::Value, "0.3"}, {Input::DKG, "abc"}, {Input::DRG, ""}});
    typed.automaticDiameters = false;
    run = runConversion(typed);
    EXPECT_EQ(std::tuple(run.tipDiameter.text, run.tipDiameter.value.has_value(),
                         run.rootDiameter.text, run.diametersComputed, run.completed->xMid),
              std::tuple("abc", false, "", false, 0.3));
}

// The fuzzer's invariants on every test run: inputs at the edges of number reading and arithmetic,
// replayed as the fuzzer reads them (a crash file from `make fuzz` is added with its bytes as
// found). Random texts are the fuzzer's to try.
using fuzzing::checkedRun;
using fuzzing::decodeFuzzCase;
using namespace std::string_literals;

// Control line: reference (0 Xn, 1 W, 2 M, 3 Sn, 4 none), automatic diameters, separator (0 ".",
// 1 ",", 2 U+066B), the rack's dedendum and tip radius. Input lines: MN, PN, ZG, BOG, ZMG, DPG,
// value, upper, lower, DKG, DRG.
TEST(FuzzRegression, ReplaysKeepEveryInvariant) {
    const std::string arabic = "\xD9\xAB";  // the Arabic decimal separator
    const std::pair<const char*, std::string> replays[] = {
        {"DenormalModule", "010\n4.9e-324\n20\n59\n15\n8\n5\n0\n0\n0\n"},
        {"HugeModule", "010\n1e308\n20\n500\n15\n8\n5\n0\n0\n0\n"},
        {"TinyDiametralPitch", "010\n-1e-300\n20\n59\n15\n8\n5\n0\n0\n0\n"},
        {"HelixOfQuarterTurn", "010\n3\n20\n59\n90\n8\n5\n0.5\n0\n0\n"},
        {"HelixBeyondQuarterTurn", "210\n3\n20\n59\n135\n8\n5\n200\n0\n0\n"},
        {"PressureAngleOfHalfTurn", "310\n3\n180\n59\n15\n8\n5\n4\n0\n0\n"},
        {"ToleranceOverflowsTheBand", "010\n3\n20\n59\n15\n8\n5\n1e308\n1e308\n0\n"},
        {"HugeBandOfBothSigns", "310\n3\n20\n59\n15\n8\n5\n0\n1.7e308\n-1.7e308\n"},
        {"ResultsBeyondSixteenDecimals", "310\n1e-20\n20\n7\n0\n1\n1e-20\n1e-20\n1e-25\n0\n"},
        {"ResultsOfThreeHundredDigits", "010\n1e290\n20\n32767\n0\n32767\n1e290\n1e10\n0\n0\n"},
        {"ArabicSeparatorAndBlanks", "112\n 3" + arabic + "175\t\n20\n59\n15\n8\n5" + arabic +
                                         "5\n72" + arabic + "88\n0\n-0" + arabic + "1\n"},
        {"BytesThatAreNoText", "\xff\x00\x80\n\x00\xff\n\n-\n+\n.\n,e\n"s},
        // A rack of 4.875 modules' dedendum and a module whose squares underflow.
        {"FormCircleOfATinyModule", "\xc1\x9a\xd2\xcc\x30\x38\xff\n4e-308"},
        {"UndercutOfASubnormalModule", "?\xea\n86e-316\n8\n9\n2\n"},
        {"FormCircleOfTheSmallestModule", "00371\n4e-324\n3.9\n9\n13\n"},
    };

    for (const auto& [name, input] : replays)
        EXPECT_EQ(checkedRun(decodeFuzzCase(input)), "") << name;
}

}  // namespace
}  // namespace tamrel
