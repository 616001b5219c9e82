#include "run_fixture.h"

namespace tamrel {
namespace {

using testing::ComputeRunTest;

struct CheckCase {
    const char* name;
    Quantity quantity;
    std::vector<std::pair<Field, std::string>> fields;
    const char* message;
};

class InputCheck : public ComputeRunTest, public ::testing::WithParamInterface<CheckCase> {};

// A failed check shows its message and leaves every result and every other row at "---".
TEST_P(InputCheck, StopsWithItsMessageAndNoResults) {
    const CheckCase& c = GetParam();
    select(c.quantity);
    for (const auto& [field, value] : c.fields) {
        set(field, value);
    }
    const std::string typedReference = text(reference(c.quantity));
    state.drawingGeometry.db = 42;
    set(Field::DKG, "1");

    compute();

    EXPECT_EQ(text(Field::Error), c.message);
    expectAllResults(Placeholder);
    for (Quantity i : Quantities) {
        if (i != c.quantity) {
            EXPECT_EQ(text(reference(i)), Placeholder);
            EXPECT_EQ(text(upperTolerance(i)), Placeholder);
            EXPECT_EQ(text(lowerTolerance(i)), Placeholder);
        }
    }
    EXPECT_EQ(text(reference(c.quantity)), typedReference);
    EXPECT_EQ(state.drawingGeometry.db, 42);
    EXPECT_EQ(text(Field::DKG), "1");
    EXPECT_FALSE(store.coordinates().set);
}

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
    {"OnlyFirstBadFieldReported",
     W,
     {{Field::PN, "x"}, {Field::ZG, "x"}, {Field::BOG, "x"}},
     "ERROR:PN was wrong!"},
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
    {"SpanMiddleNotPositive",
     W,
     {{reference(W), "1"}, {upperTolerance(W), "0"}, {lowerTolerance(W), "-3"}},
     "ERROR:SMG,S1,S2 was wrong!"},
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

INSTANTIATE_TEST_SUITE_P(Messages, InputCheck, ::testing::ValuesIn(checkCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComputeRunTest, DiametralPitchAndInternalGearAreAccepted) {
    // State: a diametral pitch of 8 is a module of 25.4 / 8 = 3.175.
    set(Field::MN, "-8");
    // Action
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

TEST_F(ComputeRunTest, NegativeReferenceThicknessIsLeftToTheGeometry) {
    select(Sn);
    set(reference(Sn), "-1");
    compute();
    EXPECT_EQ(text(Field::Error), "");
    EXPECT_NE(text(middle(Xn)), Placeholder);
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
    for (const auto& name : testing::gridFields()) {
        const bool typedByUser =
            name == reference(W) || name == upperTolerance(W) || name == lowerTolerance(W);
        const std::string value = text(name);
        EXPECT_TRUE(typedByUser || value == Placeholder || testing::isProgramNumber(value))
            << name << "=" << value;
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

}  // namespace
}  // namespace tamrel
