// One compute run on an in-memory window that starts like a new one: the messages of the input
// checks, every text of a default run in each mode, the order of the writes, the band columns,
// measures left out, and what the end of a run leaves for the drawing.
#include "conversion/compute_run.h"
#include "conversion/memory_field_store.h"
#include "conversion/number_format.h"
#include "tests/field_output.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tamrel {
namespace {

// An in-memory window that also records the order in which a run writes its fields.
class RecordingStore : public MemoryFieldStore {
public:
    void setText(Field field, const std::string& text) override {
        writes.push_back(field);
        MemoryFieldStore::setText(field, text);
    }
    std::vector<Field> writes;
};

class ComputeRunTest : public ::testing::Test {
protected:
    void select(int quantity) { store.selectReference(quantity); }
    void set(Field field, const std::string& text) { store.setText(field, text); }
    std::string text(Field field) const { return store.text(field); }
    double number(Field field) const { return std::stod(store.text(field)); }
    void compute() {
        store.writes.clear();
        runConversion(store, state, locale);
    }
    // A run of the Xn mode that must succeed.
    void runWithShift(const char* xn) {
        select(Xn);
        set(reference(Xn), xn);
        compute();
        ASSERT_EQ(text(Field::Error), "");
    }
    void expectAllResults(const char* expected) const {
        for (Quantity q : Quantities) {
            for (Field f : {middle(q), maximum(q), minimum(q)}) {
                EXPECT_EQ(store.text(f), expected) << f;
            }
        }
    }

    RecordingStore store;
    ProgramState state;
    NumberLocale locale;
};

struct CheckCase {
    const char* name;
    Quantity quantity;
    std::vector<std::pair<Field, std::string>> fields;
    const char* message;
};

class InputCheck : public ComputeRunTest, public ::testing::WithParamInterface<CheckCase> {};

// A failed check shows its message, leaves every result and every other row at "---", keeps the
// typed row and the diameters, resets the rotation and leaves nothing for the drawing.
TEST_P(InputCheck, StopsWithItsMessageAndNoResults) {
    const CheckCase& c = GetParam();
    select(c.quantity);
    for (const auto& [field, value] : c.fields) {
        set(field, value);
    }
    const std::string typedReference = text(reference(c.quantity));
    state.drawingGeometry.db = 42;
    state.rotationAngle = 1.5f;
    set(Field::DKG, "1");

    compute();

    EXPECT_EQ(text(Field::Error), c.message);
    expectAllResults(Placeholder);
    for (Quantity q : Quantities) {
        if (q != c.quantity) {
            EXPECT_EQ(text(reference(q)) + text(upperTolerance(q)) + text(lowerTolerance(q)),
                      "---------");
        }
    }
    EXPECT_EQ(text(reference(c.quantity)), typedReference);
    EXPECT_EQ(state.drawingGeometry.db, 42);
    EXPECT_EQ(state.rotationAngle, 0.0f);
    EXPECT_EQ(text(Field::DKG), "1");
    EXPECT_FALSE(store.coordinates().set);
}

// clang-format off
const CheckCase checkCases[] = {
    {"ModuleZero", W, {{Field::MN, "0"}}, "ERROR:MN was wrong!"},
    {"ModuleEmpty", W, {{Field::MN, ""}}, "ERROR:MN was wrong!"},
    {"PressureAngleZero", W, {{Field::PN, "0"}}, "ERROR:PN was wrong!"},
    {"PressureAngleNegative", W, {{Field::PN, "-20"}}, "ERROR:PN was wrong!"},
    {"TeethFraction", W, {{Field::ZG, "59.5"}}, "ERROR:ZG was wrong!"},
    {"TeethZero", W, {{Field::ZG, "0"}}, "ERROR:ZG was wrong!"},
    {"TeethBeyond16Bits", W, {{Field::ZG, "40000"}}, "ERROR:ZG was wrong!"},
    {"TeethBelow16Bits", W, {{Field::ZG, "-32769"}}, "ERROR:ZG was wrong!"},
    {"HelixEmpty", W, {{Field::BOG, ""}}, "ERROR:BOG was wrong!"},
    {"OnlyFirstBadFieldReported", W, {{Field::PN, "x"}, {Field::ZG, "x"}, {Field::BOG, "x"}}, "ERROR:PN was wrong!"},
    {"XnReference", Xn, {{reference(Xn), "abc"}}, "ERROR:Xn was wrong!"},
    {"XnUpper", Xn, {{upperTolerance(Xn), ""}}, "ERROR:S1 was wrong!"},
    {"XnLower", Xn, {{lowerTolerance(Xn), "---"}}, "ERROR:S2 was wrong!"},
    {"SpanCountFraction", W, {{Field::ZMG, "8.5"}}, "ERROR:ZMG is not Integer!"},
    {"SpanCountZero", W, {{Field::ZMG, "0"}}, "ERROR:ZMG was wrong!"},
    {"SpanCountNegative", W, {{Field::ZMG, "-8"}}, "ERROR:ZMG was wrong!"},
    {"SpanCountBeyond16Bits", W, {{Field::ZMG, "40000"}}, "ERROR:ZMG was wrong!"},
    {"SpanReference", W, {{reference(W), "1,5"}}, "ERROR:SMG was wrong!"},
    {"SpanUpper", W, {{upperTolerance(W), "+"}}, "ERROR:S1 was wrong!"},
    {"SpanLower", W, {{lowerTolerance(W), "0x1"}}, "ERROR:S2 was wrong!"},
    {"SpanMiddleNotPositive", W, {{reference(W), "1"}, {upperTolerance(W), "0"}, {lowerTolerance(W), "-3"}}, "ERROR:SMG,S1,S2 was wrong!"},
    {"SpanCountBeforeReference", W, {{Field::ZMG, ""}, {reference(W), ""}}, "ERROR:ZMG was wrong!"},
    {"PinDiameterZero", M, {{Field::DPG, "0"}}, "ERROR:DPG was wrong!"},
    {"PinReference", M, {{reference(M), "nan"}}, "ERROR:DMG was wrong!"},
    {"PinUpper", M, {{upperTolerance(M), "inf"}}, "ERROR:S1 was wrong!"},
    {"PinLower", M, {{lowerTolerance(M), "1e400"}}, "ERROR:S2 was wrong!"},
    {"PinMiddleNotPositive", M, {{reference(M), "-200"}}, "ERROR:DMG,S1,S2 was wrong!"},
    {"ThicknessReference", Sn, {{reference(Sn), ""}}, "ERROR:SNG was wrong!"},
    {"ThicknessUpper", Sn, {{upperTolerance(Sn), "1.2.3"}}, "ERROR:S1 was wrong!"},
    {"ThicknessLower", Sn, {{lowerTolerance(Sn), "e"}}, "ERROR:S2 was wrong!"},
    {"SpanCountOptionalBeyond16Bits", Xn, {{Field::ZMG, "40000"}}, "ERROR:ZMG was wrong!"},
    {"GearDataBeforeMode", Sn, {{Field::BOG, "?"}, {reference(Sn), "?"}}, "ERROR:BOG was wrong!"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Messages, InputCheck, ::testing::ValuesIn(checkCases),
                         [](const auto& info) { return std::string(info.param.name); });

using FieldTexts = std::map<Field, std::string>;

struct ModeCase {
    const char* name;
    Quantity quantity;
    const char* reference;
    FieldTexts expected;  // every converted text, digit for digit
};

class DefaultGearRun : public ComputeRunTest, public ::testing::WithParamInterface<ModeCase> {};

// The default gear in each mode, fed with the values of the Xn run: every text is pinned, and a
// band without tolerances has zero deviations and equal columns.
TEST_P(DefaultGearRun, PinsEveryText) {
    const ModeCase& c = GetParam();
    select(c.quantity);
    set(reference(c.quantity), c.reference);
    compute();
    EXPECT_EQ(text(Field::Error), "");
    for (const auto& [field, expected] : c.expected) {
        EXPECT_EQ(text(field), expected) << field;
    }
    for (Quantity q : Quantities) {
        if (q != c.quantity) {
            EXPECT_EQ(text(upperTolerance(q)) + text(lowerTolerance(q)), "0.0.") << q;
        }
        EXPECT_EQ(text(middle(q)), text(maximum(q))) << q;
        EXPECT_EQ(text(middle(q)), text(minimum(q))) << q;
    }
}

// clang-format off
const ModeCase modeCases[] = {
    {"Xn", Xn, "-0.1445", {{middle(Xn), "-0.1445"}, {reference(W), "72.8800566449046"},
        {middle(W), "72.8800566449046"}, {reference(M), "200.788795636128"},
        {reference(Sn), "4.65330834986698"}, {Field::DKG, "199.3655"}, {Field::DRG, "185.078"}}},
    {"W", W, "72.8801", {{middle(W), "72.8801"}, {reference(Xn), "-0.144480037508883"},
        {middle(Xn), "-0.144480037508883"}, {reference(M), "200.788916325961"},
        {reference(Sn), "4.65335448739579"}, {Field::DKG, "199.3656"}, {Field::DRG, "185.0781"}}},
    {"M", M, "200.789", {{middle(M), "200.789"}, {reference(Xn), "-0.144466197504977"},
        {reference(W), "72.8801300581068"}}},
    {"Sn", Sn, "4.6533", {{middle(Sn), "4.6533"}, {reference(Xn), "-0.144503612767085"},
        {reference(W), "72.8800487985962"}, {reference(M), "200.788773793901"},
        {Field::DKG, "199.3655"}, {Field::DRG, "185.078"}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Modes, DefaultGearRun, ::testing::ValuesIn(modeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each entry is written the moment it is computed, in the order of its mode.
TEST_F(ComputeRunTest, PublicationOrderOfEachMode) {
    // clang-format off
    const std::map<Quantity, std::vector<Field>> orders{
        {Xn, {middle(Xn), maximum(Xn), minimum(Xn), reference(Sn), reference(W), reference(M),
              maximum(Sn), maximum(W), maximum(M), upperTolerance(Sn), upperTolerance(W),
              upperTolerance(M), minimum(Sn), minimum(W), minimum(M), lowerTolerance(Sn),
              lowerTolerance(W), lowerTolerance(M), middle(Sn), middle(W), middle(M)}},
        {W, {middle(W), maximum(W), minimum(W), reference(Xn), reference(Sn), reference(M),
             maximum(Xn), maximum(Sn), maximum(M), upperTolerance(Sn), upperTolerance(M),
             upperTolerance(Xn), minimum(Xn), minimum(Sn), minimum(M), lowerTolerance(Sn),
             lowerTolerance(M), lowerTolerance(Xn), middle(Xn), middle(Sn), middle(M)}},
        {M, {reference(Xn), reference(Sn), reference(W), maximum(Xn), maximum(Sn), maximum(W),
             upperTolerance(Sn), upperTolerance(W), upperTolerance(Xn), minimum(Xn), minimum(Sn),
             minimum(W), lowerTolerance(Sn), lowerTolerance(W), lowerTolerance(Xn), middle(M),
             maximum(M), minimum(M), middle(Xn), middle(Sn), middle(W)}},
        {Sn, {middle(Sn), maximum(Sn), minimum(Sn), reference(Xn), reference(W), reference(M),
              maximum(Xn), maximum(W), maximum(M), upperTolerance(W), upperTolerance(M),
              upperTolerance(Xn), minimum(Xn), minimum(W), minimum(M), lowerTolerance(W),
              lowerTolerance(M), lowerTolerance(Xn), middle(Xn), middle(W), middle(M)}},
    };
    // clang-format on
    const std::map<Quantity, const char*> references{
        {Xn, "0.1"}, {W, "72.8801"}, {M, "200.8"}, {Sn, "5"}};
    for (const auto& [quantity, order] : orders) {
        select(quantity);
        set(reference(quantity), references.at(quantity));
        set(upperTolerance(quantity), "0.01");
        set(lowerTolerance(quantity), "-0.02");
        compute();
        auto expected = order;
        expected.insert(expected.end(), {Field::DKG, Field::DRG});
        // After the reset: the message line, twelve results and nine rows.
        const std::vector<Field> written(store.writes.begin() + 22, store.writes.end());
        EXPECT_EQ(written, expected) << quantity;
    }
}

TEST_F(ComputeRunTest, PinModeStopsWhereOnlyTheMaxIsOutOfReach) {
    // State: M 200.7889 is reachable, M + S1 = 140.7889 lies inside the base circle.
    select(M);
    set(reference(M), "200.7889");
    set(upperTolerance(M), "-60");
    compute();
    // Expected: the nominal pass stands in the reference rows; everything after stays "---".
    EXPECT_EQ(text(Field::Error), "Check your DM or DP please!");
    EXPECT_EQ(text(reference(Xn)), "-0.144482737880543");
    EXPECT_EQ(text(reference(Sn)), "4.65334824626714");
    EXPECT_EQ(text(reference(W)), "72.8800941352575");
    expectAllResults(Placeholder);
    EXPECT_EQ(text(upperTolerance(Xn)), Placeholder);
    EXPECT_EQ(text(Field::DKG), "200.2831");

    // Unreachable from the start: nothing is published.
    set(reference(M), "150");
    set(upperTolerance(M), "0");
    compute();
    EXPECT_EQ(text(Field::Error), "Check your DM or DP please!");
    EXPECT_EQ(text(reference(Xn)), Placeholder);
}

TEST_F(ComputeRunTest, BandColumnsFollowTheTolerancesWithoutSwapping) {
    // State: S1 below S2, on an internal gear.
    select(Xn);
    set(Field::ZG, "-59");
    set(reference(Xn), "0");
    set(upperTolerance(Xn), "-0.1");
    set(lowerTolerance(Xn), "0.1");
    compute();
    EXPECT_EQ(text(maximum(Xn)), "-0.1");
    EXPECT_EQ(text(minimum(Xn)), "0.1");
    EXPECT_EQ(text(middle(Xn)), "0.");
    // For an internal gear a positive shift makes the tooth thinner.
    EXPECT_GT(number(maximum(Sn)), number(minimum(Sn)));
    // Deviations are formed from the displayed texts.
    const double upper = number(maximum(W)) - number(reference(W));
    EXPECT_EQ(text(upperTolerance(W)), formatResult(upper, locale));
}

// Without a span count or pin diameter, or with pins out of reach, a measure stays "---" and the
// run goes on without a message.
TEST_F(ComputeRunTest, MeasuresOutOfReachAreLeftOutWithoutAMessage) {
    select(Xn);
    set(Field::ZMG, "");
    set(Field::DPG, "0");
    compute();
    EXPECT_EQ(text(Field::Error), "");
    for (Quantity q : {W, M}) {
        EXPECT_EQ(text(reference(q)) + text(upperTolerance(q)) + text(middle(q)) + text(minimum(q)),
                  "------------");
    }
    EXPECT_NE(text(middle(Sn)), Placeholder);
    // A span count that is not a whole number is absent outside its own mode.
    set(Field::ZMG, "8.5");
    set(Field::DPG, "5.5");
    compute();
    EXPECT_EQ(text(middle(W)), Placeholder);
    EXPECT_NE(text(middle(M)), Placeholder);
    // Xn -2 puts the pin centre inside the base circle; max and min stay reachable.
    set(Field::ZMG, "8");
    set(reference(Xn), "-2");
    set(upperTolerance(Xn), "2");
    set(lowerTolerance(Xn), "1.9");
    compute();
    EXPECT_EQ(text(Field::Error), "");
    EXPECT_EQ(text(reference(M)) + text(upperTolerance(M)) + text(lowerTolerance(M)), "---------");
    EXPECT_NE(text(maximum(M)), Placeholder);
    EXPECT_NE(text(upperTolerance(W)), Placeholder);
}

TEST_F(ComputeRunTest, DiametralPitchAndInternalGearAreAccepted) {
    // State: a diametral pitch of 8 is a module of 25.4 / 8 = 3.175.
    set(Field::MN, "-8");
    compute();
    // Expected: the same results as the module itself.
    EXPECT_EQ(text(Field::Error), "");
    EXPECT_EQ(text(middle(Xn)), "-0.144480037508883");

    set(Field::MN, "3.175");
    set(Field::ZG, "-60");
    set(Field::BOG, "-15");
    compute();
    EXPECT_EQ(text(Field::Error), "");
    EXPECT_EQ(state.drawingGeometry.zAbs, 60);
}

TEST_F(ComputeRunTest, ArithmeticFailureEndsTheRunWithItsOwnMessage) {
    // State: a first run leaves geometry, diameters and coordinates.
    compute();
    const DrawingGeometry before = state.drawingGeometry;
    const auto coordinatesBefore = store.coordinates();
    const std::string tipBefore = text(Field::DKG);
    // Action: a module so large that the picture's single-precision coordinates overflow.
    set(Field::MN, "1e300");
    compute();
    // Expected: the message, no exponent and no nan anywhere, nothing of the run's end changed.
    EXPECT_EQ(text(Field::Error), CalculationFailedMessage);
    for (Field f : allFields()) {
        const bool written = f >= Field::RefXn && f <= Field::MinSn && f != reference(W) &&
                             f != upperTolerance(W) && f != lowerTolerance(W);
        EXPECT_TRUE(!written || text(f).find_first_of("eEinf") == std::string::npos) << f;
    }
    EXPECT_EQ(state.drawingGeometry.db, before.db);
    EXPECT_EQ(state.drawingGeometry.xMid, before.xMid);
    EXPECT_EQ(store.coordinates().y1, coordinatesBefore.y1);
    EXPECT_EQ(text(Field::DKG), tipBefore);
    EXPECT_EQ(state.rotationAngle, 0);

    // |Z| of -32768 does not fit 16 bits.
    set(Field::MN, "3.175");
    set(Field::ZG, "-32768");
    compute();
    EXPECT_EQ(text(Field::Error), CalculationFailedMessage);
    expectAllResults(Placeholder);
}

TEST_F(ComputeRunTest, AutomaticDiametersAreCutToFourDecimals) {
    runWithShift("0");
    EXPECT_EQ(text(Field::DKG), "200.2831");
    EXPECT_EQ(text(Field::DRG), "185.9956");

    runWithShift("-0.1445");
    EXPECT_EQ(text(Field::DKG), "199.3655");
    EXPECT_EQ(text(Field::DRG), "185.078");

    // An internal gear has its tip inside and its root outside the reference circle.
    set(Field::ZG, "-59");
    runWithShift("0");
    EXPECT_EQ(text(Field::DKG), "187.5831");
    EXPECT_EQ(text(Field::DRG), "201.8706");
}

TEST_F(ComputeRunTest, DrawingGeometryAndTheViewOfTheGear) {
    runWithShift("-0.1445");
    EXPECT_NEAR(state.drawingGeometry.db, 181.477027, 5e-7);
    EXPECT_NEAR(state.drawingGeometry.alphaT, 0.3603563240, 1e-10);
    EXPECT_EQ(state.drawingGeometry.zAbs, 59);
    EXPECT_EQ(state.drawingGeometry.xMid, -0.1445);
    EXPECT_NEAR(state.drawingGeometry.beta, 0.2617993877991, 1e-12);

    // floor(1.2 d) = 232 mm high, the picture's aspect ratio, centred, y upward.
    const auto& c = store.coordinates();
    EXPECT_EQ(c.y1, 116.0f);
    EXPECT_EQ(c.y2, -116.0f);
    const float width = static_cast<float>(513.0 * 232.0 / 257.0);
    EXPECT_EQ(c.x1, -width / 2);
    EXPECT_EQ(c.x2, width / 2);
}

TEST_F(ComputeRunTest, TypedDiametersStayWhenAutomaticIsOff) {
    store.setAutoDiameter(false);
    set(Field::DKG, "abc");
    set(Field::DRG, "");
    runWithShift("0.3");
    EXPECT_EQ(text(Field::DKG), "abc");
    EXPECT_EQ(text(Field::DRG), "");
    EXPECT_EQ(state.drawingGeometry.xMid, 0.3);
    EXPECT_TRUE(store.coordinates().set);
}

}  // namespace
}  // namespace tamrel
